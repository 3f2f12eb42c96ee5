// Chat lines written in a batch (the dispatcher opens one for each pass): while a batch is open, a
// shown pane that a line goes to is not drawn line by line, since drawing a shown pane and its
// scroll bar costs many times the line itself; the end of the batch draws each such pane once,
// with the view and the insertion point as line-by-line writing leaves them. A turn of the message
// loop inside a batch (a box, a wait) draws what waits as it starts, and what is written during
// that turn is drawn as it comes. Batches nest: the outermost one of a loop turn draws.
#pragma once

namespace skx {

class RichTextBox;

class ChatWriteBatch {
public:
    ChatWriteBatch();
    ~ChatWriteBatch();
    ChatWriteBatch(const ChatWriteBatch&) = delete;
    ChatWriteBatch& operator=(const ChatWriteBatch&) = delete;
};

// Draws every pane whose drawing a batch holds; the batch stays open, and its next line holds
// its pane again.
void FlushChatWrites();

// For the chat writer, before it writes to a box: holds the box's drawing while a batch opened
// in this loop turn is open and the box is shown (a hidden box costs little and stays hidden).
void HoldForChatBatch(RichTextBox& box);

}  // namespace skx
