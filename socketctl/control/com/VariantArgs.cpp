// Argument reading and result writing for the control's members.
#include "VariantArgs.h"

#include <vector>

namespace wirelatch {

const VARIANT* Deref(const VARIANT* v) {
    // A chain of variant references is followed a few steps at most.
    for (int i = 0; v && V_VT(v) == (VT_BYREF | VT_VARIANT) && i < 4; ++i) v = V_VARIANTREF(v);
    return v;
}

bool IsMissing(const VARIANT* v) {
    v = Deref(v);
    return !v || V_VT(v) == VT_EMPTY || V_VT(v) == VT_ERROR;
}

HRESULT ToLong(const VARIANT* v, LONG* out) {
    v = Deref(v);
    if (!v) return E_INVALIDARG;
    VariantValue converted;
    HRESULT hr = VariantChangeType(converted.Get(), const_cast<VARIANT*>(v), 0, VT_I4);
    if (FAILED(hr)) return hr;
    *out = V_I4(converted.Get());
    return S_OK;
}

HRESULT ToText(const VARIANT* v, BStr* out) {
    v = Deref(v);
    if (!v) return E_INVALIDARG;
    VariantValue converted;
    HRESULT hr = VariantChangeType(converted.Get(), const_cast<VARIANT*>(v), 0, VT_BSTR);
    if (FAILED(hr)) return hr;
    *out = BStr::Adopt(V_BSTR(converted.Get()));
    V_VT(converted.Get()) = VT_EMPTY;
    return S_OK;
}

namespace {

// The VARIANT that an out argument's value goes into, or null when it takes references of
// another type.
VARIANT* OutTarget(VARIANT* out) {
    while (out && V_VT(out) == (VT_BYREF | VT_VARIANT)) out = V_VARIANTREF(out);
    return out;
}

}  // namespace

void SetOutLong(VARIANT* out, LONG value) {
    out = OutTarget(out);
    if (!out) return;
    switch (V_VT(out)) {
        case VT_BYREF | VT_I4:
            if (V_I4REF(out)) *V_I4REF(out) = value;
            return;
        case VT_BYREF | VT_I2:
            if (V_I2REF(out)) *V_I2REF(out) = static_cast<SHORT>(value);
            return;
        default:
            if (V_VT(out) & VT_BYREF) return;
            VariantClear(out);
            V_VT(out) = VT_I4;
            V_I4(out) = value;
    }
}

void SetOutText(VARIANT* out, const wchar_t* text) {
    out = OutTarget(out);
    if (!out) return;
    if (V_VT(out) == (VT_BYREF | VT_BSTR)) {
        if (!V_BSTRREF(out)) return;
        SysFreeString(*V_BSTRREF(out));
        *V_BSTRREF(out) = SysAllocString(text);
        return;
    }
    if (V_VT(out) & VT_BYREF) return;
    VariantClear(out);
    V_VT(out) = VT_BSTR;
    V_BSTR(out) = SysAllocString(text);
}

std::string WideToNarrow(const wchar_t* text, UINT length) {
    if (!text || length == 0) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string result(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), result.data(), n, nullptr, nullptr);
    return result;
}

std::wstring NarrowToWide(const char* text) {
    if (!text || !*text) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (n <= 1) return {};
    std::wstring result(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, result.data(), n);
    result.resize(static_cast<size_t>(n - 1));
    return result;
}

HRESULT NewText(const char* text, BSTR* out) { return NewText(NarrowToWide(text).c_str(), out); }

HRESULT NewText(const wchar_t* text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = SysAllocString(text ? text : L"");
    return *out ? S_OK : E_OUTOFMEMORY;
}

}  // namespace wirelatch
