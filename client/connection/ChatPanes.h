// The chat window's panes as the handlers write to them.
#pragma once
#include "runtime/Control.h"

namespace skx {

// Pane 0 to 5 of the chat window (loaded first, as its panes exist once it is); any other
// index is error 9.
RichTextBox& ChatPaneBox(int pane);

}  // namespace skx
