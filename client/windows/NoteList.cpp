#include "NoteList.h"

#include <cstdint>
#include <unordered_set>

#include "TextUtilities.h"
#include "runtime/Conversions.h"

namespace skx {

namespace {
constexpr size_t FieldsPerRecord = 5;
constexpr int64_t HighestId = 2147483647;

int64_t IdValue(const std::string& id) { return std::stoll(id); }
}  // namespace

bool IsPlainNoteId(const std::string& text) {
    if (text.empty() || text.size() > 10) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    if (text.size() > 1 && text[0] == '0') return false;
    return IdValue(text) <= HighestId;
}

NotePage ReadNoteList(const std::string& data, const std::string& username,
                      const std::function<bool(const std::string& id)>& deleted) {
    NotePage page;
    const std::string name = LCase(username);
    std::unordered_set<std::string> listed;
    int64_t lowest = 0, highest = 0;
    for (const std::string& record : SplitB2(data, ";")) {
        if (record.empty()) continue;
        const std::vector<std::string> f = SplitB2(record, "~");
        if (!IsPlainNoteId(f[0])) {
            page.Malformed = true;
            continue;
        }
        const int64_t value = IdValue(f[0]);
        if (!page.Lowest || value < lowest) {
            page.Lowest = f[0];
            lowest = value;
        }
        if (!page.Highest || value > highest) {
            page.Highest = f[0];
            highest = value;
        }
        if (deleted && deleted(f[0])) continue;
        if (f.size() < FieldsPerRecord || !listed.insert(f[0]).second) {
            page.Malformed = true;
            continue;
        }
        page.Rows.push_back({f[0], f[2], f[3], LCase(f[4]).find(name) != std::string::npos});
    }
    return page;
}

}  // namespace skx
