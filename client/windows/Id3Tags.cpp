#include "Id3Tags.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <optional>

namespace skx {

namespace {

constexpr size_t HeaderSize = 10;
constexpr size_t Version1Size = 128;

uint8_t Byte(std::string_view b, size_t i) { return static_cast<uint8_t>(b[i]); }

// A size of n bytes, seven bits each; nothing when a byte has its top bit set.
std::optional<uint32_t> Syncsafe(std::string_view b, size_t at, size_t n) {
    uint32_t v = 0;
    for (size_t i = 0; i < n; ++i) {
        if (Byte(b, at + i) & 0x80) return std::nullopt;
        v = (v << 7) | Byte(b, at + i);
    }
    return v;
}

uint32_t BigEndian(std::string_view b, size_t at, size_t n) {
    uint32_t v = 0;
    for (size_t i = 0; i < n; ++i) v = (v << 8) | Byte(b, at + i);
    return v;
}

// Undoes the unsynchronisation: every 0x00 that follows a 0xFF was added by the writer.
std::string Resync(std::string_view b) {
    std::string out;
    out.reserve(b.size());
    for (size_t i = 0; i < b.size(); ++i) {
        if (i > 0 && Byte(b, i) == 0 && Byte(b, i - 1) == 0xFF) continue;
        out += b[i];
    }
    return out;
}

// Characters of code page 1252's bytes 0x80 to 0x9F (0: the byte is unused).
constexpr char16_t Cp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                     0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendCp1252(std::string& out, char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        out += static_cast<char>(c);
        return;
    }
    for (size_t i = 0; i < 32; ++i) {
        if (Cp1252High[i] != 0 && Cp1252High[i] == c) {
            out += static_cast<char>(0x80 + i);
            return;
        }
    }
    out += '?';
}

// Encoding 0 (ISO-8859-1): the bytes as they are, up to the first NUL. Its bytes 0x80 to 0x9F
// are control characters; taggers that put code page 1252 text there meant those bytes.
std::string Latin1Text(std::string_view b) {
    std::string out(b.substr(0, std::min(b.find('\0'), b.size())));
    out.resize(std::min(out.size(), MaxId3Text));
    return out;
}

// Encodings 1 and 2 (UTF-16, with a byte-order mark or big-endian), up to the first NUL unit.
std::string Utf16Text(std::string_view b, bool bigEndian) {
    size_t i = 0;
    if (b.size() >= 2 && Byte(b, 0) == 0xFF && Byte(b, 1) == 0xFE) bigEndian = false, i = 2;
    else if (b.size() >= 2 && Byte(b, 0) == 0xFE && Byte(b, 1) == 0xFF) bigEndian = true, i = 2;
    auto unit = [&](size_t at) -> char32_t {
        return bigEndian ? (Byte(b, at) << 8) | Byte(b, at + 1) : (Byte(b, at + 1) << 8) | Byte(b, at);
    };
    std::string out;
    for (; i + 1 < b.size() && out.size() < MaxId3Text; i += 2) {
        const char32_t u = unit(i);
        if (u == 0) break;
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < b.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) i += 2;  // a pair: beyond code page 1252
        }
        AppendCp1252(out, u);
    }
    return out;
}

// Encoding 3 (UTF-8); a malformed sequence gives one "?".
std::string Utf8Text(std::string_view b) {
    std::string out;
    for (size_t i = 0; i < b.size() && out.size() < MaxId3Text;) {
        const uint8_t lead = Byte(b, i);
        if (lead == 0) break;
        const size_t n = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
        char32_t c = n == 1 ? lead : n == 2 ? lead & 0x1F : n == 3 ? lead & 0x0F : lead & 0x07;
        bool ok = n > 0 && i + n <= b.size();
        for (size_t k = 1; ok && k < n; ++k) {
            ok = (Byte(b, i + k) & 0xC0) == 0x80;
            c = (c << 6) | (Byte(b, i + k) & 0x3F);
        }
        if (!ok) {
            out += '?';
            ++i;
            continue;
        }
        AppendCp1252(out, c);
        i += n;
    }
    return out;
}

std::string FrameText(std::string_view data) {
    if (data.empty()) return {};
    const std::string_view text = data.substr(1);
    switch (Byte(data, 0)) {
        case 0: return Latin1Text(text);
        case 1: return Utf16Text(text, false);
        case 2: return Utf16Text(text, true);
        case 3: return Utf8Text(text);
        default: return {};
    }
}

// A frame's content once the extras its flags announce are off; nothing when it is
// compressed or encrypted.
std::optional<std::string> FrameContent(int major, uint8_t flags, bool tagUnsynchronised, std::string_view data) {
    if (major == 3) {
        if (flags & 0xC0) return std::nullopt;
        if (flags & 0x20) data.remove_prefix(std::min<size_t>(1, data.size()));  // group id
        return std::string(data);
    }
    if (major == 4) {
        if (flags & 0x0C) return std::nullopt;
        if (flags & 0x40) data.remove_prefix(std::min<size_t>(1, data.size()));  // group id
        if (flags & 0x01) data.remove_prefix(std::min<size_t>(4, data.size()));  // data length
        return (flags & 0x02) || tagUnsynchronised ? Resync(data) : std::string(data);
    }
    return std::string(data);
}

