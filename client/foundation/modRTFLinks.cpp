#include "modRTFLinks.h"

#include <windows.h>
#include <shellapi.h>

#include <cmath>

#include "ChatWriteBatch.h"
#include "ClientLinks.h"
#include "MessageBox.h"
#include "OptionMenuItems.h"
#include "ProgramSettings.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/LateBound.h"
#include "runtime/RichTextEditing.h"
#include "runtime/Twips.h"

namespace skx {

int32_t SavedChatPosition = 0;

namespace {

constexpr uint32_t kLinkColour = 0xFF0000;  // blue
const char kLinkPrefix[] = "http://";
// One write to a box takes lines of at most this many characters and formats at most this many
// links: a longer line, or one of many links, would hold the box (and the client) for long.
constexpr size_t kMostLineLength = 2048;
constexpr int kMostLinks = 16;

// The text as one write takes it: no more than a full pane holds, each line cut to its most.
std::string Bounded(const std::string& text) {
    std::string out;
    size_t line = 0;
    for (char c : text) {
        if (out.size() >= static_cast<size_t>(kChatBoxLimit)) break;
        line = c == '\r' || c == '\n' ? 0 : line + 1;
        if (line <= kMostLineLength) out += c;
    }
    return out;
}

bool ScrollLocked() { return MenuChecked(MenuOption::ScrollLock); }

// Puts the insertion point at the end, remembering it unless Scroll Lock holds the pane.
void GoToEnd(RichTextBox& box) {
    int32_t end = RtbEndPosition(box);
    RtbSetSelection(box, end);
    if (!ScrollLocked()) SavedChatPosition = end;
}

// The character under a point given in twips and whether it is part of a link.
struct Hit {
    int32_t index = -1;
    bool link = false;
};

Hit HitTest(RichTextBox& rtb, RichTextBox& buffer, float x, float y) {
    Hit hit;
    int px = static_cast<int>(std::lround(x / TwipsPerPixel));
    int py = static_cast<int>(std::lround(y / TwipsPerPixel));
    int32_t c = RtbCharFromPos(rtb, px, py);
    if (c < 0 || c >= RtbEndPosition(rtb)) return hit;
    hit.index = c;
    // The hit test runs on a copy, so the visible pane's selection and scrolling stay put.
    RtbCopyRichText(rtb, buffer);
    hit.link = RtbFormatAt(buffer, c).underline.value_or(false);
    return hit;
}

}  // namespace

void AddToRTB(std::string Text, RichTextBox& RTB, int32_t Color, bool NewLine, bool Bold, bool AltFont,
              bool Echo) {
    Guard("modRTFLinks", "AddToRTB", [&] {
        Text = Bounded(Text);
        const std::string original = Text;
        const uint32_t colour = static_cast<uint32_t>(Color);
        HoldForChatBatch(RTB);
        if (RtbTextLength(RTB) >= kChatBoxLimit) RtbClear(RTB);
        for (int links = 0;; ++links) {
            int32_t p = links < kMostLinks ? InStr(1, Text, kLinkPrefix, Compare::Text) : 0;
            if (p == 0) {
                GoToEnd(RTB);
                RtbFormat f;
                f.color = colour;
                // Bold and italic are set for every run, so no run inherits them from the last.
                f.bold = Bold;
                f.fontName = AltFont ? FontType2 : FontType;
                f.fontSize = FontSize;
                f.italic = Italic;
                RtbApplyFormat(RTB, f);
                RtbInsert(RTB, NewLine ? Text + "\r\n" : Text);
                RtbSetSelection(RTB, SavedChatPosition);
                RtbFormat off;
                off.bold = false;
                RtbApplyFormat(RTB, off);
                break;
            }
            GoToEnd(RTB);
            RtbFormat plain;
            plain.color = colour;
            plain.bold = Bold;
            plain.italic = Italic;
            RtbApplyFormat(RTB, plain);
            if (p > 1) RtbInsert(RTB, Left(Text, p - 1));
            RtbFormat link;
            link.color = kLinkColour;
            link.underline = true;
            link.bold = Bold;
            link.italic = Italic;
            RtbApplyFormat(RTB, link);
            RtbFormat back;
            back.color = colour;
            back.underline = false;
            back.bold = Bold;
            back.italic = Italic;
            int32_t b = InStr(p + 1, Text, " ");
            if (b == 0) {
                RtbInsert(RTB, Mid(Text, p));
                RtbApplyFormat(RTB, back);
                // The blank lets a click find where the address ends.
                RtbInsert(RTB, " \r\n");
                RtbSetSelection(RTB, RtbEndPosition(RTB));
                break;
            }
            RtbInsert(RTB, Mid(Text, p, b - p));
            RtbApplyFormat(RTB, back);
            Text = Mid(Text, b);
        }
        if (Echo && ClientLinks().GeneralPane) {
            AddToRTB(original, ClientLinks().GeneralPane(), Color, NewLine, Bold, AltFont, false);
        }
    });
}

void RTB_MouseMove(RichTextBox& RTB, RichTextBox& Buffer, int16_t, int16_t, float X, float Y) {
    Guard("modRTFLinks", "RTB_MouseMove", [&] {
        Hit hit = HitTest(RTB, Buffer, X, Y);
        RtbSetMousePointer(RTB, hit.link ? 99 : 0);
    });
}

std::string RTB_MouseUp(RichTextBox& RTB, RichTextBox& Buffer, int16_t Button, int16_t, float X, float Y) {
    std::string address;
    Guard("modRTFLinks", "RTB_MouseUp", [&] {
        if (Button != 1) return;
        Hit hit = HitTest(RTB, Buffer, X, Y);
        if (!hit.link) return;
        std::string text = RtbPlainText(Buffer);
        // Positions below are 1-based; the character under the pointer is at index + 1.
        int32_t e = InStr(hit.index + 1, text, " ", Compare::Text);
        if (e == 0) e = Len(text) + 1;  // no blank after it: the address runs to the end
        int32_t s = InStrRev(Left(text, e - 1), kLinkPrefix, Compare::Text);
        if (s == 0) return;
        address = Mid(text, s, e - s);
    });
    return address;
}

std::string ShellErrorText(intptr_t result) {
    switch (result) {
        case 0: return "Insufficent system memory or corrupt program file.";
        case 2: return "File Not found.";
        case 3: return "Invalid path.";
        case 5: return "Sharing or Protection Error.";
        case 6: return "Seperate data segments are required For Each task.";
        case 8: return "Insufficient memory to run the program.";
        case 10: return "Incorrect Windows version.";
        case 11: return "Invalid program file.";
        case 12: return "Program file requires a different operating system.";
        case 13: return "Program requires MS-DOS 4.0.";
        case 14: return "Unknown program file type.";
        case 15: return "Windows program does Not support protected memory mode.";
        case 16: return "Invalid use of data segments when loading a second instance of a program.";
        case 19: return "Attempt To run a compressed program file.";
        case 20: return "Invalid dynamic link library.";
        case 21: return "Program requires Windows 32-bit extensions.";
        case 31: return "No association for this file.";
        default: return "";
    }
}

void RunShellExecute(const std::string& Verb, const std::string& File, const std::string& Parameters,
                     const std::string& Directory, int32_t ShowCommand) {
    Guard("modRTFLinks", "RunShellExecute", [&] {
        static const auto execute = LateBound<decltype(&ShellExecuteA)>("shell32.dll", "ShellExecuteA");
        HINSTANCE r = execute ? execute(GetDesktopWindow(), Verb.c_str(), File.c_str(),
                                        Parameters.empty() ? nullptr : Parameters.c_str(),
                                        Directory.empty() ? nullptr : Directory.c_str(), ShowCommand)
                              : nullptr;
        intptr_t result = reinterpret_cast<intptr_t>(r);
        if (result >= 32) return;
        std::string text = ShellErrorText(result);
        if (!text.empty()) CSendMessage(text, 22, "Error running " + File, 0, true, true, -1, "Tahoma");
    });
}

}  // namespace skx
