#include "ProtocolFrame.h"

namespace skx {

std::string FieldSeparator(1, '\0');
std::string FrameEnd(1, '\x01');
std::string FrameStart(1, '\x1B');
std::string EnqChar(1, '\x05');

void SetProtocolSeparators() {
    FieldSeparator.assign(1, '\0');
    FrameEnd.assign(1, '\x01');
    FrameStart.assign(1, '\x1B');
    EnqChar.assign(1, '\x05');
}

std::string FilterFrameData(std::string_view msg) {
    std::string out;
    out.reserve(msg.size());
    for (char c : msg) {
        if (c == FrameEnd[0] || c == kPieceEnd || c == FrameStart[0] || c == EnqChar[0]) continue;
        out += c;
    }
    return out;
}

std::string BuildClientFrame(std::string_view ctrlChar, std::string_view msg) {
    std::string frame = FrameStart;
    frame += ctrlChar;
    frame += FieldSeparator;
    frame += FilterFrameData(msg);
    frame += FieldSeparator;
    frame += FrameEnd;
    return frame;
}

std::vector<ServerFrame> TakeWholeFrames(std::string& buffer) {
    std::vector<ServerFrame> frames;
    const char end = FrameEnd[0];
    // While a long frame is still arriving, a pass finds no FrameEnd and leaves the buffer
    // exactly as it is: no copy of the waiting text.
    size_t at = buffer.find(end);
    if (at == std::string::npos) return frames;
    size_t from = 0;
    while (at != std::string::npos) {
        std::string_view piece(buffer.data() + from, at - from);
        from = at + 1;
        if (!piece.empty() && piece.front() == FrameStart[0]) {
            ServerFrame f;
            f.command = piece.size() >= 2 ? piece[1] : ' ';
            if (piece.size() > 3) f.data.assign(piece.substr(3));
            frames.push_back(std::move(f));
        }
        // An empty piece, or one that does not begin with FrameStart, is not a frame: dropped.
        at = buffer.find(end, from);
    }
    // The unfinished tail waits, with its FrameStart, for the rest of its frame.
    buffer.erase(0, from);
    return frames;
}

}  // namespace skx
