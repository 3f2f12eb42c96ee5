// Read and Write: moving strings, numbers and arrays of numbers over the control's socket, in
// the byte order the ByteOrder property asks for.
#include <cstring>
#include <new>
#include <vector>

#include "VariantArgs.h"
#include "Wirelatch.h"

namespace wirelatch {
namespace {

constexpr LONG kNetworkByteOrder = 1;

size_t ElementSize(VARTYPE base) {
    switch (base) {
        case VT_I2:
            return 2;
        case VT_I4:
            return 4;
        case VT_UI1:
            return 1;
        default:
            return 0;
    }
}

// Swaps every whole element of the given size in place (local order <-> network order; the
// machines this runs on are little-endian).
void SwapElements(char* bytes, size_t count, size_t elementSize) {
    for (size_t i = 0; i + elementSize <= count; i += elementSize) {
        if (elementSize == 2) {
            uint16_t v;
            memcpy(&v, bytes + i, 2);
            v = __builtin_bswap16(v);
            memcpy(bytes + i, &v, 2);
        } else if (elementSize == 4) {
            uint32_t v;
            memcpy(&v, bytes + i, 4);
            v = __builtin_bswap32(v);
            memcpy(bytes + i, &v, 4);
        }
    }
}

// True when the array's elements really have the size its VARIANT type claims.
bool ElementsMatch(SAFEARRAY* array, size_t elementSize) {
    return array && SafeArrayGetElemsize(array) == elementSize;
}

// The element count of a one-dimensional array; false for any other shape.
bool VectorLength(SAFEARRAY* array, size_t* count) {
    if (!array || SafeArrayGetDim(array) != 1) return false;
    LONG lower = 0, upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper))) return false;
    *count = upper >= lower ? static_cast<size_t>(upper) - static_cast<size_t>(lower) + 1 : 0;
    return true;
}

// Locks an array's data for one scope.
class ArrayData {
public:
    explicit ArrayData(SAFEARRAY* array) : array_(array) {
        if (array_ && FAILED(SafeArrayAccessData(array_, &data_))) data_ = nullptr;
    }
    ~ArrayData() {
        if (data_) SafeArrayUnaccessData(array_);
    }
    ArrayData(const ArrayData&) = delete;
    ArrayData& operator=(const ArrayData&) = delete;
    char* Get() const { return static_cast<char*>(data_); }

private:
    SAFEARRAY* array_;
    void* data_ = nullptr;
};

}  // namespace

HRESULT Wirelatch::Read(VARIANT* data, VARIANT length, VARIANT* result) {
    if (!data) return E_INVALIDARG;
    VARIANT* target = data;
    while (V_VT(target) == (VT_BYREF | VT_VARIANT)) {
        target = V_VARIANTREF(target);
        if (!target) return E_INVALIDARG;
    }
    const VARTYPE vt = V_VT(target);
    if (vt == VT_ERROR) return E_INVALIDARG;
    const bool byRef = (vt & VT_BYREF) != 0;
    const bool isArray = (vt & VT_ARRAY) != 0;
    const VARTYPE base = vt & VT_TYPEMASK;
    const bool isText = !isArray && (base == VT_BSTR || base == VT_EMPTY);
    const size_t elementSize = ElementSize(base);
    if (!isText && elementSize == 0) return E_INVALIDARG;
    if (isText && byRef && (base != VT_BSTR || !V_BSTRREF(target))) return E_INVALIDARG;
    if (!isText && !isArray && byRef && !V_BYREF(target)) return E_INVALIDARG;

    SAFEARRAY** arraySlot = nullptr;
    if (isArray) {
        arraySlot = byRef ? V_ARRAYREF(target) : &V_ARRAY(target);
        if (!arraySlot) return E_INVALIDARG;
    }
    bool haveSize = false;
    size_t size = 0;
    if (!isText) {
        if (!isArray) {
            size = elementSize;
            haveSize = true;
        } else if (*arraySlot) {
            size_t count = 0;
            if (!VectorLength(*arraySlot, &count) || !ElementsMatch(*arraySlot, elementSize)) return E_INVALIDARG;
            size = count * elementSize;
            haveSize = true;
        }
    }
    if (!IsMissing(&length)) {
        LONG wanted = 0;
        HRESULT hr = ToLong(&length, &wanted);
        if (FAILED(hr)) return hr;
        if (wanted < 0) return E_INVALIDARG;
        if (!haveSize || static_cast<size_t>(wanted) < size) size = static_cast<size_t>(wanted);
    } else if (!(isArray && haveSize && size > 0)) {
        return E_INVALIDARG;
    }
    if (size < 1 || size > 0x7FFFFFFF) return E_INVALIDARG;

    std::vector<char> buffer;
    try {
        buffer.resize(size);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    const int n = InetRead(handle_, buffer.data(), static_cast<int>(size));
    if (n < 0) {
        SetOutLong(result, -1);
        return MethodFailure(nullptr);
    }
    const size_t got = static_cast<size_t>(n) < size ? static_cast<size_t>(n) : size;

    if (isText) {
        int chars = got ? MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, buffer.data(), static_cast<int>(got), nullptr, 0)
                        : 0;
        BSTR text = SysAllocStringLen(nullptr, static_cast<UINT>(chars));
        if (!text) return E_OUTOFMEMORY;
        if (chars) MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, buffer.data(), static_cast<int>(got), text, chars);
        if (byRef) {
            SysFreeString(*V_BSTRREF(target));
            *V_BSTRREF(target) = text;
        } else {
            VariantClear(target);
            V_VT(target) = VT_BSTR;
            V_BSTR(target) = text;
        }
    } else if (isArray) {
        if (!*arraySlot) {
            SAFEARRAY* made = SafeArrayCreateVector(base, 0, static_cast<ULONG>(got));
            if (!made) return kErrNoArray;
            *arraySlot = made;
        }
        if (base != VT_UI1 && byteOrder_ == kNetworkByteOrder) SwapElements(buffer.data(), got, elementSize);
        ArrayData access(*arraySlot);
        if (!access.Get()) return E_INVALIDARG;
        memcpy(access.Get(), buffer.data(), got);
    } else {
        void* scalar = byRef ? V_BYREF(target) : static_cast<void*>(&V_I4(target));
        if (!byRef) {
            // Clear the whole value before the read bytes go into its first bytes.
            V_I4(target) = 0;
        } else {
            memset(scalar, 0, elementSize);
        }
        memcpy(scalar, buffer.data(), got < elementSize ? got : elementSize);
    }
    SetOutLong(result, n);
    return S_OK;
}

