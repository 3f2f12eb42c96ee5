// The player's locker as the server lists it (a LockerList): the heading "Contents of your
// locker:", then CR LF and one line per item: a first word whose characters after the first
// give the count ("(3)", "[1]"), one blank and the item's name. Pure text work: no window.
#pragma once
#include <string>
#include <vector>

#include "RowCap.h"

namespace skx {

struct LockerItem {
    std::string Name;
    int Count = 0;  // at most 999
};

// The most rows one locker list fills, whatever its counts ask for.
constexpr int MostLockerRows = MostListRows;

struct LockerListRead {
    std::vector<LockerItem> Items;  // the lines before the first malformed one, empty lines left out
    bool Malformed = false;         // a line without a count or without a name stopped the reading
    // The counts asked for more than MostLockerRows rows in all: the item that passed the mark
    // keeps what was left of it, and the lines after it are not read.
    bool Cut = false;
};
LockerListRead ReadLockerList(const std::string& data);

}  // namespace skx
