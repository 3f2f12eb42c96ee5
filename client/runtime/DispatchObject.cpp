#include "DispatchObject.h"

#include <algorithm>

#include "RunTimeError.h"

namespace skx {

namespace {

std::wstring Widen(const std::string& s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(std::max(n, 0)), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string Narrow(const wchar_t* w, size_t len) {
    if (!w || len == 0) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(len), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(std::max(n, 0)), '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, w, static_cast<int>(len), s.data(), n, nullptr, nullptr);
    return s;
}

}  // namespace

Variant::Variant(const std::string& s) : Variant() {
    std::wstring w = Widen(s);
    v_.vt = VT_BSTR;
    v_.bstrVal = SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
    if (!v_.bstrVal) v_.vt = VT_EMPTY;
}

Variant::Variant(const Variant& other) : Variant() { VariantCopy(&v_, const_cast<VARIANT*>(&other.v_)); }

Variant& Variant::operator=(const Variant& other) {
    if (this != &other) {
        VariantClear(&v_);
        VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
    }
    return *this;
}

int32_t Variant::ToLong() const {
    VARIANT r;
    VariantInit(&r);
    if (FAILED(VariantChangeType(&r, const_cast<VARIANT*>(&v_), 0, VT_I4))) Raise(13);
    return r.lVal;
}

bool Variant::ToBool() const {
    VARIANT r;
    VariantInit(&r);
    if (FAILED(VariantChangeType(&r, const_cast<VARIANT*>(&v_), 0, VT_BOOL))) Raise(13);
    return r.boolVal != VARIANT_FALSE;
}

std::string Variant::ToString() const {
    VARIANT r;
    VariantInit(&r);
    if (FAILED(VariantChangeType(&r, const_cast<VARIANT*>(&v_), 0, VT_BSTR))) Raise(13);
    std::string s = Narrow(r.bstrVal, SysStringLen(r.bstrVal));
    VariantClear(&r);
    return s;
}

void DispatchObject::Create(const std::string& classId) {
    Release();
    CLSID clsid{};
    std::wstring w = Widen(classId);
    if (FAILED(CLSIDFromString(w.c_str(), &clsid))) Raise(429, "", "ActiveX component can't create object");
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                  reinterpret_cast<void**>(&disp_));
    if (FAILED(hr) || !disp_) {
        disp_ = nullptr;
        Raise(429, "", "ActiveX component can't create object");
    }
}

void DispatchObject::Release() {
    if (disp_) disp_->Release();
    disp_ = nullptr;
}

void DispatchObject::PropertyPut(DISPID id, const Variant& value) { Call(id, DISPATCH_PROPERTYPUT, {value}); }

Variant DispatchObject::PropertyGet(DISPID id) { return Call(id, DISPATCH_PROPERTYGET, {}); }

Variant DispatchObject::Invoke(DISPID id, const std::vector<Variant>& args) { return Call(id, DISPATCH_METHOD, args); }

Variant DispatchObject::Call(DISPID id, WORD flags, std::vector<Variant> args) {
    if (!disp_) Raise(91);
    // Arguments go right to left.
    std::vector<VARIANT> raw;
    for (auto it = args.rbegin(); it != args.rend(); ++it) raw.push_back(*it->get());
    DISPPARAMS params{};
    params.cArgs = static_cast<UINT>(raw.size());
    params.rgvarg = raw.empty() ? nullptr : raw.data();
    DISPID named = DISPID_PROPERTYPUT;
    if (flags == DISPATCH_PROPERTYPUT) {
        params.cNamedArgs = 1;
        params.rgdispidNamedArgs = &named;
    }
    Variant result;
    EXCEPINFO excep{};
    UINT argErr = 0;
    HRESULT hr = disp_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                               flags == DISPATCH_PROPERTYPUT ? nullptr : result.get(), &excep, &argErr);
    if (FAILED(hr)) {
        if (hr == DISP_E_EXCEPTION) {
            if (excep.pfnDeferredFillIn) excep.pfnDeferredFillIn(&excep);
            std::string description = Narrow(excep.bstrDescription, SysStringLen(excep.bstrDescription));
            std::string source = Narrow(excep.bstrSource, SysStringLen(excep.bstrSource));
            int32_t number = excep.scode ? excep.scode : static_cast<int32_t>(excep.wCode);
            SysFreeString(excep.bstrDescription);
            SysFreeString(excep.bstrSource);
            SysFreeString(excep.bstrHelpFile);
            Raise(number, source, description);
        }
        Raise(static_cast<int32_t>(hr));
    }
    return result;
}

}  // namespace skx
