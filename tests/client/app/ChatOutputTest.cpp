// Chat output into real rich edit panes under Xvfb: styles, links, the pane limit, echo,
// Scroll Lock, the link pointer and clicks, and the shell's failures.
#include <gtest/gtest.h>

#include <windows.h>

#include "ProgramSettings.h"
#include "WinTestSupport.h"
#include "frmChatBar.h"
#include "frmMain.h"
#include "frmMsgBox.h"
#include "modRTFLinks.h"
#include "runtime/FormTimer.h"
#include "runtime/RichTextEditing.h"
#include "runtime/Twips.h"

using namespace skx;

namespace {

class ChatPaneForm : public Form {
public:
    ChatPaneForm() : Form("frmChatTest") { initialRect_ = RECT{0, 0, 900, 500}; }
    RichTextBox box;
    RichTextBox buffer;

protected:
    void OnLoad() override {
        box.Create(hWnd(), 0, 101);
        box.Move(0, 0, 880, 440);
        buffer.Create(hWnd(), 0, 102);
        buffer.SetVisible(false);
    }
};

class ChatOutput : public ::testing::Test {
protected:
    void SetUp() override {
        FontType = "Arial";
        FontType2 = "Courier New";
        FontSize = 10;
        Italic = false;
        frmMain().mnuOptionsScroll.SetChecked(false);
        form().Show();
        RtbClear(box());
        RtbClear(frmChatBar().txtStatus[0]);
    }
    static ChatPaneForm& form() { return TheForm<ChatPaneForm>(); }
    static RichTextBox& box() { return form().box; }
    static std::string Text() { return RtbPlainText(box()); }
    static RtbFormat At(int32_t pos) { return RtbFormatAt(box(), pos); }
    // Twips of the middle of character pos, as the pane's mouse events give them.
    static std::pair<float, float> TwipsOf(int32_t pos) {
        POINT p = RtbPosFromChar(box(), pos);
        return {static_cast<float>((p.x + 2) * TwipsPerPixel), static_cast<float>((p.y + 4) * TwipsPerPixel)};
    }
    static std::string ClickAt(int32_t pos, int16_t button = 1) {
        auto [x, y] = TwipsOf(pos);
        return RTB_MouseUp(box(), form().buffer, button, 0, x, y);
    }
};

}  // namespace

TEST_F(ChatOutput, PlainLineTakesTheWholeStyle) {
    AddToRTB("Hello", box(), 255, true, true, false, false);
    AddToRTB("again", box(), 0x00FF00, false, false, true, false);
    AddToRTB(" more", box(), 0x00FF00, false, false, false, false);
    EXPECT_EQ(Text(), "Hello\ragain more");
    RtbFormat h = At(0);
    EXPECT_EQ(h.color.value(), 255u);
    EXPECT_TRUE(h.bold.value());
    EXPECT_EQ(h.fontName.value(), "Arial");
    EXPECT_EQ(h.fontSize.value(), 10);
    RtbFormat a = At(6);
    EXPECT_EQ(a.color.value(), 0x00FF00u);
    EXPECT_FALSE(a.bold.value());  // bold is switched off after each write
    EXPECT_EQ(a.fontName.value(), "Courier New");
    EXPECT_FALSE(a.underline.value());
    EXPECT_EQ(At(12).fontName.value(), "Arial");
}

TEST_F(ChatOutput, AddressBecomesABlueUnderlinedLink) {
    AddToRTB("see http://skirmora.example/news now", box(), 255, true, false, false, false);
    std::string t = Text();
    EXPECT_EQ(t, "see http://skirmora.example/news now\r");
    EXPECT_FALSE(At(0).underline.value());
    EXPECT_EQ(At(0).color.value(), 255u);
    EXPECT_TRUE(At(4).underline.value());
    EXPECT_EQ(At(4).color.value(), 0xFF0000u);
    EXPECT_TRUE(At(31).underline.value());  // last character of the address
    EXPECT_FALSE(At(32).underline.value()); // the blank after it
    EXPECT_EQ(At(33).color.value(), 255u);
}

TEST_F(ChatOutput, LinksAtTheEndCapitalsAndOtherPrefixes) {
    AddToRTB("go HTTP://A.B/c", box(), 0, false, false, false, false);
    EXPECT_EQ(Text(), "go HTTP://A.B/c \r");  // a blank and a line break, NewLine or not
    EXPECT_TRUE(At(3).underline.value());
    RtbClear(box());
    AddToRTB("ftp://x.y/z", box(), 0, false, false, false, false);
    EXPECT_EQ(Text(), "ftp://x.y/z");
    EXPECT_FALSE(At(0).underline.value());
    RtbClear(box());
    AddToRTB("http://a.b and http://c.d end", box(), 0x123456, false, false, false, false);
    EXPECT_EQ(Text(), "http://a.b and http://c.d end");
    EXPECT_TRUE(At(0).underline.value());
    EXPECT_FALSE(At(11).underline.value());
    EXPECT_EQ(At(11).color.value(), 0x123456u);
    EXPECT_TRUE(At(15).underline.value());
}