Id3Texts ReadVersion2(std::string_view head) {
    Id3Texts t;
    if (head.size() < HeaderSize || head.substr(0, 3) != "ID3") return t;
    const int major = Byte(head, 3);
    const uint8_t flags = Byte(head, 5);
    const std::optional<uint32_t> declared = Syncsafe(head, 6, 4);
    if (major < 2 || major > 4 || !declared) return t;
    if (major == 2 && (flags & 0x40)) return t;  // compressed, with no scheme ever defined
    const size_t size = std::min({static_cast<size_t>(*declared), MaxId3TagBytes, head.size() - HeaderSize});
    std::string body(head.substr(HeaderSize, size));
    if (major < 4 && (flags & 0x80)) body = Resync(body);
    size_t pos = 0;
    if (major >= 3 && (flags & 0x40)) {  // the extended header is passed over
        if (body.size() < 4) return t;
        if (major == 3) {
            pos = static_cast<size_t>(BigEndian(body, 0, 4)) + 4;
        } else {
            const std::optional<uint32_t> ext = Syncsafe(body, 0, 4);
            if (!ext) return t;
            pos = *ext;
        }
    }
    const size_t idLength = major == 2 ? 3 : 4, frameHeader = major == 2 ? 6 : 10;
    bool haveTitle = false, haveArtist = false;
    while (pos <= body.size() && body.size() - pos >= frameHeader && !(haveTitle && haveArtist)) {
        const std::string_view frame(body.data() + pos, body.size() - pos);
        if (frame[0] == '\0') break;  // padding
        size_t length = 0;
        if (major == 2) {
            length = BigEndian(frame, 3, 3);
        } else if (major == 3) {
            length = BigEndian(frame, 4, 4);
        } else {
            const std::optional<uint32_t> s = Syncsafe(frame, 4, 4);
            if (!s) break;
            length = *s;
        }
        if (length > frame.size() - frameHeader) break;  // runs past the tag
        pos += frameHeader + length;
        const std::string_view id = frame.substr(0, idLength);
        const bool title = id == (major == 2 ? "TT2" : "TIT2");
        const bool artist = id == (major == 2 ? "TP1" : "TPE1");
        if ((!title || haveTitle) && (!artist || haveArtist)) continue;
        const uint8_t frameFlags = major == 2 ? 0 : Byte(frame, 9);
        const std::optional<std::string> content =
            FrameContent(major, frameFlags, (flags & 0x80) != 0, frame.substr(frameHeader, length));
        if (!content) continue;
        (title ? t.Title : t.Artist) = FrameText(*content);
        (title ? haveTitle : haveArtist) = true;
    }
    return t;
}

// A version 1 field: up to its first NUL, without trailing blanks.
std::string Version1Field(std::string_view field) {
    field = field.substr(0, std::min(field.find('\0'), field.size()));
    while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
    return std::string(field);
}

Id3Texts ReadVersion1(std::string_view tail) {
    if (tail.size() < Version1Size) return {};
    const std::string_view tag = tail.substr(tail.size() - Version1Size);
    if (tag.substr(0, 3) != "TAG") return {};
    return {Version1Field(tag.substr(3, 30)), Version1Field(tag.substr(33, 30))};
}

}  // namespace

Id3Texts ReadId3Texts(std::string_view head, std::string_view tail) {
    Id3Texts t = ReadVersion2(head);
    if (t.Title.empty() || t.Artist.empty()) {
        Id3Texts v1 = ReadVersion1(tail);
        if (t.Title.empty()) t.Title = std::move(v1.Title);
        if (t.Artist.empty()) t.Artist = std::move(v1.Artist);
    }
    return t;
}

Id3Texts ReadId3File(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};
    file.seekg(0, std::ios::end);
    const std::streamoff end = file.tellg();
    if (end <= 0) return {};
    const size_t length = static_cast<size_t>(end);
    auto read = [&](size_t at, size_t n) {
        std::string bytes(std::min(n, length - std::min(at, length)), '\0');
        file.clear();
        file.seekg(static_cast<std::streamoff>(at));
        file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        bytes.resize(file ? bytes.size() : static_cast<size_t>(std::max<std::streamsize>(file.gcount(), 0)));
        return bytes;
    };
    std::string head = read(0, HeaderSize);
    if (head.size() == HeaderSize && head.compare(0, 3, "ID3") == 0) {
        if (const std::optional<uint32_t> declared = Syncsafe(head, 6, 4)) {
            head = read(0, HeaderSize + std::min(static_cast<size_t>(*declared), MaxId3TagBytes));
        }
    }
    const std::string tail = read(length > Version1Size ? length - Version1Size : 0, Version1Size);
    return ReadId3Texts(head, tail);
}

}  // namespace skx
