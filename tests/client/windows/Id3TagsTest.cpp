#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "Id3Tags.h"

using namespace skx;
using namespace std::string_literals;

namespace {

// v in n bytes of `bits` bits each, most significant first (7 bits: a syncsafe number).
std::string Number(uint32_t v, int n, int bits = 8) {
    std::string s;
    for (int i = n - 1; i >= 0; --i) s += static_cast<char>((v >> (bits * i)) & ((1u << bits) - 1));
    return s;
}
std::string Frame(int major, const std::string& id, const std::string& data) {
    const auto n = static_cast<uint32_t>(data.size());
    if (major == 2) return id + Number(n, 3) + data;
    return id + (major == 3 ? Number(n, 4) : Number(n, 4, 7)) + "\0\0"s + data;
}
std::string Tag(int major, int flags, const std::string& body, std::string size = {}) {
    if (size.empty()) size = Number(static_cast<uint32_t>(body.size()), 4, 7);
    return "ID3"s + static_cast<char>(major) + '\0' + static_cast<char>(flags) + size + body;
}
std::string Version1(std::string title, std::string artist) {
    title.resize(30, '\0');
    artist.resize(30, ' ');
    return "TAG" + title + artist + std::string(65, '\0');
}
// Title and artist as "title|artist".
std::string Read(const std::string& head, const std::string& tail = {}) {
    const Id3Texts t = ReadId3Texts(head, tail);
    return t.Title + "|" + t.Artist;
}

}  // namespace

TEST(Id3Tags, TitleAndArtistOfEachVersionAndEncoding) {
    EXPECT_EQ(Read(Tag(2, 0, Frame(2, "TT2", "\0T2"s) + Frame(2, "TP1", "\0A2"s))), "T2|A2");
    std::string latin = Frame(3, "TIT2", "\0Caf\xE9\xFF" "A"s) + Frame(3, "TPE1", "\0A3"s);
    latin.insert(latin.find('\xFF') + 1, 1, '\0');  // unsynchronised: a 0x00 after the 0xFF in the file
    EXPECT_EQ(Read(Tag(3, 0x80, latin)), "Caf\xE9\xFF" "A|A3");
    // "T1", the euro sign and a character beyond code page 1252, little-endian behind the mark.
    const std::string utf16 = "\x01\xFF\xFET\0" "1\0\xAC\x20\x3D\xD8\x00\xDE\0\0"s;
    EXPECT_EQ(Read(Tag(3, 0, Frame(3, "TIT2", utf16) + std::string(20, '\0'))), "T1\x80?|");
    const std::string longTitle = "\x03\xC3\xA9"s + std::string(1200, 'x');
    const std::string extended = Number(6, 4, 7) + "\x01\0"s;
    const std::string v24 = Tag(4, 0x40, extended + Frame(4, "TPE1", "\x02\0A\0" "4"s) + Frame(4, "TIT2", longTitle));
    EXPECT_EQ(Read(v24), "\xE9" + std::string(MaxId3Text - 1, 'x') + "|A4");  // cut to 1,000 characters
}

TEST(Id3Tags, VersionOneFillsWhatVersionTwoLacks) {
    EXPECT_EQ(Read("", std::string(7, 'z') + Version1("Title One  ", "Artist\0junk"s)), "Title One|Artist");
    EXPECT_EQ(Read(Tag(3, 0, Frame(3, "TIT2", "\0V2"s)), Version1("v1 title", "v1 artist")), "V2|v1 artist");
}

TEST(Id3Tags, MalformedTagsGiveWhatCanBeRead) {
    const std::string title = Frame(3, "TIT2", "\0T"s);
    // Declared 1000 bytes, the file ends inside the artist frame.
    EXPECT_EQ(Read(Tag(3, 0, title + Frame(3, "TPE1", "\0Artist"s).substr(0, 13), Number(1000, 4, 7))), "T|");
    EXPECT_EQ(Read(Tag(3, 0, title + "TPE1\xFF\xFF\xFF\xF0\0\0\0A"s)), "T|");  // a frame past the end
    EXPECT_EQ(Read(Tag(3, 0, Frame(3, "TPE1", "\0X"s), "\x80\0\0\0"s), Version1("one", "two")), "one|two");  // 2 GB
    EXPECT_EQ(Read(Tag(4, 0, Frame(4, "TIT2", "\x07?"s) + title, "\x7F\x7F\x7F\x7F"s)), "|");  // unknown encoding
    EXPECT_EQ(Read("ID3\x03", "TAG"), "|");
}
