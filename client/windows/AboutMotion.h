// The About window's motion, in twips: the credits' scroll step and the three phases of the
// closing animation (fold to a strip, rise to the screen's top, slide off to the right).
#pragma once
#include <vector>

namespace skx {

constexpr int CreditsStep = 25;  // twips the credits rise each tick

// The credits' next Top: once wholly above the window (Top below -height) they restart just
// below its bottom edge (windowHeight - 1); then they rise by one step.
int NextCreditsTop(int top, int creditsHeight, int windowHeight);

// The heights the fold sets, 40 twips at a time down to exactly stripHeight.
std::vector<int> FoldHeights(int height, int stripHeight);
// The tops the rise moves to, 50 twips at a time, while above 0.
std::vector<int> RiseTops(int top);
// The lefts the slide moves to, 105 twips at a time, while left of screenWidth.
std::vector<int> SlideLefts(int left, int screenWidth);

}  // namespace skx
