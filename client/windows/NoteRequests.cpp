#include "NoteRequests.h"

#include "LineBreakTokens.h"
#include "ProtocolSeparators.h"
#include "TextUtilities.h"
#include "runtime/Conversions.h"

namespace skx {

namespace {
std::string Fields(std::initializer_list<std::string> fields) {
    std::string out;
    bool first = true;
    for (const std::string& f : fields) {
        if (!first) out += FieldSeparator;
        out += f;
        first = false;
    }
    return out;
}

std::string Sendable(const std::string& text) { return Trim(CleanString(text)); }
}  // namespace

std::string NotesPageRequest(const std::string& start, const std::string& direction) {
    return Fields({"2", start, direction});
}

std::string NoteTextRequest(const std::string& id) { return Fields({"1", id}); }

std::string NoteDeleteRequest(const std::string& id) { return Fields({"3", id}); }

std::string NoteSendRequest(const std::string& route, const std::string& subject, const std::string& message,
                            const std::string& footer, const std::string& cash) {
    return Fields({"0", Sendable(route), Sendable(subject),
                   Sendable(EncodeLineBreaks(message)) + Sendable(EncodeLineBreaks(footer)), Sendable(cash)});
}

std::string NoteBodyText(const std::string& body, const std::string& cash) {
    std::string text = DecodeNoteLineBreaks(body);
    if (Val(cash) > 0) text += "\r\n\r\nThis note contained $" + cash;
    return text;
}

std::string ReplyRoute(const std::string& route, const std::string& sender) {
    return TextEquals(route, "all") ? route : sender;
}

std::string ReplyFooter(const std::string& sender, const std::string& route, const std::string& date,
                        const std::string& body) {
    return "\r\n<----- Reply Separator ----->\r\n  From: " + sender + "\r\n    To: " + route + "\r\n  Date: " + date +
           "\r\n<--------------------------->\r\n" + body;
}

int32_t CharactersLeft(const std::string& message, const std::string& footer) {
    return NoteLimit - Len(message) - Len(footer);
}

EditorTexts PrepareEditorTexts(const std::string& message, const std::string& footer, const std::string& signature) {
    EditorTexts texts;
    texts.Message = DecodeNoteLineBreaks(Left(message, NoteLimit));
    texts.Footer = DecodeNoteLineBreaks(signature + footer);
    texts.CharsLeft = CharactersLeft(texts.Message, texts.Footer);
    return texts;
}

}  // namespace skx
