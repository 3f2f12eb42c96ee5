#include "runtime/RichTextEditing.h"

#include <commctrl.h>
#include <richedit.h>

#include <vector>

#include "runtime/DrawingHold.h"

namespace skx {

namespace {

LRESULT Send(const RichTextBox& box, UINT msg, WPARAM w = 0, LPARAM l = 0) {
    return box.hWnd() ? SendMessageA(box.hWnd(), msg, w, l) : 0;
}

const char kPointerProp[] = "SkirmexMousePointer";

LRESULT CALLBACK PointerSubclass(HWND hwnd, UINT msg, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR) {
    if (msg == WM_NCDESTROY) {
        RemovePropA(hwnd, kPointerProp);
        RemovePropA(hwnd, "SkirmexPointerHooked");
        RemoveWindowSubclass(hwnd, &PointerSubclass, id);
    }
    if (msg == WM_SETCURSOR && LOWORD(l) == HTCLIENT &&
        reinterpret_cast<INT_PTR>(GetPropA(hwnd, kPointerProp)) == 99) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
    }
    return DefSubclassProc(hwnd, msg, w, l);
}

}  // namespace

int32_t RtbTextLength(const RichTextBox& box) {
    GETTEXTLENGTHEX gtl{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, CP_ACP};
    return static_cast<int32_t>(Send(box, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl), 0));
}

int32_t RtbEndPosition(const RichTextBox& box) {
    GETTEXTLENGTHEX gtl{GTL_PRECISE | GTL_NUMCHARS, CP_ACP};
    return static_cast<int32_t>(Send(box, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl), 0));
}

namespace {
// The box's text of n characters, read with the given EM_GETTEXTEX flags.
std::string GetText(const RichTextBox& box, int32_t n, DWORD flags) {
    if (n <= 0) return {};
    std::vector<char> buf(static_cast<size_t>(n) * 2 + 2, '\0');
    GETTEXTEX gt{};
    gt.cb = static_cast<DWORD>(buf.size());
    gt.flags = flags;
    gt.codepage = CP_ACP;
    LRESULT got = Send(box, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&gt), reinterpret_cast<LPARAM>(buf.data()));
    return std::string(buf.data(), static_cast<size_t>(got > 0 ? got : 0));
}
}  // namespace

std::string RtbPlainText(const RichTextBox& box) { return GetText(box, RtbEndPosition(box), GT_DEFAULT); }

std::string RtbTextCrLf(const RichTextBox& box) { return GetText(box, RtbTextLength(box), GT_USECRLF); }

void RtbClear(RichTextBox& box) {
    HWND h = box.hWnd();
    if (!h) return;
    // Emptying a long text in one piece costs the box time that grows faster than the text
    // (each run removed is looked up through the paragraphs before it): a full chat pane took
    // some 50 ms so, about half that in pieces cut from the front. A shown box's drawing is held
    // off until it is empty (one that a batch of writes holds already stays held for that batch).
    constexpr int32_t kPiece = 4096;
    const bool held = HoldDrawing(h);
    for (int32_t n = RtbEndPosition(box); n > kPiece; n = RtbEndPosition(box)) {
        RtbSetSelection(box, 0, kPiece);
        Send(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
        if (RtbEndPosition(box) >= n) break;  // nothing went: let the whole text go at once
    }
    SetWindowTextA(h, "");
    if (held) LetDrawingGo(h);
}

void RtbSetSelection(RichTextBox& box, int32_t start, int32_t length) {
    CHARRANGE cr{start, start + length};
    Send(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&cr));
}

int32_t RtbSelStart(const RichTextBox& box) {
    CHARRANGE cr{0, 0};
    Send(box, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&cr));
    return cr.cpMin;
}

