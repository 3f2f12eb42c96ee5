// Known answers of the letter-pair cipher, computed with a separate model of the algorithm.
#include <gtest/gtest.h>

#include "LetterPairCipher.h"
#include "runtime/RunTimeError.h"

using namespace skx;

namespace {

struct Vector {
    std::string plain;
    std::string password;
    std::string letters;
};

const Vector Vectors[] = {
    {"", "1124", ""},
    {"hunter2", "1124", "fblmlpgdfedddj"},
    {"A", "", "cf"},
    {"Password", "2147", "glckmjfbpbelokjp"},
    {"abc", "0123456789abcde", "bholfh"},
    {"abc", "0123456789abcdef", "ppbaco"},
    {std::string("\x00\xff\x80 z", 5), "k", "fecofokijc"},
    {"The quick brown fox", "secret", "hpblmkbhdhjljalbhchmfdocjhibglinpmkcpo"},
};

std::vector<int> Codes(const std::string& text) {
    std::vector<int> codes;
    for (char c : text) codes.push_back(static_cast<unsigned char>(c));
    return codes;
}

}  // namespace

TEST(LetterPairCipher, EnciphersKnownAnswers) {
    for (const auto& v : Vectors) {
        EXPECT_EQ(LetterPairEncipher(v.plain, v.password), v.letters) << v.password;
    }
}

TEST(LetterPairCipher, DeciphersKnownAnswers) {
    for (const auto& v : Vectors) {
        EXPECT_EQ(LetterPairDecipher(v.letters, v.password), v.plain) << v.letters;
    }
}

TEST(LetterPairCipher, OutputIsTwoLettersFromAToPPerByte) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    const std::string letters = LetterPairEncipher(all, "1124");
    ASSERT_EQ(letters.size(), 512u);
    for (char c : letters) {
        EXPECT_GE(c, 'a');
        EXPECT_LE(c, 'p');
    }
    EXPECT_EQ(LetterPairDecipher(letters, "1124"), all);
}

TEST(LetterPairCipher, EachCallStartsAfresh) {
    clsHighEnc cipher;
    cipher.SetPassword("1124");
    cipher.SetDataIn("hunter2");
    cipher.Crypt();
    const std::string first = cipher.DataOut();
    cipher.Crypt();
    EXPECT_EQ(cipher.DataOut(), first);
    cipher.SetDataIn(first);
    cipher.Decrypt();
    EXPECT_EQ(cipher.DataOut(), "hunter2");
}

TEST(LetterPairCipher, ChangingOneByteChangesEveryByteAfterIt) {
    const std::string a = LetterPairEncipher("aaaaaaaa", "pw");
    const std::string b = LetterPairEncipher("aaabaaaa", "pw");
    EXPECT_EQ(a.substr(0, 6), b.substr(0, 6));
    for (size_t pair = 4; pair < 8; ++pair) EXPECT_NE(a.substr(pair * 2, 2), b.substr(pair * 2, 2)) << pair;
}

TEST(LetterPairCipher, SeventeenthPasswordCharacterIsIgnored) {
    EXPECT_EQ(LetterPairEncipher("abc", "0123456789abcdefX"), "ppbaco");
    EXPECT_EQ(LetterPairDecipher("ppbaco", "0123456789abcdefX"), "abc");
}

TEST(LetterPairCipher, LongerPasswordsAreRefusedWithSubscriptError) {
    for (size_t length : {18u, 19u, 64u, 1000u}) {
        try {
            LetterPairEncipher("abc", std::string(length, 'k'));
            ADD_FAILURE() << length;
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.Number(), errSubscriptOutOfRange);
        }
        EXPECT_THROW(LetterPairDecipher("ppbaco", std::string(length, 'k')), RunTimeError);
    }
}

TEST(LetterPairCipher, MalformedPairsFollowTheLetterRules) {
    // Odd length: the last letter is both letters of the last pair.
    EXPECT_EQ(Codes(LetterPairDecipher("abc", "1124")), (std::vector<int>{56, 120}));
    EXPECT_EQ(Codes(LetterPairDecipher("abcde", "")), (std::vector<int>{101, 138, 11}));
    // A first letter above "p" counts as its code minus 97, one below "a" with its full code;
    // a second letter outside "a".."p" keeps the byte before.
    EXPECT_EQ(Codes(LetterPairDecipher("za", "1124")), (std::vector<int>{32}));
    EXPECT_EQ(Codes(LetterPairDecipher("Aa", "1124")), (std::vector<int>{120}));
    EXPECT_EQ(Codes(LetterPairDecipher("zz", "1124")), (std::vector<int>{57}));
    EXPECT_EQ(Codes(LetterPairDecipher("AB", "1124")), (std::vector<int>{57}));
    EXPECT_EQ(Codes(LetterPairDecipher("zaAb", "1124")), (std::vector<int>{32, 229}));
    EXPECT_EQ(Codes(LetterPairDecipher("a", "")), (std::vector<int>{100}));
}
