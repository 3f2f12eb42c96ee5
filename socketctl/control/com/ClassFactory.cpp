// The class object of Wirelatch: one static instance, counted as a module lock while held.
#include "ClassFactory.h"

#include "ModuleState.h"
#include "Wirelatch.h"

namespace wirelatch {
namespace {

class WirelatchFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *out = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        LockModule();
        return 2;
    }
    ULONG STDMETHODCALLTYPE Release() override {
        UnlockModule();
        return 1;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return CreateWirelatch(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            LockModule();
        else
            UnlockModule();
        return S_OK;
    }
};

WirelatchFactory g_factory;

}  // namespace

HRESULT GetWirelatchClassObject(REFIID iid, void** out) { return g_factory.QueryInterface(iid, out); }

}  // namespace wirelatch
