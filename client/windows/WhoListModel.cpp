#include "WhoListModel.h"

#include <string_view>
#include <unordered_set>

#include "runtime/Conversions.h"

namespace skx {

namespace {
// The pieces of text between separators, empty ones included.
std::vector<std::string_view> Pieces(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (;;) {
        size_t at = text.find(separator, start);
        if (at == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, at - start));
        start = at + 1;
    }
}
}  // namespace

WhoListModel::WhoListModel(const std::string& data) {
    for (std::string_view record : Pieces(data, ';')) {
        std::vector<std::string_view> f = Pieces(record, ':');
        if (f.size() < 7) continue;
        records_.push_back(WhoRecord{std::string(f[0]), std::string(f[1]), std::string(f[2]), std::string(f[3]),
                                     std::string(f[4]), std::string(f[5]), std::string(f[6])});
    }
}

int64_t WhoListModel::Players() const {
    std::unordered_set<std::string> names;
    for (const WhoRecord& r : records_) {
        if (!r.Name.empty()) names.insert(LCase(r.Name));
    }
    return static_cast<int64_t>(names.size());
}

}  // namespace skx
