// One outgoing interface of a connectable object: the list of advised sinks.
#pragma once
#include <ocidl.h>

#include <vector>

#include "ComPtr.h"

namespace wirelatch {

class ConnectionPoint final : public IConnectionPoint {
public:
    // The owner supplies the reference count; the point lives inside it.
    ConnectionPoint(IConnectionPointContainer* container, REFIID iid) : container_(container), iid_(iid) {}
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return container_->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return container_->Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* out) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

    const IID& Iid() const { return iid_; }
    // The advised sinks (each the interface of this point), in the order they were advised.
    std::vector<ComPtr<IUnknown>> Sinks() const;
    void Clear() { connections_.clear(); }

private:
    struct Connection {
        DWORD cookie;
        ComPtr<IUnknown> sink;
    };
    IConnectionPointContainer* container_;
    IID iid_;
    std::vector<Connection> connections_;
    DWORD nextCookie_ = 1;
};

}  // namespace wirelatch
