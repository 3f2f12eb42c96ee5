// The title and artist of a music file's ID3 tags: a version 2.2, 2.3 or 2.4 tag at the start
// of the file and a version 1 tag in its last 128 bytes. Each text comes from the version 2
// tag when that tag has it, else from the version 1 tag. Texts are in code page 1252 ("?" for
// a character it lacks). A malformed tag never fails the read: what cannot be read is empty.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace skx {

struct Id3Texts {
    std::string Title;
    std::string Artist;
};

// Most bytes of a version 2 tag that are read, whatever the tag declares.
constexpr size_t MaxId3TagBytes = 16u << 20;
// Longest text kept of a title or an artist.
constexpr size_t MaxId3Text = 1000;

// From a file's first bytes (up to 10 + MaxId3TagBytes of them are looked at) and its last
// 128 bytes (fewer when the file is shorter).
Id3Texts ReadId3Texts(std::string_view head, std::string_view tail);
// From a file; an unreadable or missing file gives empty texts.
Id3Texts ReadId3File(const std::string& path);

}  // namespace skx
