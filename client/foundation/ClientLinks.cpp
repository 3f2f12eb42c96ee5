#include "ClientLinks.h"

#include "frmChatBar.h"
#include "frmGame.h"
#include "frmMapDisp.h"

namespace skx {

ClientLinkTable ClientWindowLinks() {
    ClientLinkTable links;
    links.ChatBar = []() -> Form& { return frmChatBar(); };
    links.MapDisp = []() -> Form& { return frmMapDisp(); };
    links.Game = []() -> Form& { return frmGame(); };
    links.ChatSplitter = [] {
        frmChatBarForm& chat = frmChatBar();
        chat.Load();
        return static_cast<int32_t>(chat.Splitter());
    };
    return links;
}

ClientLinkTable& ClientLinks() {
    static ClientLinkTable links = ClientWindowLinks();
    return links;
}

}  // namespace skx
