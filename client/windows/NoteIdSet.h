// A set of note ids kept as text: one piece "|id|" per id, in the order the ids were added
// ("|12||15|"). Read-Notes.DAT and Deleted-Notes.DAT each hold one such text as one quoted
// record followed by CR LF.
#pragma once
#include <string>

namespace skx {

class NoteIdSet {
public:
    NoteIdSet() = default;
    explicit NoteIdSet(std::string text);

    // The set a file's bytes hold: every quoted field up to the end, joined (unquoted fields
    // are taken trimmed). No bytes: the empty set.
    static NoteIdSet FromFile(const std::string& bytes);
    // The file's bytes: the text in double quotes, then CR LF.
    std::string FileBytes() const;

    // Whether the id's piece occurs anywhere in the text (letter case ignored).
    bool Contains(const std::string& id) const;
    // Appends the id's piece; false (and nothing changes) when it is already there.
    bool Add(const std::string& id);
    const std::string& Text() const { return text_; }

private:
    std::string text_;
    std::string folded_;  // the text lower-cased, for the membership test
};

// The names of the two files in the Dat folder.
inline constexpr const char* ReadNotesFile = "Read-Notes.DAT";
inline constexpr const char* DeletedNotesFile = "Deleted-Notes.DAT";

}  // namespace skx
