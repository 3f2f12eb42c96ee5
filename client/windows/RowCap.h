// The most rows one reply of the server fills into a list (or nodes into a tree), and the
// report of a fill cut there. A reply naming more rows than a person could read would
// otherwise hold the client for as long as it takes to add them.
#pragma once

namespace skx {

constexpr int MostListRows = 2000;

// One list's cap. The first fill cut while the window lives is reported under the window's
// and the filling procedure's names; later cuts are not, so a burst of such replies costs
// one report.
class RowCap {
public:
    RowCap(const char* window, const char* procedure, const char* list)
        : window_(window), procedure_(procedure), list_(list) {}

    // True while a list holding rows rows may take one more; false at the cap, which it
    // then reports (the first time).
    bool Room(int rows);
    // Reports a cut made elsewhere (the first time).
    void Report();

private:
    const char* window_;
    const char* procedure_;
    const char* list_;
    bool reported_ = false;
};

}  // namespace skx
