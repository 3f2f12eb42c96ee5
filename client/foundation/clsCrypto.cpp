#include "clsCrypto.h"

#include <limits>
#include <vector>

#include "runtime/Conversions.h"

namespace skx {

namespace {

constexpr const char* kBaseProvider = "Microsoft Base Cryptographic Provider v1.0";

const BYTE* Bytes(const std::string& s) { return reinterpret_cast<const BYTE*>(s.data()); }

bool FitsDword(size_t n) { return n <= std::numeric_limits<DWORD>::max() / 2; }

// MD5 of data into digest; false at the first failing call.
bool Md5(HCRYPTPROV provider, const std::string& data, std::string& digest) {
    if (!FitsDword(data.size())) return false;
    CryptHash hash;
    if (!CryptCreateHash(provider, CALG_MD5, 0, 0, hash.put())) return false;
    if (!CryptHashData(hash.get(), Bytes(data), static_cast<DWORD>(data.size()), 0)) return false;
    DWORD size = 0;
    DWORD sizeLen = sizeof size;
    if (!CryptGetHashParam(hash.get(), HP_HASHSIZE, reinterpret_cast<BYTE*>(&size), &sizeLen, 0))
        return false;
    std::vector<BYTE> value(size);
    DWORD valueLen = size;
    if (!CryptGetHashParam(hash.get(), HP_HASHVAL, value.data(), &valueLen, 0)) return false;
    if (!hash.reset()) return false;
    if (valueLen > size) return false;
    digest.assign(reinterpret_cast<const char*>(value.data()), valueLen);
    return true;
}

}  // namespace

namespace {

bool Acquire(CryptProvider& provider) {
    if (CryptAcquireContextA(provider.put(), nullptr, kBaseProvider, PROV_RSA_FULL, 0)) return true;
    if (CryptAcquireContextA(provider.put(), nullptr, kBaseProvider, PROV_RSA_FULL, CRYPT_NEWKEYSET))
        return true;
    // No key container can be opened or made (a locked-down profile): the hashes and the
    // derived session keys need none, and give the same bytes.
    return CryptAcquireContextA(provider.put(), nullptr, kBaseProvider, PROV_RSA_FULL,
                                CRYPT_VERIFYCONTEXT) != FALSE;
}

// One context for the run, which every object shares (counted): a provider may keep a handle
// of its key container for each context acquired and released (Wine's does), and every error
// report makes an object.
HCRYPTPROV SharedProvider() {
    static CryptProvider shared;
    static const bool acquired = Acquire(shared);
    return acquired ? shared.get() : 0;
}

}  // namespace

clsCrypto::clsCrypto() { InitUser(); }

bool clsCrypto::InitUser() {
    const HCRYPTPROV shared = SharedProvider();
    if (!shared || !CryptContextAddRef(shared, nullptr, 0)) return false;
    *provider_.put() = shared;
    return true;
}

bool clsCrypto::GeneratePasswordKey() {
    if (!provider_ || !FitsDword(password_.size())) return false;
    CryptHash hash;
    if (!CryptCreateHash(provider_.get(), CALG_MD5, 0, 0, hash.put())) return false;
    if (!CryptHashData(hash.get(), Bytes(password_), static_cast<DWORD>(password_.size()), 0))
        return false;
    CryptKey key;
    if (!CryptDeriveKey(provider_.get(), CALG_RC2, hash.get(), 0, key.put())) return false;
    key_ = std::move(key);
    return hash.reset();
}

bool clsCrypto::EncryptMessageData() {
    if (!key_ || !FitsDword(inBuffer_.size())) return false;
    const DWORD dataLen = static_cast<DWORD>(inBuffer_.size());
    DWORD needed = dataLen;
    if (!CryptEncrypt(key_.get(), 0, TRUE, 0, nullptr, &needed, 0)) return false;
    if (!FitsDword(needed) || needed < dataLen) return false;
    std::vector<BYTE> buffer(static_cast<size_t>(needed) * 2, 0);
    std::copy(inBuffer_.begin(), inBuffer_.end(), buffer.begin());
    DWORD len = dataLen;
    if (!CryptEncrypt(key_.get(), 0, TRUE, 0, buffer.data(), &len, static_cast<DWORD>(buffer.size())))
        return false;
    if (len > buffer.size()) return false;
    outBuffer_.assign(reinterpret_cast<const char*>(buffer.data()), len);
    return true;
}

bool clsCrypto::DestroySessionKey() {
    if (!key_) return false;
    return key_.reset();
}

bool clsCrypto::DecryptMessageData() {
    if (!key_ || !FitsDword(inBuffer_.size())) return false;
    std::vector<BYTE> buffer(inBuffer_.begin(), inBuffer_.end());
    DWORD len = static_cast<DWORD>(buffer.size());
    if (!CryptDecrypt(key_.get(), 0, TRUE, 0, buffer.data(), &len)) return false;
    if (len > buffer.size()) return false;
    outBuffer_.assign(reinterpret_cast<const char*>(buffer.data()), len);
    return true;
}

bool clsCrypto::HashFile() {
    if (!provider_) return false;
    std::string digest;
    if (!Md5(provider_.get(), inBuffer_, digest)) return false;
    hashValue_ = std::move(digest);
    hashLength_ = static_cast<int16_t>(hashValue_.size());
    return true;
}

bool clsCrypto::EncryptFileData() {
    inBuffer_ = CStr(hashLength_) + hashValue_ + inBuffer_;
    return EncryptMessageData();
}

bool clsCrypto::DecryptFileData() {
    // Whatever fails, no stale or unchecked plain text is left behind in OutBuffer.
    if (!DecryptMessageData()) {
        outBuffer_.clear();
        return false;
    }
    // The plain text starts with the digest length in two decimal digits.
    double n = -1;
    if (outBuffer_.size() < 2 || !TryParseNumber(outBuffer_.substr(0, 2), n) || n < 0 ||
        n != static_cast<double>(static_cast<int>(n)) || n > static_cast<double>(outBuffer_.size() - 2)) {
        outBuffer_.clear();
        return false;
    }
    const size_t digestLen = static_cast<size_t>(n);
    const std::string stored = outBuffer_.substr(2, digestLen);
    inBuffer_ = outBuffer_.substr(2 + digestLen);
    if (!HashFile() || hashValue_ != stored) {
        outBuffer_.clear();
        return false;
    }
    outBuffer_ = inBuffer_;
    return true;
}

}  // namespace skx
