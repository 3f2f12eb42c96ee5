#include "ChatPanes.h"

#include "frmChatBar.h"
#include "runtime/RunTimeError.h"

namespace skx {

RichTextBox& ChatPaneBox(int pane) {
    frmChatBarForm& chat = frmChatBar();
    if (pane < 0 || pane >= static_cast<int>(chat.txtStatus.size())) Raise(errSubscriptOutOfRange, "frmChatBar");
    chat.Load();
    return chat.txtStatus[static_cast<size_t>(pane)];
}

}  // namespace skx
