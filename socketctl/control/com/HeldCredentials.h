// The security credentials record the control holds for Accept and Authenticate: made by the
// sockets library, freed through it when replaced or when the control goes.
#pragma once
#include "Tetherline.h"

namespace wirelatch {

class HeldCredentials {
public:
    HeldCredentials() = default;
    ~HeldCredentials() { Reset(); }
    HeldCredentials(const HeldCredentials&) = delete;
    HeldCredentials& operator=(const HeldCredentials&) = delete;

    // Frees the record held, if any.
    void Reset() { InetDeleteSecurityCredentialsA(&record_); }
    // The place for a new record (the library frees the one held first).
    LPSECURITYCREDENTIALSA* Out() { return &record_; }
    LPSECURITYCREDENTIALSA Get() const { return record_; }

private:
    LPSECURITYCREDENTIALSA record_ = nullptr;
};

}  // namespace wirelatch
