// The one definition of the control's identifiers in the test program.
#include <windows.h>
#include <initguid.h>

#include "WirelatchCtl.h"
