#include "EventConnection.h"

#include <ocidl.h>
#include <olectl.h>

#include <memory>
#include <utility>

namespace skx {

// The sink: IDispatch for the events interface, counted, deleted with its last reference.
class EventConnection::Sink final : public IDispatch {
public:
    Sink(const IID& iid, Handler handler) : iid_(iid), handler_(std::move(handler)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, iid_)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) std::unique_ptr<Sink> last(this);
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        if (result) VariantInit(result);
        if (!handler_) return S_OK;
        // Keep the sink alive while the handler runs: it may end the connection.
        AddRef();
        try {
            std::vector<Variant> args;
            if (params && params->rgvarg) {
                args.reserve(params->cArgs);
                // The arguments arrive last first.
                for (UINT i = params->cArgs; i > 0; --i) args.emplace_back(params->rgvarg[i - 1]);
            }
            Handler handler = handler_;
            handler(id, args);
        } catch (...) {
            // The object fires and ignores the outcome; a failure of ours stays here.
        }
        Release();
        return S_OK;
    }

    void Detach() { handler_ = nullptr; }

private:
    LONG refs_ = 1;
    IID iid_;
    Handler handler_;
};

EventConnection::EventConnection() = default;
EventConnection::~EventConnection() { Disconnect(); }

bool EventConnection::Connect(IDispatch* object, const std::string& eventsIid, Handler handler) {
    Disconnect();
    if (!object) return false;
    std::wstring text(eventsIid.begin(), eventsIid.end());
    IID iid;
    if (FAILED(IIDFromString(text.c_str(), &iid))) return false;
    IConnectionPointContainer* container = nullptr;
    if (FAILED(object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container))) ||
        !container) {
        return false;
    }
    IConnectionPoint* point = nullptr;
    HRESULT hr = container->FindConnectionPoint(iid, &point);
    container->Release();
    if (FAILED(hr) || !point) return false;
    auto made = std::make_unique<Sink>(iid, std::move(handler));
    DWORD cookie = 0;
    if (FAILED(point->Advise(static_cast<IDispatch*>(made.get()), &cookie)) || cookie == 0) {
        point->Release();
        return false;
    }
    sink_ = made.release();
    point_ = point;
    cookie_ = cookie;
    return true;
}

void EventConnection::Disconnect() {
    if (sink_) sink_->Detach();
    if (point_) {
        if (cookie_) point_->Unadvise(cookie_);
        point_->Release();
        point_ = nullptr;
    }
    cookie_ = 0;
    if (sink_) {
        sink_->Release();
        sink_ = nullptr;
    }
}

}  // namespace skx
