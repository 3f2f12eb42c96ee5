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

MenuItem& MainMenuItem(MainMenu item) {
    const MainWindowLinkTable& links = MainWindowLinks();
    if (!links.Menu) Raise(errObjectNotSet, "frmMain");
    return links.Menu(item);
}

}  // namespace skx
