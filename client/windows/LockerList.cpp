#include "LockerList.h"

#include "TextUtilities.h"

namespace skx {

namespace {
constexpr int MostOfOneItem = 999;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

LockerListRead ReadLockerList(const std::string& data) {
    LockerListRead read;
    const std::vector<std::string> lines = SplitB2(data, "\r\n");
    int rows = 0;
    for (size_t n = 1; n < lines.size() && !read.Cut; ++n) {
        const std::string& line = lines[n];
        if (line.empty()) continue;
        const size_t blank = line.find(' ');
        if (blank == std::string::npos || blank < 2 || !IsDigit(line[1])) {
            read.Malformed = true;
            break;
        }
        int count = 0;
        for (size_t i = 1; i < blank && IsDigit(line[i]); ++i) {
            count = count * 10 + (line[i] - '0');
            if (count > MostOfOneItem) {
                count = MostOfOneItem;
                break;
            }
        }
        if (count > MostLockerRows - rows) {
            count = MostLockerRows - rows;
            read.Cut = true;
        }
        rows += count;
        read.Items.push_back(LockerItem{line.substr(blank + 1), count});
    }
    return read;
}

}  // namespace skx
