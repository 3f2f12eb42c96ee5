#include "MainWindowLinks.h"

#include "runtime/RunTimeError.h"

namespace skx {

MainWindowLinkTable& MainWindowLinks() {
    static MainWindowLinkTable links;
    return links;
}

DispatchObject& MainSocket() {
    const MainWindowLinkTable& links = MainWindowLinks();
    if (!links.Socket) Raise(errObjectNotSet, "frmMain");
    return links.Socket();
}

}  // namespace skx