HRESULT Wirelatch::Write(VARIANT data, VARIANT length, VARIANT* result) {
    const VARIANT* v = &data;
    if (V_VT(v) == VT_ERROR) return E_INVALIDARG;
    if (V_VT(v) == (VT_BYREF | VT_VARIANT)) {
        v = V_VARIANTREF(v);
        if (!v) return E_INVALIDARG;
    }
    const VARTYPE vt = V_VT(v);
    const bool byRef = (vt & VT_BYREF) != 0;
    const bool isArray = (vt & VT_ARRAY) != 0;
    const VARTYPE base = vt & VT_TYPEMASK;
    if (byRef && !V_BYREF(v)) return E_INVALIDARG;
    const bool network = byteOrder_ == kNetworkByteOrder;

    std::vector<char> bytes;
    try {
        if (isArray) {
            const size_t elementSize = ElementSize(base);
            if (elementSize == 0) return E_INVALIDARG;
            SAFEARRAY* array = byRef ? *V_ARRAYREF(v) : V_ARRAY(v);
            if (!array) return E_INVALIDARG;
            size_t count = 0;
            if (!VectorLength(array, &count)) return base == VT_UI1 ? E_INVALIDARG : kErrDesignTimeStart;
            if (!ElementsMatch(array, elementSize)) return E_INVALIDARG;
            ArrayData access(array);
            if (!access.Get() && count) return E_INVALIDARG;
            bytes.assign(access.Get(), access.Get() + count * elementSize);
            if (base != VT_UI1 && network) SwapElements(bytes.data(), bytes.size(), elementSize);
        } else {
            switch (base) {
                case VT_I2: {
                    const SHORT value = byRef ? *V_I2REF(v) : V_I2(v);
                    bytes.resize(2);
                    memcpy(bytes.data(), &value, 2);
                    if (network) SwapElements(bytes.data(), 2, 2);
                    break;
                }
                case VT_I4: {
                    const LONG value = byRef ? *V_I4REF(v) : V_I4(v);
                    bytes.resize(4);
                    memcpy(bytes.data(), &value, 4);
                    if (network) SwapElements(bytes.data(), 4, 4);
                    break;
                }
                case VT_UI1:
                    bytes.push_back(static_cast<char>(byRef ? *V_UI1REF(v) : V_UI1(v)));
                    break;
                case VT_BSTR: {
                    const BSTR text = byRef ? *V_BSTRREF(v) : V_BSTR(v);
                    const UINT chars = text ? SysStringLen(text) : 0;
                    if (chars) {
                        int n = WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, text, static_cast<int>(chars), nullptr,
                                                    0, nullptr, nullptr);
                        if (n > 0) {
                            bytes.resize(static_cast<size_t>(n));
                            WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, text, static_cast<int>(chars), bytes.data(),
                                                n, nullptr, nullptr);
                        }
                    }
                    break;
                }
                default:
                    return E_INVALIDARG;
            }
        }
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    if (bytes.size() > 0x7FFFFFFF) return E_INVALIDARG;
    int count = static_cast<int>(bytes.size());
    if (!IsMissing(&length)) {
        LONG wanted = 0;
        HRESULT hr = ToLong(&length, &wanted);
        if (FAILED(hr)) return hr;
        if (wanted < 0) return E_INVALIDARG;
        if (wanted < count) count = wanted;
    }
    const int n = InetWrite(handle_, bytes.data(), count);
    SetOutLong(result, n);
    if (n == -1) return MethodFailure(nullptr);
    return S_OK;
}

}  // namespace wirelatch
