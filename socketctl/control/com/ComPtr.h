// Owners of COM references and automation values: ComPtr, BStr and VariantValue.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>

#include <utility>

namespace wirelatch {

// Holds one reference to a COM object.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(T* p) : p_(p) {  // NOLINT: adds its own reference
        if (p_) p_->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~ComPtr() { Reset(); }
    ComPtr& operator=(const ComPtr& other) {
        ComPtr(other).Swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept {
        ComPtr(std::move(other)).Swap(*this);
        return *this;
    }

    // Takes over a reference the caller already owns.
    static ComPtr Adopt(T* p) {
        ComPtr result;
        result.p_ = p;
        return result;
    }
    void Reset() {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }
    void Swap(ComPtr& other) noexcept { std::swap(p_, other.p_); }
    // The address of an empty holder, for functions that return a new reference.
    T** Receive() {
        Reset();
        return &p_;
    }
    // Hands a new reference to an out parameter.
    void CopyTo(T** out) const {
        *out = p_;
        if (p_) p_->AddRef();
    }
    template <typename U>
    ComPtr<U> As(REFIID iid) const {
        ComPtr<U> result;
        if (p_) p_->QueryInterface(iid, reinterpret_cast<void**>(result.Receive()));
        return result;
    }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// Owns one BSTR.
class BStr {
public:
    BStr() = default;
    explicit BStr(const wchar_t* text) : s_(text ? SysAllocString(text) : nullptr) {}
    BStr(const BStr&) = delete;
    BStr& operator=(const BStr&) = delete;
    BStr(BStr&& other) noexcept : s_(std::exchange(other.s_, nullptr)) {}
    BStr& operator=(BStr&& other) noexcept {
        if (this != &other) {
            Reset();
            s_ = std::exchange(other.s_, nullptr);
        }
        return *this;
    }
    ~BStr() { Reset(); }

    static BStr Adopt(BSTR s) {
        BStr result;
        result.s_ = s;
        return result;
    }
    void Reset() {
        if (s_) SysFreeString(std::exchange(s_, nullptr));
    }
    BSTR Get() const { return s_; }
    BSTR Release() { return std::exchange(s_, nullptr); }
    BSTR* Receive() {
        Reset();
        return &s_;
    }
    UINT Length() const { return s_ ? SysStringLen(s_) : 0; }
    bool Empty() const { return Length() == 0; }

private:
    BSTR s_ = nullptr;
};

// Owns one VARIANT and clears it when it goes.
class VariantValue {
public:
    VariantValue() { VariantInit(&v_); }
    VariantValue(const VariantValue&) = delete;
    VariantValue& operator=(const VariantValue&) = delete;
    ~VariantValue() { VariantClear(&v_); }
    VARIANT* Get() { return &v_; }
    const VARIANT* Get() const { return &v_; }
    VARIANT* Receive() {
        VariantClear(&v_);
        return &v_;
    }
    VARIANT* operator->() { return &v_; }

private:
    VARIANT v_;
};

}  // namespace wirelatch
