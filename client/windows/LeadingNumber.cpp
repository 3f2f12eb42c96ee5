#include "LeadingNumber.h"

namespace skx {

double LeadingNumber(const std::string& text, bool withSign) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos) return 0;
    double sign = 1;
    if (withSign && (text[i] == '-' || text[i] == '+')) sign = text[i++] == '-' ? -1 : 1;
    double value = 0, scale = 1;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            if (point) value += (c - '0') * (scale /= 10);
            else value = value * 10 + (c - '0');
        } else {
            break;
        }
    }
    return sign * value;
}

}  // namespace skx
