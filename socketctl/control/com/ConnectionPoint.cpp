// The list of advised sinks of one outgoing interface.
#include "ConnectionPoint.h"

#include <olectl.h>

#include "ComEnumerators.h"

namespace wirelatch {

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* out) {
    if (!out) return E_POINTER;
    *out = iid_;
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (!out) return E_POINTER;
    *out = container_;
    container_->AddRef();
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    ComPtr<IUnknown> typed;
    if (FAILED(sink->QueryInterface(iid_, reinterpret_cast<void**>(typed.Receive()))) || !typed)
        return CONNECT_E_CANNOTCONNECT;
    connections_.push_back({nextCookie_, std::move(typed)});
    *cookie = nextCookie_++;
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
    for (auto it = connections_.begin(); it != connections_.end(); ++it) {
        if (it->cookie == cookie) {
            // The sink may release the control from its own Release; let it go last.
            ComPtr<IUnknown> sink = std::move(it->sink);
            connections_.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** out) {
    if (!out) return E_POINTER;
    std::vector<CONNECTDATA> items;
    for (const auto& c : connections_) items.push_back({c.sink.Get(), c.cookie});
    return CreateConnectionEnumerator(items, out);
}

std::vector<ComPtr<IUnknown>> ConnectionPoint::Sinks() const {
    std::vector<ComPtr<IUnknown>> sinks;
    for (const auto& c : connections_)
        if (c.sink) sinks.push_back(c.sink);
    return sinks;
}

}  // namespace wirelatch
