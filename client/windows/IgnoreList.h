// The ignore list: the names of players whose chat lines the client drops, in the order they
// were added (the same name may stand twice), and their file Ignore.Dat: lines ending in
// CR LF, the first the count as a print statement writes a number (" 2 "), then each name
// whole.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace skx {

class IgnoreList {
public:
    const std::vector<std::string>& Entries() const { return entries_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    // True when an entry equals name exactly, letter case included.
    bool Contains(std::string_view name) const;

    // Appends a name; a name holding a CR or LF (which would split its line of the file) is
    // refused: false, and nothing changes.
    bool Add(std::string name);
    // Removes the entries at these 0-based positions (any order; others are passed over).
    void RemoveAt(const std::vector<int>& positions);
    void Clear() { entries_.clear(); }

    // The text of Ignore.Dat for the list.
    std::string FileText() const;
    // Takes the names of an Ignore.Dat text (an empty text is an empty list). False when the
    // text ends before the count of names it announces: the names read so far are kept.
    bool ReadFileText(std::string_view text);

private:
    std::vector<std::string> entries_;
};

// A name as the command line writes it ("_" for each blank) made whole again.
std::string NameFromCommandLine(const std::string& typed);

}  // namespace skx
