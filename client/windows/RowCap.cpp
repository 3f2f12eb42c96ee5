#include "RowCap.h"

#include <string>

#include "runtime/ErrorGuard.h"
#include "runtime/RunTimeError.h"

namespace skx {

bool RowCap::Room(int rows) {
    if (rows < MostListRows) return true;
    Report();
    return false;
}

void RowCap::Report() {
    if (reported_) return;
    reported_ = true;
    ReportCaught(window_, procedure_, 0, errOverflow, window_,
                 std::string("The ") + list_ + " list asked for more than " + std::to_string(MostListRows) +
                     " rows; it was cut there");
}

}  // namespace skx
