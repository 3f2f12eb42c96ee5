// An independent decoder for enciphered report files, written from the algorithm
// descriptions (MD5 of RFC 1321, RC2 of RFC 2268, CBC with a zero initial vector and
// PKCS #5 padding), so that tests can check the CryptoAPI wrapper's bytes without it.
#pragma once
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace reference {

inline std::string Md5(const std::string& message) {
    static const int kShift[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                                   5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                                   4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                                   6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};
    uint32_t k[64];
    for (int i = 0; i < 64; ++i)
        k[i] = static_cast<uint32_t>(std::floor(std::fabs(std::sin(i + 1.0)) * 4294967296.0));
    std::string m = message;
    const uint64_t bits = static_cast<uint64_t>(message.size()) * 8;
    m += static_cast<char>(0x80);
    while (m.size() % 64 != 56) m += '\0';
    for (int i = 0; i < 8; ++i) m += static_cast<char>((bits >> (8 * i)) & 0xFF);
    uint32_t a0 = 0x67452301, b0 = 0xefcdab89, c0 = 0x98badcfe, d0 = 0x10325476;
    for (size_t off = 0; off < m.size(); off += 64) {
        uint32_t w[16];
        for (int i = 0; i < 16; ++i) {
            w[i] = 0;
            for (int j = 0; j < 4; ++j)
                w[i] |= static_cast<uint32_t>(static_cast<uint8_t>(m[off + 4 * i + j])) << (8 * j);
        }
        uint32_t a = a0, b = b0, c = c0, d = d0;
        for (int i = 0; i < 64; ++i) {
            uint32_t f;
            int g;
            if (i < 16) { f = (b & c) | (~b & d); g = i; }
            else if (i < 32) { f = (d & b) | (~d & c); g = (5 * i + 1) % 16; }
            else if (i < 48) { f = b ^ c ^ d; g = (3 * i + 5) % 16; }
            else { f = c ^ (b | ~d); g = (7 * i) % 16; }
            const uint32_t sum = a + f + k[i] + w[g];
            a = d;
            d = c;
            c = b;
            b = b + ((sum << kShift[i]) | (sum >> (32 - kShift[i])));
        }
        a0 += a; b0 += b; c0 += c; d0 += d;
    }
    std::string out;
    for (uint32_t v : {a0, b0, c0, d0})
        for (int j = 0; j < 4; ++j) out += static_cast<char>((v >> (8 * j)) & 0xFF);
    return out;
}

// The RC2 key schedule of RFC 2268 for a key of any length and an effective key length.
class Rc2 {
public:
    Rc2(const std::string& key, int effectiveBits) {
        static const uint8_t kPi[256] = {
            0xD9, 0x78, 0xF9, 0xC4, 0x19, 0xDD, 0xB5, 0xED, 0x28, 0xE9, 0xFD, 0x79, 0x4A, 0xA0, 0xD8, 0x9D,
            0xC6, 0x7E, 0x37, 0x83, 0x2B, 0x76, 0x53, 0x8E, 0x62, 0x4C, 0x64, 0x88, 0x44, 0x8B, 0xFB, 0xA2,
            0x17, 0x9A, 0x59, 0xF5, 0x87, 0xB3, 0x4F, 0x13, 0x61, 0x45, 0x6D, 0x8D, 0x09, 0x81, 0x7D, 0x32,
            0xBD, 0x8F, 0x40, 0xEB, 0x86, 0xB7, 0x7B, 0x0B, 0xF0, 0x95, 0x21, 0x22, 0x5C, 0x6B, 0x4E, 0x82,
            0x54, 0xD6, 0x65, 0x93, 0xCE, 0x60, 0xB2, 0x1C, 0x73, 0x56, 0xC0, 0x14, 0xA7, 0x8C, 0xF1, 0xDC,
            0x12, 0x75, 0xCA, 0x1F, 0x3B, 0xBE, 0xE4, 0xD1, 0x42, 0x3D, 0xD4, 0x30, 0xA3, 0x3C, 0xB6, 0x26,
            0x6F, 0xBF, 0x0E, 0xDA, 0x46, 0x69, 0x07, 0x57, 0x27, 0xF2, 0x1D, 0x9B, 0xBC, 0x94, 0x43, 0x03,
            0xF8, 0x11, 0xC7, 0xF6, 0x90, 0xEF, 0x3E, 0xE7, 0x06, 0xC3, 0xD5, 0x2F, 0xC8, 0x66, 0x1E, 0xD7,
            0x08, 0xE8, 0xEA, 0xDE, 0x80, 0x52, 0xEE, 0xF7, 0x84, 0xAA, 0x72, 0xAC, 0x35, 0x4D, 0x6A, 0x2A,
            0x96, 0x1A, 0xD2, 0x71, 0x5A, 0x15, 0x49, 0x74, 0x4B, 0x9F, 0xD0, 0x5E, 0x04, 0x18, 0xA4, 0xEC,
            0xC2, 0xE0, 0x41, 0x6E, 0x0F, 0x51, 0xCB, 0xCC, 0x24, 0x91, 0xAF, 0x50, 0xA1, 0xF4, 0x70, 0x39,
            0x99, 0x7C, 0x3A, 0x85, 0x23, 0xB8, 0xB4, 0x7A, 0xFC, 0x02, 0x36, 0x5B, 0x25, 0x55, 0x97, 0x31,
            0x2D, 0x5D, 0xFA, 0x98, 0xE3, 0x8A, 0x92, 0xAE, 0x05, 0xDF, 0x29, 0x10, 0x67, 0x6C, 0xBA, 0xC9,
            0xD3, 0x00, 0xE6, 0xCF, 0xE1, 0x9E, 0xA8, 0x2C, 0x63, 0x16, 0x01, 0x3F, 0x58, 0xE2, 0x89, 0xA9,
            0x0D, 0x38, 0x34, 0x1B, 0xAB, 0x33, 0xFF, 0xB0, 0xBB, 0x48, 0x0C, 0x5F, 0xB9, 0xB1, 0xCD, 0x2E,
            0xC5, 0xF3, 0xDB, 0x47, 0xE5, 0xA5, 0x9C, 0x77, 0x0A, 0xA6, 0x20, 0x68, 0xFE, 0x7F, 0xC1, 0xAD};
        std::array<uint8_t, 128> l{};
        const size_t t = key.size();
        for (size_t i = 0; i < t; ++i) l[i] = static_cast<uint8_t>(key[i]);
        for (size_t i = t; i < 128; ++i) l[i] = kPi[(l[i - 1] + l[i - t]) & 0xFF];
        const int t8 = (effectiveBits + 7) / 8;
        const int tm = 0xFF >> (8 * t8 - effectiveBits);
        l[128 - t8] = kPi[l[128 - t8] & tm];
        for (int i = 127 - t8; i >= 0; --i) l[i] = kPi[l[i + 1] ^ l[i + t8]];
        for (int i = 0; i < 64; ++i) k_[i] = static_cast<uint16_t>(l[2 * i] | (l[2 * i + 1] << 8));
    }

    void DecryptBlock(uint8_t* block) const {
        uint16_t r[4];
        for (int i = 0; i < 4; ++i) r[i] = static_cast<uint16_t>(block[2 * i] | (block[2 * i + 1] << 8));
        static const int kRot[4] = {1, 2, 3, 5};
        int j = 63;
        auto mixRound = [&] {
            for (int i = 3; i >= 0; --i) {
                r[i] = static_cast<uint16_t>((r[i] >> kRot[i]) | (r[i] << (16 - kRot[i])));
                r[i] = static_cast<uint16_t>(r[i] - k_[j] - (r[(i + 3) % 4] & r[(i + 2) % 4]) -
                                             (~r[(i + 3) % 4] & r[(i + 1) % 4]));
                --j;
            }
        };
        auto mashRound = [&] {
            for (int i = 3; i >= 0; --i) r[i] = static_cast<uint16_t>(r[i] - k_[r[(i + 3) % 4] & 63]);
        };
        for (int n = 0; n < 5; ++n) mixRound();
        mashRound();
        for (int n = 0; n < 6; ++n) mixRound();
        mashRound();
        for (int n = 0; n < 5; ++n) mixRound();
        for (int i = 0; i < 4; ++i) {
            block[2 * i] = static_cast<uint8_t>(r[i] & 0xFF);
            block[2 * i + 1] = static_cast<uint8_t>(r[i] >> 8);
        }
    }

private:
    uint16_t k_[64];
};

// RC2-CBC with a zero initial vector; the PKCS #5 padding checked and removed.
inline std::optional<std::string> Rc2CbcDecrypt(const Rc2& cipher, const std::string& data) {
    if (data.empty() || data.size() % 8 != 0) return std::nullopt;
    std::string out;
    uint8_t prev[8] = {};
    for (size_t off = 0; off < data.size(); off += 8) {
        uint8_t block[8];
        for (int i = 0; i < 8; ++i) block[i] = static_cast<uint8_t>(data[off + i]);
        uint8_t saved[8];
        std::copy(block, block + 8, saved);
        cipher.DecryptBlock(block);
        for (int i = 0; i < 8; ++i) out += static_cast<char>(block[i] ^ prev[i]);
        std::copy(saved, saved + 8, prev);
    }
    const uint8_t pad = static_cast<uint8_t>(out.back());
    if (pad < 1 || pad > 8) return std::nullopt;
    for (size_t i = out.size() - pad; i < out.size(); ++i)
        if (static_cast<uint8_t>(out[i]) != pad) return std::nullopt;
    out.resize(out.size() - pad);
    return out;
}

// The report file's plain text: the provider's 40-bit key is the first five bytes of the
// password's MD5 digest followed by eleven zero bytes of salt, at 40 effective bits.
inline std::optional<std::string> DecipherReport(const std::string& password, const std::string& file) {
    const std::string digest = Md5(password);
    const Rc2 cipher(digest.substr(0, 5) + std::string(11, '\0'), 40);
    auto plain = Rc2CbcDecrypt(cipher, file);
    if (!plain || plain->size() < 18 || plain->substr(0, 2) != "16") return std::nullopt;
    const std::string data = plain->substr(18);
    if (Md5(data) != plain->substr(2, 16)) return std::nullopt;
    return data;
}

}  // namespace reference
