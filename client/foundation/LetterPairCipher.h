// The letter-pair cipher: a 16-bit self-synchronising stream cipher of the PC1 family (a key
// of 16 bytes, multipliers 20021 and 346) whose output is written as two letters "a" to "p"
// per byte, high half first. The settings files keep the saved password in this form.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace skx {

class clsHighEnc {
public:
    void SetPassword(const std::string& password) { password_ = password; }
    void SetDataIn(const std::string& data) { dataIn_ = data; }
    const std::string& DataOut() const { return dataOut_; }

    // Enciphers DataIn into DataOut as letter pairs. A password of more than 17 characters
    // raises error 9 (the first 16 make the key; a 17th is ignored).
    void Crypt();
    // Reads letter pairs from DataIn and writes the plain text to DataOut. An odd last
    // letter serves as both letters of the last pair.
    void Decrypt();

private:
    void Start();
    void MixStep();
    void KeyStep();

    std::string password_;
    std::string dataIn_;
    std::string dataOut_;

    std::array<uint8_t, 16> key_{};
    std::array<uint16_t, 8> x_{};
    uint16_t si_ = 0;
    uint16_t x1a2_ = 0;
    unsigned i_ = 0;
    uint16_t res_ = 0;
    uint16_t inter_ = 0;
};

// Enciphers or deciphers a text in one call.
std::string LetterPairEncipher(const std::string& plain, const std::string& password);
std::string LetterPairDecipher(const std::string& letters, const std::string& password);

}  // namespace skx
