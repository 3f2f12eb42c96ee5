// Firing the events of _IWirelatchEvents to every advised sink, and property notifications.
#include "Wirelatch.h"

namespace wirelatch {
namespace {

enum EventId : DISPID {
    kOnAccept = 1,
    kOnCancel = 2,
    kOnConnect = 3,
    kOnDisconnect = 4,
    kOnError = 5,
    kOnRead = 6,
    kOnTimeout = 7,
    kOnTimer = 8,
    kOnWrite = 9,
};

}  // namespace

void Wirelatch::FireEvent(DISPID id, VARIANT* args, UINT count) {
    // A handler may unadvise or release the control; the snapshot and this reference keep
    // everything alive until the loop is done.
    ComPtr<IWirelatch> keep(this);
    for (const ComPtr<IUnknown>& sink : eventPoint_.Sinks()) {
        // Each sink gets its own copy of the arguments, in reverse order.
        std::vector<VariantValue> copies(count);
        std::vector<VARIANT> passed(count);
        for (UINT i = 0; i < count; ++i) {
            VariantCopy(copies[i].Get(), &args[count - 1 - i]);
            passed[i] = *copies[i].Get();
        }
        DISPPARAMS params{count ? passed.data() : nullptr, nullptr, count, 0};
        auto* dispatch = reinterpret_cast<IDispatch*>(sink.Get());
        dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    }
}

void Wirelatch::FireOnAccept(LONG handle) {
    VARIANT arg;
    VariantInit(&arg);
    V_VT(&arg) = VT_I4;
    V_I4(&arg) = handle;
    FireEvent(kOnAccept, &arg, 1);
}

void Wirelatch::FireOnConnect() { FireEvent(kOnConnect, nullptr, 0); }
void Wirelatch::FireOnDisconnect() { FireEvent(kOnDisconnect, nullptr, 0); }
void Wirelatch::FireOnRead() { FireEvent(kOnRead, nullptr, 0); }
void Wirelatch::FireOnTimer() { FireEvent(kOnTimer, nullptr, 0); }
void Wirelatch::FireOnWrite() { FireEvent(kOnWrite, nullptr, 0); }

void Wirelatch::FireOnError(LONG error, const wchar_t* description) {
    BStr text(description);
    VARIANT args[2];
    VariantInit(&args[0]);
    VariantInit(&args[1]);
    V_VT(&args[0]) = VT_I4;
    V_I4(&args[0]) = error;
    V_VT(&args[1]) = VT_BSTR;
    V_BSTR(&args[1]) = text.Get();
    FireEvent(kOnError, args, 2);
}

void Wirelatch::NotifyPropertyChanged(DISPID id) {
    ComPtr<IWirelatch> keep(this);
    for (const ComPtr<IUnknown>& sink : propertyPoint_.Sinks())
        reinterpret_cast<IPropertyNotifySink*>(sink.Get())->OnChanged(id);
}

}  // namespace wirelatch
