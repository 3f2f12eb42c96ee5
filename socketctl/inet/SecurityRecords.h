// Conversions of security credentials records between their narrow and wide forms.
#pragma once
#include "Tetherline.h"

namespace inet {

// One new block in the other form (free it with InetDeleteSecurityCredentialsA/W): 1, with
// `out` null for a null record; 0 with 10014 for a record whose size is too small.
int InetCredentialsToAnsi(const SECURITYCREDENTIALSW* wide, SECURITYCREDENTIALSA** out);
int InetCredentialsToWide(const SECURITYCREDENTIALSA* narrow, SECURITYCREDENTIALSW** out);

// Frees a converted record when it goes.
class AnsiCredentials {
public:
    AnsiCredentials() = default;
    ~AnsiCredentials() { InetDeleteSecurityCredentialsA(&record_); }
    AnsiCredentials(const AnsiCredentials&) = delete;
    AnsiCredentials& operator=(const AnsiCredentials&) = delete;
    SECURITYCREDENTIALSA** out() { return &record_; }
    SECURITYCREDENTIALSA* get() const { return record_; }

private:
    SECURITYCREDENTIALSA* record_ = nullptr;
};

}  // namespace inet
