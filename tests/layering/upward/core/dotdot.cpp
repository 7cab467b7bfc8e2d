// The same reach upwards through the parent folder: it compiles, so the check must see it.
#include "../app/mainform.h"
