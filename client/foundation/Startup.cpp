#include "Startup.h"

#include "ErrorReporter.h"
#include "frmMain.h"
#include "runtime/ErrorGuard.h"
#include "runtime/MessagePump.h"

namespace skx {

int Main() {
    InstallErrorReporter();
    Guard("modMain", "Main", [] { frmMain().Show(); });
    int code = RunMessageLoop();
    UnloadAllForms();
    return code;
}

}  // namespace skx
