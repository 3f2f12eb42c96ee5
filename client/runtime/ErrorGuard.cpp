#include "ErrorGuard.h"

namespace skx {

namespace {
ReportErrorHook g_reportHook = nullptr;
thread_local int t_reportDepth = 0;
}  // namespace

ErrObject& Err() {
    thread_local ErrObject err;
    return err;
}

namespace detail {
int ReportNesting() noexcept { return t_reportDepth; }
void RestoreReportNesting(int depth) noexcept { t_reportDepth = depth; }
}  // namespace detail

void SetReportErrorHook(ReportErrorHook hook) { g_reportHook = hook; }
ReportErrorHook GetReportErrorHook() { return g_reportHook; }

void ReportCaught(const char* moduleName, const char* procedureName, int line, int32_t number,
                  const std::string& source, const std::string& description,
                  const std::string& details) noexcept {
    // An error inside the reporter (or a report from a message loop the reporter runs)
    // must not recurse without end.
    if (t_reportDepth >= 3) return;
    ++t_reportDepth;
    try {
        ErrObject& err = Err();
        err.Number = number;
        err.Source = source.empty() ? std::string(procedureName ? procedureName : "") : source;
        err.Description = description.empty() ? ErrorText(number) : description;
        if (g_reportHook) {
            g_reportHook(moduleName ? moduleName : "", procedureName ? procedureName : "",
                         static_cast<int16_t>(line), number, details);
        }
    } catch (...) {
    }
    --t_reportDepth;
}

}  // namespace skx