TEST_F(ChatOutput, FullPaneIsEmptiedBeforeTheNextLine) {
    std::string full;
    for (int i = 0; i < 409; ++i) full += std::string(78, 'x') + "\r\n";  // 80 characters a line
    full += std::string(32767 - 409 * 80, 'a');
    AddToRTB(full, box(), 0, false, false, false, false);
    AddToRTB("b", box(), 0, false, false, false, false);
    EXPECT_EQ(RtbTextLength(box()), 32768);  // 32,767 characters: kept
    AddToRTB("c", box(), 0, false, false, false, false);
    EXPECT_EQ(Text(), "c");  // 32,768 characters: emptied first
    EXPECT_TRUE(IsWindowVisible(box().hWnd()));
    // A hidden pane (a tab not selected) is emptied alike and stays hidden.
    RichTextBox& hidden = form().buffer;
    for (const std::string& t : {full, std::string("b"), std::string("c")}) AddToRTB(t, hidden, 0, false, false, false, false);
    EXPECT_EQ(RtbPlainText(hidden), "c");
    EXPECT_FALSE(IsWindowVisible(hidden.hWnd()));
}

TEST_F(ChatOutput, EchoWritesTheWholeTextIntoTheGeneralPane) {
    AddToRTB("a http://x.y b http://z.w c", box(), 255, true, false, false, true);
    RichTextBox& general = frmChatBar().txtStatus[0];
    EXPECT_EQ(RtbPlainText(general), "a http://x.y b http://z.w c\r");
    EXPECT_TRUE(RtbFormatAt(general, 2).underline.value());
    EXPECT_TRUE(RtbFormatAt(general, 15).underline.value());
    EXPECT_EQ(Text(), RtbPlainText(general));
}

TEST_F(ChatOutput, ScrollLockKeepsTheInsertionPoint) {
    AddToRTB("first", box(), 0, true, false, false, false);
    EXPECT_EQ(RtbSelStart(box()), 0);  // the start of the newly written text
    AddToRTB("second", box(), 0, true, false, false, false);
    EXPECT_EQ(RtbSelStart(box()), 6);
    frmMain().mnuOptionsScroll.SetChecked(true);
    AddToRTB("third", box(), 0, true, false, false, false);
    AddToRTB("fourth", box(), 0, true, false, false, false);
    EXPECT_EQ(RtbSelStart(box()), 6);  // still where it was before the lock
    frmMain().mnuOptionsScroll.SetChecked(false);
    AddToRTB("fifth", box(), 0, true, false, false, false);
    EXPECT_EQ(RtbSelStart(box()), 26);  // "first second third fourth " with their breaks
}

TEST_F(ChatOutput, ClickingALinkGivesItsAddress) {
    AddToRTB("open http://skirmora.example/a now", box(), 0, true, false, false, false);
    const std::string address = "http://skirmora.example/a";
    EXPECT_EQ(ClickAt(5), address);                 // first character
    EXPECT_EQ(ClickAt(15), address);                // middle
    EXPECT_EQ(ClickAt(5 + 24), address);            // last character
    EXPECT_EQ(ClickAt(1), "");                      // plain text
    EXPECT_EQ(ClickAt(32), "");
    EXPECT_EQ(ClickAt(15, 2), "");                  // right button
    auto [x, y] = TwipsOf(15);
    RTB_MouseMove(box(), form().buffer, 0, 0, x, y);
    EXPECT_EQ(RtbMousePointer(box()), 99);
    auto [px, py] = TwipsOf(1);
    RTB_MouseMove(box(), form().buffer, 0, 0, px, py);
    EXPECT_EQ(RtbMousePointer(box()), 0);
}

TEST_F(ChatOutput, ShellFailureShowsItsText) {
    EXPECT_EQ(ShellErrorText(2), "File Not found.");
    EXPECT_EQ(ShellErrorText(31), "No association for this file.");
    EXPECT_EQ(ShellErrorText(4), "");
    std::string seenTitle, seenText;
    FormTimer closer("test", "tmrCloseBox", [&] {
        HWND box = FindWindowA(frmMsgBox::BoxClassName(), nullptr);
        if (!box) return;
        if (frmMsgBox* b = frmMsgBox::FromWindow(box)) {
            seenTitle = b->TitleText();
            char text[256] = {};
            GetWindowTextA(b->MessageLabel(), text, sizeof text);
            seenText = text;
        }
        PostMessageA(box, WM_CLOSE, 0, 0);
    });
    closer.SetInterval(50);
    closer.SetEnabled(true);
    RunShellExecute("Open", "Z:\\no\\such\\file-here.xyz", "", "", 1);
    closer.SetEnabled(false);
    EXPECT_EQ(seenTitle, "Error running Z:\\no\\such\\file-here.xyz");
    EXPECT_EQ(seenText, "File Not found.");
}