void RtbApplyFormat(RichTextBox& box, const RtbFormat& f) {
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    if (f.color) {
        cf.dwMask |= CFM_COLOR;
        cf.crTextColor = *f.color;
    }
    if (f.bold) {
        cf.dwMask |= CFM_BOLD;
        if (*f.bold) cf.dwEffects |= CFE_BOLD;
    }
    if (f.italic) {
        cf.dwMask |= CFM_ITALIC;
        if (*f.italic) cf.dwEffects |= CFE_ITALIC;
    }
    if (f.underline) {
        cf.dwMask |= CFM_UNDERLINE;
        if (*f.underline) cf.dwEffects |= CFE_UNDERLINE;
    }
    if (f.fontName) {
        cf.dwMask |= CFM_FACE;
        lstrcpynA(cf.szFaceName, f.fontName->c_str(), LF_FACESIZE);
    }
    if (f.fontSize) {
        cf.dwMask |= CFM_SIZE;
        cf.yHeight = *f.fontSize * 20;  // twips
    }
    Send(box, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

RtbFormat RtbFormatAt(const RichTextBox& box, int32_t pos) {
    RichTextBox& b = const_cast<RichTextBox&>(box);
    CHARRANGE old{0, 0};
    Send(box, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&old));
    RtbSetSelection(b, pos, 1);
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    Send(box, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    Send(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&old));
    RtbFormat f;
    f.color = cf.crTextColor;
    f.bold = (cf.dwEffects & CFE_BOLD) != 0;
    f.italic = (cf.dwEffects & CFE_ITALIC) != 0;
    f.underline = (cf.dwEffects & CFE_UNDERLINE) != 0;
    f.fontName = std::string(cf.szFaceName);
    f.fontSize = static_cast<int>(cf.yHeight / 20);
    return f;
}

void RtbInsert(RichTextBox& box, const std::string& text) {
    // The box is read-only for the user; the program writes through the insertion point.
    // The box would read a text that begins with "{\rtf" (or "{\urtf") as rich text: such a
    // text goes in as its opening brace and the rest, so it always shows as written.
    if (text.size() >= 2 && text[0] == '{' && text[1] == '\\') {
        Send(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("{"));
        Send(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str() + 1));
        return;
    }
    Send(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

int32_t RtbCharFromPos(const RichTextBox& box, int x, int y) {
    POINTL pt{x, y};
    return static_cast<int32_t>(Send(box, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&pt)));
}

POINT RtbPosFromChar(const RichTextBox& box, int32_t pos) {
    POINTL pt{0, 0};
    Send(box, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), pos);
    return POINT{pt.x, pt.y};
}

namespace {
DWORD CALLBACK StreamOut(DWORD_PTR cookie, LPBYTE buf, LONG n, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<char*>(buf), static_cast<size_t>(n));
    *done = n;
    return 0;
}
struct InCursor {
    const std::string* text;
    size_t at;
};
DWORD CALLBACK StreamIn(DWORD_PTR cookie, LPBYTE buf, LONG n, LONG* done) {
    auto* c = reinterpret_cast<InCursor*>(cookie);
    size_t left = c->text->size() - c->at;
    size_t take = left < static_cast<size_t>(n) ? left : static_cast<size_t>(n);
    memcpy(buf, c->text->data() + c->at, take);
    c->at += take;
    *done = static_cast<LONG>(take);
    return 0;
}
}  // namespace

std::string RtbRichText(const RichTextBox& box) {
    std::string rtf;
    EDITSTREAM out{};
    out.dwCookie = reinterpret_cast<DWORD_PTR>(&rtf);
    out.pfnCallback = &StreamOut;
    Send(box, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&out));
    return rtf;
}

void RtbCopyRichText(const RichTextBox& source, RichTextBox& target) {
    const std::string rtf = RtbRichText(source);
    InCursor cur{&rtf, 0};
    EDITSTREAM in{};
    in.dwCookie = reinterpret_cast<DWORD_PTR>(&cur);
    in.pfnCallback = &StreamIn;
    Send(target, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&in));
}

void RtbSetPlainText(RichTextBox& box, const std::string& text) {
    InCursor cur{&text, 0};
    EDITSTREAM in{};
    in.dwCookie = reinterpret_cast<DWORD_PTR>(&cur);
    in.pfnCallback = &StreamIn;
    Send(box, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&in));
}

void RtbSetMousePointer(RichTextBox& box, int kind) {
    HWND h = box.hWnd();
    if (!h) return;
    if (!GetPropA(h, "SkirmexPointerHooked")) {
        SetWindowSubclass(h, &PointerSubclass, 1, 0);
        SetPropA(h, "SkirmexPointerHooked", reinterpret_cast<HANDLE>(1));
    }
    SetPropA(h, kPointerProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(kind)));
}

int RtbMousePointer(const RichTextBox& box) {
    return box.hWnd() ? static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(box.hWnd(), kPointerProp))) : 0;
}

}  // namespace skx
