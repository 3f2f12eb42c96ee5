#include "LetterPairCipher.h"

#include <utility>

#include "runtime/RunTimeError.h"

namespace skx {

namespace {
// The password's characters beyond the key that are still accepted (and ignored).
constexpr size_t AcceptedPasswordLength = 17;
}  // namespace

void clsHighEnc::Start() {
    dataOut_.clear();
    si_ = 0;
    x1a2_ = 0;
    i_ = 0;
    key_.fill(0);
    if (password_.size() > AcceptedPasswordLength) Raise(errSubscriptOutOfRange, "clsHighEnc");
    for (size_t n = 0; n < password_.size() && n < key_.size(); ++n)
        key_[n] = static_cast<uint8_t>(password_[n]);
}

void clsHighEnc::MixStep() {
    uint16_t dx = static_cast<uint16_t>(x1a2_ + i_);
    uint16_t ax = x_[i_];
    uint16_t cx = 346;
    const uint16_t bx = 20021;
    std::swap(ax, si_);
    std::swap(ax, dx);
    if (ax != 0) ax = static_cast<uint16_t>(ax * bx);
    std::swap(ax, cx);
    if (ax != 0) {
        ax = static_cast<uint16_t>(ax * si_);
        cx = static_cast<uint16_t>(ax + cx);
    }
    std::swap(ax, si_);
    ax = static_cast<uint16_t>(ax * bx);
    dx = static_cast<uint16_t>(cx + dx);
    ax = static_cast<uint16_t>(ax + 1);
    x1a2_ = dx;
    x_[i_] = ax;
    res_ = static_cast<uint16_t>(ax ^ dx);
    ++i_;
}

void clsHighEnc::KeyStep() {
    x_[0] = static_cast<uint16_t>(key_[0] * 256 + key_[1]);
    MixStep();
    inter_ = res_;
    for (unsigned j = 1; j <= 7; ++j) {
        x_[j] = static_cast<uint16_t>(x_[j - 1] ^ (key_[2 * j] * 256 + key_[2 * j + 1]));
        MixStep();
        inter_ = static_cast<uint16_t>(inter_ ^ res_);
    }
    i_ = 0;
}

void clsHighEnc::Crypt() {
    Start();
    dataOut_.reserve(dataIn_.size() * 2);
    for (char ch : dataIn_) {
        uint8_t c = static_cast<uint8_t>(ch);
        KeyStep();
        const uint8_t cfc = static_cast<uint8_t>(inter_ >> 8);
        const uint8_t cfd = static_cast<uint8_t>(inter_ & 0xFF);
        for (auto& k : key_) k = static_cast<uint8_t>(k ^ c);
        c = static_cast<uint8_t>(c ^ (cfc ^ cfd));
        dataOut_ += static_cast<char>('a' + (c >> 4));
        dataOut_ += static_cast<char>('a' + (c & 15));
    }
}

void clsHighEnc::Decrypt() {
    Start();
    dataOut_.reserve(dataIn_.size() / 2 + 1);
    uint8_t c = 0;
    for (size_t pos = 0; pos < dataIn_.size(); pos += 2) {
        const int first = static_cast<uint8_t>(dataIn_[pos]);
        const int second = static_cast<uint8_t>(pos + 1 < dataIn_.size() ? dataIn_[pos + 1] : dataIn_[pos]);
        int d = first;
        if (d - 97 >= 0) {
            d -= 97;
            if (d <= 15) d *= 16;
        }
        const int e = second - 97;
        if (e >= 0 && e <= 15) c = static_cast<uint8_t>(d + e);
        KeyStep();
        const uint8_t cfc = static_cast<uint8_t>(inter_ >> 8);
        const uint8_t cfd = static_cast<uint8_t>(inter_ & 0xFF);
        c = static_cast<uint8_t>(c ^ (cfc ^ cfd));
        for (auto& k : key_) k = static_cast<uint8_t>(k ^ c);
        dataOut_ += static_cast<char>(c);
    }
}

std::string LetterPairEncipher(const std::string& plain, const std::string& password) {
    clsHighEnc cipher;
    cipher.SetPassword(password);
    cipher.SetDataIn(plain);
    cipher.Crypt();
    return cipher.DataOut();
}

std::string LetterPairDecipher(const std::string& letters, const std::string& password) {
    clsHighEnc cipher;
    cipher.SetPassword(password);
    cipher.SetDataIn(letters);
    cipher.Decrypt();
    return cipher.DataOut();
}

}  // namespace skx
