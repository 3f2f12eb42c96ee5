#include "AboutMotion.h"

namespace skx {

int NextCreditsTop(int top, int creditsHeight, int windowHeight) {
    if (top < -creditsHeight) top = windowHeight - 1;
    return top - CreditsStep;
}

std::vector<int> FoldHeights(int height, int stripHeight) {
    std::vector<int> heights;
    for (int h = height; h >= stripHeight;) {
        h -= 40;
        heights.push_back(h > stripHeight ? h : stripHeight);
    }
    return heights;
}

std::vector<int> RiseTops(int top) {
    std::vector<int> tops;
    for (int t = top; t > 0; t -= 50) tops.push_back(t);
    return tops;
}

std::vector<int> SlideLefts(int left, int screenWidth) {
    std::vector<int> lefts;
    for (int l = left; l < screenWidth; l += 105) lefts.push_back(l);
    return lefts;
}

}  // namespace skx
