// Chat output: styled text appended to a chat pane, web addresses turned into clickable
// links, the link pointer and click, and handing an address or file to the shell.
#pragma once
#include <cstdint>
#include <string>

#include "runtime/Control.h"

namespace skx {

// The insertion position the last write made while Scroll Lock was off (all panes share it).
extern int32_t SavedChatPosition;

// The limit at which a pane is emptied before the next write.
constexpr int32_t kChatBoxLimit = 32768;

// Appends Text to RTB in Color (0x00BBGGRR), a CR LF after it when NewLine, bold when Bold,
// in FontType2 when AltFont (else FontType); "http://" addresses become blue underlined
// links; with Echo the whole text is written again into the "General" pane. A text is cut to
// the pane's limit, each of its lines to 2,048 characters, and only its first 16 addresses
// become links.
void AddToRTB(std::string Text, RichTextBox& RTB, int32_t Color, bool NewLine, bool Bold, bool AltFont,
              bool Echo);

// Shows the link pointer over a link of RTB, else the default pointer. X, Y in twips.
void RTB_MouseMove(RichTextBox& RTB, RichTextBox& Buffer, int16_t Button, int16_t Shift, float X, float Y);
// The address of the link under the pointer for a left-button release, else "".
std::string RTB_MouseUp(RichTextBox& RTB, RichTextBox& Buffer, int16_t Button, int16_t Shift, float X, float Y);

// Asks the shell to carry out Verb on File; a failure with a known text shows it in the
// client's message box.
void RunShellExecute(const std::string& Verb, const std::string& File, const std::string& Parameters,
                     const std::string& Directory, int32_t ShowCommand);
// The message for a shell result below 32, or "" when it has none.
std::string ShellErrorText(intptr_t result);

}  // namespace skx
