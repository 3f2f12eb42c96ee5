// Owning wrappers for the CryptoAPI handles: a provider context, a hash object and a key.
// Each releases its handle when it goes out of scope or is reset.
#pragma once
#include <windows.h>
#include <wincrypt.h>

#include <utility>

namespace skx {

template <class H, BOOL(WINAPI* Free)(H)>
class CryptHandle {
public:
    CryptHandle() = default;
    explicit CryptHandle(H h) : h_(h) {}
    ~CryptHandle() { reset(); }
    CryptHandle(const CryptHandle&) = delete;
    CryptHandle& operator=(const CryptHandle&) = delete;
    CryptHandle(CryptHandle&& other) noexcept : h_(std::exchange(other.h_, H{})) {}
    CryptHandle& operator=(CryptHandle&& other) noexcept {
        if (this != &other) {
            reset();
            h_ = std::exchange(other.h_, H{});
        }
        return *this;
    }

    H get() const { return h_; }
    explicit operator bool() const { return h_ != H{}; }
    // The address of the handle for a call that fills it; any handle held is released first.
    H* put() {
        reset();
        return &h_;
    }
    // Releases the handle; true when there was none or the release succeeded.
    bool reset() {
        if (h_ == H{}) return true;
        BOOL ok = Free(std::exchange(h_, H{}));
        return ok != FALSE;
    }

private:
    H h_{};
};

namespace detail {
inline BOOL WINAPI ReleaseProvider(HCRYPTPROV h) { return CryptReleaseContext(h, 0); }
}  // namespace detail

using CryptProvider = CryptHandle<HCRYPTPROV, &detail::ReleaseProvider>;
using CryptHash = CryptHandle<HCRYPTHASH, &CryptDestroyHash>;
using CryptKey = CryptHandle<HCRYPTKEY, &CryptDestroyKey>;

}  // namespace skx
