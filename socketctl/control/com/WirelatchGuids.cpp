// The one definition of the control's class, interface and library identifiers.
#include <windows.h>
#include <initguid.h>

#include "WirelatchCtl.h"
