// The number a text begins with, as the windows read counts and levels: leading blanks and
// tabs skipped, then (where allowed) a sign, digits and one decimal point; anything else ends
// the number, and no digits read 0. An overlong number reads as infinity.
#pragma once
#include <string>

namespace skx {

double LeadingNumber(const std::string& text, bool withSign);

}  // namespace skx
