// The one failure path of the control: the stored code, its text, the COM error record, the
// OnError event and the code a failing member returns.
#include <cstdio>

#include "VariantArgs.h"
#include "Wirelatch.h"

namespace wirelatch {
namespace {

constexpr int kErrorTextSize = 512;

// Codes of the sockets library's facility go to a late-bound caller as 0x800A0000 | code.
HRESULT ReturnedCode(DWORD code) {
    if (((code >> 16) & 0x1FFF) == 4) return static_cast<HRESULT>(0x800A0000u | (code & 0xFFFFu));
    return static_cast<HRESULT>(code);
}

void SetErrorRecord(const wchar_t* source, const wchar_t* description) {
    ComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(create.Receive())) || !create) return;
    create->SetGUID(IID_IWirelatch);
    create->SetSource(const_cast<LPOLESTR>(source));
    create->SetDescription(const_cast<LPOLESTR>(description));
    auto info = create.As<IErrorInfo>(IID_IErrorInfo);
    if (info) SetErrorInfo(0, info.Get());
}

}  // namespace

std::wstring ErrorText(DWORD code) {
    char text[kErrorTextSize] = {};
    int n = InetGetErrorStringA(code, text, kErrorTextSize);
    if (n > 0 && text[0] != '\0') {
        text[kErrorTextSize - 1] = '\0';
        return NarrowToWide(text);
    }
    wchar_t fallback[64];
    swprintf(fallback, 64, L"Undefined control error (0x%08lX)", static_cast<unsigned long>(code));
    return fallback;
}

HRESULT Wirelatch::ReportError(DWORD code, bool returnError, bool fireEvent) {
    if (code == 0) code = InetGetLastError();
    if (code == 0) return S_OK;
    lastError_ = code;
    const std::wstring text = ErrorText(code);
    SetErrorRecord(errorSource_.Get() ? errorSource_.Get() : L"", text.c_str());
    if (fireEvent) FireOnError(static_cast<LONG>(code & 0xFFFF), text.c_str());
    return returnError ? ReturnedCode(code) : S_OK;
}

DWORD Wirelatch::LastFailure(DWORD generic) const {
    DWORD code = InetGetLastError();
    return code ? code : generic;
}

HRESULT Wirelatch::MethodFailure(VARIANT* error) {
    const DWORD code = LastFailure();
    SetOutLong(error, static_cast<LONG>(code & 0xFFFF));
    return ReportError(code, throwError_ != VARIANT_FALSE, true);
}

HRESULT Wirelatch::PropertyFailure() { return ReportError(LastFailure(), true, false); }

}  // namespace wirelatch
