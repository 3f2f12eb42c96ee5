// The security fields every socket record carries: the Schannel credentials and context of a
// secure socket, its stream sizes, the counts of its two 64 KB buffers, and the certificate
// status and texts reported by the security information calls.
#pragma once
#include <winsock2.h>
#include <windows.h>
#define SECURITY_WIN32
#include <schannel.h>
#include <security.h>
#include <wincrypt.h>

#include <memory>

namespace inet {

struct SecureFields {
    SecureFields() = default;
    ~SecureFields();  // releases a context and credentials still held
    SecureFields(const SecureFields&) = delete;
    SecureFields& operator=(const SecureFields&) = delete;

    DWORD protocols = 0;          // wlSecureProtocolConstants bits offered
    DWORD certificateStatus = 0;  // policy error of the last certificate check, 0 = passed
    std::unique_ptr<char[]> issuerA;
    std::unique_ptr<wchar_t[]> issuerW;
    std::unique_ptr<char[]> subjectA;
    std::unique_ptr<wchar_t[]> subjectW;
    SECURITY_STATUS lastStatus = 0;
    SCHANNEL_CRED description{};
    CredHandle credentials{};
    bool haveCredentials = false;
    CtxtHandle context{};
    CtxtHandle* contextPtr = nullptr;  // &context while a context exists
    SecPkgContext_StreamSizes sizes{};
    int inCount = 0;      // encrypted bytes held in the record's input buffer
    int plainCount = 0;   // decrypted bytes waiting in the record's plaintext buffer
    bool pending = false; // the input buffer holds bytes to decrypt before receiving more
    bool server = false;  // the accepting side of the connection
    // Event mode set aside while a handshake or a read runs on the socket.
    bool suspended = false;
    UINT suspendedMessage = 0;
};

}  // namespace inet
