// The server's top-25 lists: records separated by ";", each name, value and date separated by
// ":" (further fields ignored), and the order of the value column. Pure text work: no window.
#pragma once
#include <string>
#include <vector>

namespace skx {

// The ranking lists in the order of the category box; a list's index is what is asked for.
extern const std::vector<std::string> TopCategories;

struct TopRecord {
    std::string Name;
    std::string Value;  // shown as received
    std::string Date;
};

// The records of a top list; a record of fewer than three fields is left out.
std::vector<TopRecord> ReadTopList(const std::string& data);

// Compares two values by their leading numbers (blanks skipped, a sign, digits, one decimal
// point; no number reads 0): below 0, 0, above 0. Texts of any length compare.
int CompareTopValues(const std::string& a, const std::string& b);

}  // namespace skx
