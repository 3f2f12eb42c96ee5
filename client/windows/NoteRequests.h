// The notes messages (command "N") and the note texts the notes window and the editor build.
#pragma once
#include <cstdint>
#include <string>

namespace skx {

inline constexpr const char* NotesCommand = "N";
// The longest message the editor takes; message and footer share it on the counter.
inline constexpr int32_t NoteLimit = 5000;

// "2", start id, direction: "L" the last 25 from start, "N" the next page, "P" the previous.
std::string NotesPageRequest(const std::string& start, const std::string& direction);
// "1", id: the text of one note.
std::string NoteTextRequest(const std::string& id);
// "3", id: delete the note on the server.
std::string NoteDeleteRequest(const std::string& id);
// "0", route, subject, message and footer joined, cash: each text's line breaks as tokens,
// control characters removed, blanks trimmed.
std::string NoteSendRequest(const std::string& route, const std::string& subject, const std::string& message,
                            const std::string& footer, const std::string& cash);

// The body of a note read: tokens decoded, and when the cash reads above 0 a blank line and
// "This note contained $" with the cash.
std::string NoteBodyText(const std::string& body, const std::string& cash);

// A reply goes back to the forum when the note's route is "all" (any case, kept as shown),
// else to the note's sender.
std::string ReplyRoute(const std::string& route, const std::string& sender);
// The quoted note under a reply.
std::string ReplyFooter(const std::string& sender, const std::string& route, const std::string& date,
                        const std::string& body);

// The editor's boxes when it is prepared: the message cut to the limit, the signature in
// front of the footer, tokens decoded in both; the characters left on the counter.
struct EditorTexts {
    std::string Message, Footer;
    int32_t CharsLeft = 0;
};
EditorTexts PrepareEditorTexts(const std::string& message, const std::string& footer, const std::string& signature);
int32_t CharactersLeft(const std::string& message, const std::string& footer);

}  // namespace skx
