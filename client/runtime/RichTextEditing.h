// Editing a rich-text box through its insertion point: the operations the chat writers need
// (text length, selection, insertion format, inserting, character under a point, copying the
// rich text, the mouse pointer shown over the box).
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/Control.h"

namespace skx {

// Length of the box's text with each line break counted as CR LF, as the box's Text has it.
int32_t RtbTextLength(const RichTextBox& box);
// The plain text with one character per position (line breaks as a single CR), so positions
// match the box's own character indexes.
std::string RtbPlainText(const RichTextBox& box);
// The text as the user reads it: each line break CR LF.
std::string RtbTextCrLf(const RichTextBox& box);
// The end position (the insertion point after the last character).
int32_t RtbEndPosition(const RichTextBox& box);
void RtbClear(RichTextBox& box);

void RtbSetSelection(RichTextBox& box, int32_t start, int32_t length = 0);
int32_t RtbSelStart(const RichTextBox& box);

// Format for the insertion point (or the selection): only the given fields change.
struct RtbFormat {
    std::optional<uint32_t> color;  // 0x00BBGGRR
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
    std::optional<std::string> fontName;
    std::optional<int> fontSize;  // points
};
void RtbApplyFormat(RichTextBox& box, const RtbFormat& format);
// The format of the character at index pos (0-based).
RtbFormat RtbFormatAt(const RichTextBox& box, int32_t pos);

// Inserts text at the insertion point with the insertion format.
void RtbInsert(RichTextBox& box, const std::string& text);
// Replaces the box's whole text with text, always read as plain text (the server's text goes
// in this way or through RtbInsert, never as the window text, which the box may read as rich
// text).
void RtbSetPlainText(RichTextBox& box, const std::string& text);

// The index of the character nearest a point of the box's client area (pixels).
int32_t RtbCharFromPos(const RichTextBox& box, int x, int y);
// The client-area position of the character at index pos (pixels).
POINT RtbPosFromChar(const RichTextBox& box, int32_t pos);

// The box's content as rich text (RTF).
std::string RtbRichText(const RichTextBox& box);
// Replaces target's content with a copy of source's rich text.
void RtbCopyRichText(const RichTextBox& source, RichTextBox& target);

// The mouse pointer shown over the box: 0 the default arrow, 99 the box's custom (link) pointer.
void RtbSetMousePointer(RichTextBox& box, int kind);
int RtbMousePointer(const RichTextBox& box);

}  // namespace skx
