// A page of note headers from the server: records separated by ";", fields by "~": id,
// (unused), sender, subject, route. A note whose route holds the own name is private.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace skx {

struct NoteHeader {
    std::string Id;  // plain decimal
    std::string Sender;
    std::string Subject;
    bool Private = false;
};

struct NotePage {
    std::vector<NoteHeader> Rows;  // in the page's order, deleted notes left out
    // The lowest and highest id of the page (deleted notes included); unset on a page that
    // holds no usable id.
    std::optional<std::string> Lowest, Highest;
    // A record was passed over: fewer than five fields, an id that is not a plain 32-bit
    // decimal, or an id already listed. Empty records are passed over silently.
    bool Malformed = false;
};

// Whether text is a note id in its plain form: decimal digits, no sign, no leading zero, at
// most 2147483647.
bool IsPlainNoteId(const std::string& text);

// Reads a page. username decides private notes (lower-cased route contains the lower-cased
// name: an empty name makes every note private); deleted tells which ids to leave out.
NotePage ReadNoteList(const std::string& data, const std::string& username,
                      const std::function<bool(const std::string& id)>& deleted);

}  // namespace skx
