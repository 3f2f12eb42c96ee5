// Stands in for the header of AutomationBase.idl: the real automation types and interfaces.
#pragma once
#include <ocidl.h>
#include <oleauto.h>
