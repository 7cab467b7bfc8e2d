// The same reach upwards spelled with angle brackets: it compiles, so the check must see it.
#include <app/mainform.h>
