// The game protocol's frames: building the client's frames and cutting the server's byte
// stream into whole frames. Pure text work: no window, no socket.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace skx {

// The separators, set once at start-up (Main) and used by every builder and parser.
extern std::string FieldSeparator;  // Chr(0)
extern std::string FrameEnd;        // Chr(1)
extern std::string FrameStart;      // Chr(27)
extern std::string EnqChar;         // Chr(5)
void SetProtocolSeparators();

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
// (a frame still waiting for its FrameEnd). A terminated piece that does not begin with
// FrameStart cannot be a frame; it is dropped so that it never holds back the frames after it.
std::vector<ServerFrame> TakeWholeFrames(std::string& buffer);

}  // namespace skx
