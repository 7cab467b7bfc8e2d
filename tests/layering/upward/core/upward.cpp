// A core file that reaches up into the main window: the layering check must refuse it.
#include "app/mainform.h"
