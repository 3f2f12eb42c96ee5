// The class object of Wirelatch.
#pragma once
#include <unknwn.h>

namespace wirelatch {

// The class object for Wirelatch's class identifier, with the requested interface.
HRESULT GetWirelatchClassObject(REFIID iid, void** out);

}  // namespace wirelatch
