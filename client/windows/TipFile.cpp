#include "TipFile.h"

#include <cmath>

namespace skx {

std::vector<std::string> ReadTips(const std::string& bytes) {
    std::vector<std::string> tips;
    std::string line;
    bool open = false;  // a line has begun and not ended
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            tips.push_back(line);
            line.clear();
            open = false;
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            line += bytes[i];
            open = true;
        }
    }
    if (open) tips.push_back(line);
    return tips;
}

int32_t PickTip(float r, int32_t count) {
    if (count < 1) return 1;
    const double pick = std::floor(static_cast<double>(r) * count + 1);
    return pick > count ? count : static_cast<int32_t>(pick);
}

std::string TipFileMissingText() {
    return std::string("That the ") + TipFileName + " file was not found? " + "\r\n\r\n" + "Create a text file named " +
           TipFileName + " using NotePad with 1 tip per line. " +
           "Then place it in the same directory as the application. ";
}

}  // namespace skx
