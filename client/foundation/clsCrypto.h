// A small class over the Windows CryptoAPI: MD5 hashes and RC2 encipherment under a key
// derived from a password, on byte strings (one byte per character). The error reporter
// enciphers its report files with it.
//
// Enciphered file data is the RC2 encipherment, in one final block operation, of
// "16" + the MD5 digest of the data + the data (no header, length or salt around it).
#pragma once
#include <cstdint>
#include <string>

#include "CryptoHandles.h"

namespace skx {

class clsCrypto {
public:
    clsCrypto();  // acquires the provider context
    ~clsCrypto() = default;
    clsCrypto(const clsCrypto&) = delete;
    clsCrypto& operator=(const clsCrypto&) = delete;

    const std::string& InBuffer() const { return inBuffer_; }
    void SetInBuffer(std::string value) { inBuffer_ = std::move(value); }
    const std::string& OutBuffer() const { return outBuffer_; }
    const std::string& ErrorMsg() const { return errorMsg_; }
    // Derives the RC2 key from the MD5 hash of Password.
    bool GeneratePasswordKey();
    const std::string& Password() const { return password_; }
    void SetPassword(std::string value) { password_ = std::move(value); }
    // InBuffer enciphered into OutBuffer.
    bool EncryptMessageData();
    // Destroys the RC2 key.
    bool DestroySessionKey();
    // InBuffer deciphered into OutBuffer (padding removed).
    bool DecryptMessageData();
    // MD5 of InBuffer into the hash value.
    bool HashFile();
    // Prefixes InBuffer with the digest length and the hash value (HashFile must have run on
    // the same data) and enciphers the whole.
    bool EncryptFileData();
    // Deciphers enciphered file data and checks its digest; OutBuffer becomes the data, or
    // the empty text when the digest does not match.
    bool DecryptFileData();

    // The digest HashFile made, one character per byte.
    const std::string& HashValue() const { return hashValue_; }
    bool HasProvider() const { return static_cast<bool>(provider_); }

private:
    bool InitUser();

    std::string password_;
    std::string inBuffer_;
    std::string outBuffer_;
    std::string errorMsg_;
    CryptProvider provider_;
    CryptKey key_;
    std::string hashValue_;
    int16_t hashLength_ = 0;
};

}  // namespace skx