TEST_F(ChatOutput, BoldAndItalicAreSetForEveryRunOfALinkLine) {
    // A bold line, then a plain line holding a link: no piece of the second line is bold.
    AddToRTB("Shout", box(), 255, true, true, false, false);
    AddToRTB("read http://a.example/x please", box(), 0, true, false, false, false);
    std::string t = Text();
    int32_t read = static_cast<int32_t>(t.find("read"));
    int32_t link = static_cast<int32_t>(t.find("http"));
    int32_t please = static_cast<int32_t>(t.find("please"));
    EXPECT_TRUE(At(0).bold.value());
    EXPECT_FALSE(At(read).bold.value());
    EXPECT_FALSE(At(link).bold.value());
    EXPECT_FALSE(At(please).bold.value());
    // A bold line with a link is bold throughout, link included.
    RtbClear(box());
    AddToRTB("x http://b.example/y z", box(), 0, false, true, false, false);
    EXPECT_TRUE(At(0).bold.value());
    EXPECT_TRUE(At(2).bold.value());
    EXPECT_TRUE(At(2).underline.value());
    // Italic on for one line and off for the next: the second is upright.
    RtbClear(box());
    Italic = true;
    AddToRTB("leaning http://c.example/ end", box(), 0, true, false, false, false);
    Italic = false;
    AddToRTB("upright http://d.example/ end", box(), 0, true, false, false, false);
    t = Text();
    EXPECT_TRUE(At(0).italic.value());
    EXPECT_TRUE(At(static_cast<int32_t>(t.find("http://c"))).italic.value());
    EXPECT_FALSE(At(static_cast<int32_t>(t.find("upright"))).italic.value());
    EXPECT_FALSE(At(static_cast<int32_t>(t.find("http://d"))).italic.value());
    EXPECT_FALSE(At(static_cast<int32_t>(t.rfind("end"))).italic.value());
}

TEST_F(ChatOutput, ServerTextThatLooksLikeRichTextIsShownAsWritten) {
    const std::string text = "{\\rtf1\\ansi {\\b gotcha}}";
    AddToRTB(text, box(), 0, true, false, false, false);
    EXPECT_EQ(Text(), text + "\r");
    EXPECT_FALSE(At(0).bold.value());
    AddToRTB("{\\urtf1 x}", box(), 0, false, false, false, false);
    EXPECT_EQ(Text(), text + "\r{\\urtf1 x}");
}

// What one write may cost is bounded: a line keeps its first 2,048 characters, no more than 16
// links are formatted, and a write larger than a pane leaves no more than a full pane.
TEST_F(ChatOutput, OneWriteIsCutToItsLinesLinksAndAFullPane) {
    AddToRTB(std::string(2047, 'a') + "bcd", box(), 0, true, false, false, false);
    AddToRTB(std::string(2048, 'e') + "\r\n" + std::string(5000, 'f') + "\r\nend", box(), 0, true, false, false, false);
    EXPECT_EQ(RtbTextCrLf(box()), std::string(2047, 'a') + "b\r\n" + std::string(2048, 'e') + "\r\n" +
                                      std::string(2048, 'f') + "\r\nend\r\n");

    RtbClear(box());
    std::string links = "go";
    for (int i = 10; i < 30; ++i) links += " http://a" + std::to_string(i);
    AddToRTB(links, box(), 0, false, false, false, false);
    const std::string t = Text();
    EXPECT_EQ(t.substr(0, links.size()), links);  // every address written, the later ones as plain text
    int runs = 0;
    for (size_t at = t.find("http://"); at != std::string::npos; at = t.find("http://", at + 1)) {
        const bool underlined = At(static_cast<int32_t>(at)).underline.value();
        EXPECT_EQ(underlined, at < links.find("http://a26")) << t.substr(at, 9);
        runs += underlined ? 1 : 0;
    }
    EXPECT_EQ(runs, 16);

    RtbClear(box());
    std::string huge;
    for (int line = 0; line < 625; ++line) huge += std::string(78, static_cast<char>('a' + line % 26)) + "\r\n";
    AddToRTB(huge, box(), 0, false, false, false, false);
    const std::string kept = RtbTextCrLf(box());
    EXPECT_LE(kept.size(), 32768u);
    EXPECT_GE(kept.size(), 32768u - 80);  // a full pane, at most a line short, not an emptied one
    EXPECT_EQ(kept, huge.substr(0, kept.size()));
}
