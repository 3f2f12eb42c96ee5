// The game protocol's frames: building the client's frames and cutting the server's byte
// stream into whole frames. Pure text work: no window, no socket.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "ProtocolSeparators.h"

namespace skx {

// The reserved end character the splitter marks terminated pieces with; never sent.
constexpr char kPieceEnd = '\x02';

// Removes Chr(1), Chr(2), Chr(27) and Chr(5) from the data of an outgoing frame.
std::string FilterFrameData(std::string_view msg);
// FrameStart, the command, FieldSeparator, the filtered data, FieldSeparator, FrameEnd.
std::string BuildClientFrame(std::string_view ctrlChar, std::string_view msg);

struct ServerFrame {
    char command = ' ';  // the command character (a blank when the frame has none)
    std::string data;    // everything after the command and its separator
};

// Cuts every whole frame off buffer, in order, and leaves in it only the unfinished tail
// (the text after the last FrameEnd). A whole frame is the text from a FrameStart to the next
// FrameEnd; text before the first FrameStart of a terminated stretch cannot belong to a frame
// and is dropped, as is a terminated stretch without a FrameStart, so that such text never
// holds back the frames after it. The count of dropped characters is added to *dropped.
// With maxChars, it stops after the frame that reaches past that many characters of the
// buffer, so that a large buffer is cut a piece at a time (the rest stays, in order).
std::vector<ServerFrame> TakeWholeFrames(std::string& buffer, size_t* dropped = nullptr,
                                         size_t maxChars = std::string::npos);

// Bounds the unfinished tail: while the text after the last FrameEnd is longer than maxTail,
// its beginning is dropped up to the next FrameStart (all of it when there is none). Returns
// the count of dropped characters.
size_t TrimFrameTail(std::string& buffer, size_t maxTail);

}  // namespace skx
