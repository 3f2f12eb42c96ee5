// Enumerators of connections and connection points.
#pragma once
#include <ocidl.h>

#include <vector>

namespace wirelatch {

// Each item's interface pointer gets a reference of the enumerator and one more per item handed out.
HRESULT CreateConnectionEnumerator(const std::vector<CONNECTDATA>& items, IEnumConnections** out);
HRESULT CreateConnectionPointEnumerator(const std::vector<IConnectionPoint*>& items, IEnumConnectionPoints** out);

}  // namespace wirelatch
