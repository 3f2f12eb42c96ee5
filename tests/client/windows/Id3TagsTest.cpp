#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "Id3Tags.h"

using namespace skx;
using namespace std::string_literals;

namespace {

std::string BigEndian(uint32_t v, int n) {
    std::string s;
    for (int i = n - 1; i >= 0; --i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}
std::string Syncsafe(uint32_t v) {
    std::string s;
    for (int i = 3; i >= 0; --i) s += static_cast<char>((v >> (7 * i)) & 0x7F);
    return s;
}
std::string Frame(int major, const std::string& id, const std::string& data) {
    if (major == 2) return id + BigEndian(static_cast<uint32_t>(data.size()), 3) + data;
    return id + (major == 3 ? BigEndian(static_cast<uint32_t>(data.size()), 4) : Syncsafe(static_cast<uint32_t>(data.size()))) +
           "\0\0"s + data;
}
std::string Tag(int major, int flags, const std::string& body, std::string size = {}) {
    if (size.empty()) size = Syncsafe(static_cast<uint32_t>(body.size()));
    return "ID3"s + static_cast<char>(major) + '\0' + static_cast<char>(flags) + size + body;
}
std::string Version1(std::string title, std::string artist) {
    title.resize(30, '\0');
    artist.resize(30, ' ');
    return "TAG" + title + artist + std::string(65, '\0');
}
std::string Unsynchronised(const std::string& body) {
    std::string s;
    for (char c : body) {
        s += c;
        if (c == '\xFF') s += '\0';
    }
    return s;
}
void ExpectTexts(const Id3Texts& t, const std::string& title, const std::string& artist, const char* what) {
    EXPECT_EQ(t.Title, title) << what;
    EXPECT_EQ(t.Artist, artist) << what;
}

}  // namespace

TEST(Id3Tags, TitleAndArtistOfEachVersionAndEncoding) {
    ExpectTexts(ReadId3Texts(Tag(2, 0, Frame(2, "TT2", "\0T2"s) + Frame(2, "TP1", "\0A2"s)), ""), "T2", "A2", "2.2");
    const std::string latin = Frame(3, "TIT2", "\0Caf\xE9\xFF" "A"s) + Frame(3, "TPE1", "\0A3"s);
    ExpectTexts(ReadId3Texts(Tag(3, 0x80, Unsynchronised(latin)), ""), "Caf\xE9\xFF" "A", "A3", "2.3 Latin-1, unsynchronised");
    // "T1", the euro sign and a character beyond code page 1252, little-endian behind the mark.
    const std::string utf16 = "\x01\xFF\xFET\0" "1\0\xAC\x20\x3D\xD8\x00\xDE\0\0"s;
    ExpectTexts(ReadId3Texts(Tag(3, 0, Frame(3, "TIT2", utf16) + std::string(20, '\0')), ""),
                "T1\x80?", "", "2.3 UTF-16");
    const std::string longTitle = "\x03\xC3\xA9"s + std::string(1200, 'x');
    const std::string extended = Syncsafe(6) + "\x01\0"s;
    const Id3Texts v24 = ReadId3Texts(Tag(4, 0x40, extended + Frame(4, "TPE1", "\x02\0A\0" "4"s) + Frame(4, "TIT2", longTitle)), "");
    EXPECT_EQ(v24.Title, "\xE9" + std::string(MaxId3Text - 1, 'x'));  // cut to 1,000 characters
    EXPECT_EQ(v24.Artist, "A4");
}

TEST(Id3Tags, VersionOneFillsWhatVersionTwoLacks) {
    ExpectTexts(ReadId3Texts("", std::string(7, 'z') + Version1("Title One  ", "Artist\0junk"s)), "Title One", "Artist",
                "version 1 only");
    ExpectTexts(ReadId3Texts(Tag(3, 0, Frame(3, "TIT2", "\0V2"s)), Version1("v1 title", "v1 artist")), "V2", "v1 artist",
                "both");
}

TEST(Id3Tags, MalformedTagsGiveWhatCanBeRead) {
    const std::string title = Frame(3, "TIT2", "\0T"s);
    const std::string v1 = Version1("one", "two");
    // Declared 1000 bytes, the file ends inside the artist frame.
    ExpectTexts(ReadId3Texts(Tag(3, 0, title + Frame(3, "TPE1", "\0Artist"s).substr(0, 13), Syncsafe(1000)), ""), "T", "",
                "truncated");
    ExpectTexts(ReadId3Texts(Tag(3, 0, title + "TPE1\xFF\xFF\xFF\xF0\0\0\0A"s), ""), "T", "", "frame past the end");
    ExpectTexts(ReadId3Texts(Tag(3, 0, Frame(3, "TPE1", "\0X"s), "\x80\0\0\0"s), v1), "one", "two", "2 GB declared");
    ExpectTexts(ReadId3Texts(Tag(4, 0, Frame(4, "TIT2", "\x07?"s) + title, "\x7F\x7F\x7F\x7F"s), ""), "", "",
                "256 MB declared, unknown encoding");
    ExpectTexts(ReadId3Texts("ID3\x03", "TAG"), "", "", "too short");
}
