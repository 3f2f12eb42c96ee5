// A COM object driven late-bound, by dispatch identifier (what the client does with the socket
// control). Creation by class identifier fails with run-time error 429; a failing call raises
// the object's error (its HRESULT as the number, its description when it gives one).
#pragma once
#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace skx {

// A VARIANT that clears itself.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    explicit Variant(bool b) : Variant() { v_.vt = VT_BOOL; v_.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE; }
    explicit Variant(int32_t n) : Variant() { v_.vt = VT_I4; v_.lVal = n; }
    explicit Variant(const std::string& s);
    // A copy of a VARIANT handed over by COM (an event's argument, say).
    explicit Variant(const VARIANT& v) : Variant() { VariantCopy(&v_, const_cast<VARIANT*>(&v)); }
    ~Variant() { VariantClear(&v_); }
    Variant(const Variant& other);
    Variant& operator=(const Variant& other);
    VARIANT* get() { return &v_; }
    const VARIANT* get() const { return &v_; }
    // Conversions as the language does them (raise 13 when the value does not convert).
    int32_t ToLong() const;
    bool ToBool() const;
    std::string ToString() const;

private:
    VARIANT v_;
};

class DispatchObject {
public:
    DispatchObject() = default;
    ~DispatchObject() { Release(); }
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    // Creates the object from its class identifier text ("{...}"); raises 429 when it cannot.
    void Create(const std::string& classId);
    // Holds an object made elsewhere (a reference is added).
    void Attach(IDispatch* disp) {
        Release();
        if (disp) disp->AddRef();
        disp_ = disp;
    }
    void Release();
    bool IsCreated() const { return disp_ != nullptr; }
    IDispatch* Get() const { return disp_; }

    void PropertyPut(DISPID id, const Variant& value);
    Variant PropertyGet(DISPID id);
    Variant Invoke(DISPID id, const std::vector<Variant>& args = {});

private:
    Variant Call(DISPID id, WORD flags, std::vector<Variant> args);
    IDispatch* disp_ = nullptr;
};

}  // namespace skx
