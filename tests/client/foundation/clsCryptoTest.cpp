#include <gtest/gtest.h>

#include <string>

#include "ReferenceCipher.h"
#include "clsCrypto.h"

using namespace skx;

namespace {

std::string Hex(const std::string& bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string Unhex(const std::string& hex) {
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

std::string AllBytes() {
    std::string s;
    for (int i = 0; i < 256; ++i) s += static_cast<char>(i);
    return s;
}

// Enciphers data the way the error reporter does.
std::string EncipherFile(const std::string& password, const std::string& data) {
    clsCrypto c;
    c.SetPassword(password);
    c.SetInBuffer(data);
    EXPECT_TRUE(c.HashFile());
    EXPECT_TRUE(c.GeneratePasswordKey());
    EXPECT_TRUE(c.EncryptFileData());
    EXPECT_TRUE(c.DestroySessionKey());
    return c.OutBuffer();
}

// Enciphers a prepared plain text as it stands (no digest prefix).
std::string EncipherRaw(const std::string& password, const std::string& plain) {
    clsCrypto c;
    c.SetPassword(password);
    EXPECT_TRUE(c.GeneratePasswordKey());
    c.SetInBuffer(plain);
    EXPECT_TRUE(c.EncryptMessageData());
    return c.OutBuffer();
}

bool DecipherFile(const std::string& password, const std::string& file, std::string& out) {
    clsCrypto c;
    c.SetPassword(password);
    EXPECT_TRUE(c.GeneratePasswordKey());
    c.SetInBuffer(file);
    bool ok = c.DecryptFileData();
    out = c.OutBuffer();
    return ok;
}

}  // namespace

TEST(clsCrypto, Md5OfKnownTextsFromTheProvider) {
    clsCrypto c;
    ASSERT_TRUE(c.HasProvider());
    c.SetInBuffer("abc");
    ASSERT_TRUE(c.HashFile());
    EXPECT_EQ(Hex(c.HashValue()), "900150983cd24fb0d6963f7d28e17f72");
    c.SetInBuffer("");
    ASSERT_TRUE(c.HashFile());
    EXPECT_EQ(Hex(c.HashValue()), "d41d8cd98f00b204e9800998ecf8427e");
    c.SetInBuffer("The quick brown fox jumps over the lazy dog");
    ASSERT_TRUE(c.HashFile());
    EXPECT_EQ(Hex(c.HashValue()), "9e107d9d372bb6826bd81d3542a419d6");
    // Bytes above 127 and NUL go through as single bytes.
    c.SetInBuffer(AllBytes());
    ASSERT_TRUE(c.HashFile());
    EXPECT_EQ(c.HashValue(), reference::Md5(AllBytes()));
}

TEST(clsCrypto, ReferenceDecoderMatchesPublishedVectors) {
    // The test's own decoder against the published values before it judges the wrapper.
    EXPECT_EQ(Hex(reference::Md5("abc")), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(Hex(reference::Md5("")), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Hex(reference::Md5(std::string(1000, 'a'))), "cabe45dcc9ae5b66ba86600cca6b8ba8");
    struct Vector {
        const char *key, *plain, *cipher;
        int bits;
    } vectors[] = {
        {"0000000000000000", "0000000000000000", "ebb773f993278eff", 63},
        {"ffffffffffffffff", "ffffffffffffffff", "278b27e42e2f0d49", 64},
        {"3000000000000000", "1000000000000001", "30649edf9be7d2c2", 64},
        {"88bca90e90875a7f0f79c384627bafb2", "0000000000000000", "2269552ab0f85ca6", 128},
    };
    for (const Vector& v : vectors) {
        reference::Rc2 rc2(Unhex(v.key), v.bits);
        std::string block = Unhex(v.cipher);
        rc2.DecryptBlock(reinterpret_cast<uint8_t*>(block.data()));
        EXPECT_EQ(Hex(block), v.plain) << v.key;
    }
}

TEST(clsCrypto, FileDataMatchesTheIndependentDecoder) {
    for (const std::string& data : {std::string(), std::string("x"), std::string("Skirmora report\r\n"),
                                    AllBytes(), std::string(5000, 'q')}) {
        const std::string file = EncipherFile("Tw7Kp2Hd", data);
        auto plain = reference::DecipherReport("Tw7Kp2Hd", file);
        ASSERT_TRUE(plain.has_value()) << "length " << data.size();
        EXPECT_EQ(*plain, data);
        EXPECT_FALSE(reference::DecipherReport("Tw7Kp2He", file).has_value());
    }
}

TEST(clsCrypto, CipherTextLengthIsTheDigestPrefixPaddedToWholeBlocks) {
    for (size_t n : {0u, 1u, 5u, 6u, 7u, 13u, 14u, 22u, 100u}) {
        const std::string file = EncipherFile("pw", std::string(n, 'a'));
        const size_t plain = 18 + n;
        EXPECT_EQ(file.size(), (plain / 8 + 1) * 8) << n;
    }
    // An empty buffer alone is one block.
    EXPECT_EQ(EncipherRaw("pw", "").size(), 8u);
}

TEST(clsCrypto, RoundTripKeepsEveryByte) {
    const std::string data = AllBytes() + std::string("\0\0end", 5);
    std::string out;
    ASSERT_TRUE(DecipherFile("secret", EncipherFile("secret", data), out));
    EXPECT_EQ(out, data);
    // The message functions alone round-trip too.
    clsCrypto c;
    c.SetPassword("k");
    ASSERT_TRUE(c.GeneratePasswordKey());
    c.SetInBuffer(data);
    ASSERT_TRUE(c.EncryptMessageData());
    c.SetInBuffer(c.OutBuffer());
    ASSERT_TRUE(c.DecryptMessageData());
    EXPECT_EQ(c.OutBuffer(), data);
}

TEST(clsCrypto, WrongPasswordOrChangedFileFailsWithEmptyOutput) {
    const std::string file = EncipherFile("right", "some report text that is long enough");
    std::string out = "stale";
    EXPECT_FALSE(DecipherFile("wrong", file, out));
    EXPECT_EQ(out, "");
    for (size_t at : {size_t{0}, file.size() / 2, file.size() - 1}) {
        std::string changed = file;
        changed[at] = static_cast<char>(changed[at] ^ 0x40);
        out = "stale";
        EXPECT_FALSE(DecipherFile("right", changed, out)) << at;
        EXPECT_EQ(out, "");
    }
    // Not whole blocks.
    EXPECT_FALSE(DecipherFile("right", file.substr(0, file.size() - 3), out));
    EXPECT_FALSE(DecipherFile("right", "", out));
}

TEST(clsCrypto, DecryptFileDataChecksItsLengthField) {
    const std::string digestOfEmpty = reference::Md5("");
    std::string out;
    // Too short to hold the length field.
    EXPECT_FALSE(DecipherFile("p", EncipherRaw("p", ""), out));
    EXPECT_FALSE(DecipherFile("p", EncipherRaw("p", "1"), out));
    // Not a number, negative, or longer than what follows.
    EXPECT_FALSE(DecipherFile("p", EncipherRaw("p", "ab" + digestOfEmpty), out));
    EXPECT_FALSE(DecipherFile("p", EncipherRaw("p", "-1" + digestOfEmpty), out));
    EXPECT_FALSE(DecipherFile("p", EncipherRaw("p", "99" + digestOfEmpty), out));
    EXPECT_FALSE(DecipherFile("p", EncipherRaw("p", "17" + digestOfEmpty), out));
    EXPECT_EQ(out, "");
    // A well-formed text with an empty data part.
    EXPECT_TRUE(DecipherFile("p", EncipherRaw("p", "16" + digestOfEmpty), out));
    EXPECT_EQ(out, "");
}

TEST(clsCrypto, OperationsWithoutAKeyFail) {
    clsCrypto c;
    c.SetInBuffer("data");
    EXPECT_FALSE(c.EncryptMessageData());
    EXPECT_FALSE(c.DecryptMessageData());
    EXPECT_FALSE(c.DestroySessionKey());
    EXPECT_EQ(c.OutBuffer(), "");
    EXPECT_EQ(c.ErrorMsg(), "");
    c.SetPassword("p");
    ASSERT_TRUE(c.GeneratePasswordKey());
    ASSERT_TRUE(c.DestroySessionKey());
    EXPECT_FALSE(c.EncryptMessageData());
}
