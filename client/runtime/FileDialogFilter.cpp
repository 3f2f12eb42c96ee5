#include "FileDialogFilter.h"

#include <vector>

namespace skx {

std::string DialogFilterPairs(const std::string& filter) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t bar; (bar = filter.find('|', start)) != std::string::npos; start = bar + 1) {
        parts.push_back(filter.substr(start, bar - start));
    }
    parts.push_back(filter.substr(start));
    std::string pairs;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) pairs += parts[i] + '\0' + parts[i + 1] + '\0';
    if (!pairs.empty()) pairs += '\0';
    return pairs;
}

}  // namespace skx
