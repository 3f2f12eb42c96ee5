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
    std::string rest;
    const char end = FrameEnd[0];
    size_t from = 0;
    while (from <= buffer.size()) {
        size_t at = buffer.find(end, from);
        if (at == std::string::npos) {
            // The unfinished tail waits, with its FrameStart, for the rest of its frame.
            rest.append(buffer, from, std::string::npos);
            break;
        }
        std::string_view piece(buffer.data() + from, at - from);
        from = at + 1;
        if (piece.empty()) continue;
        if (piece.front() != FrameStart[0]) continue;  // not a frame: dropped
        ServerFrame f;
        f.command = piece.size() >= 2 ? piece[1] : ' ';
        if (piece.size() > 3) f.data.assign(piece.substr(3));
        frames.push_back(std::move(f));
    }
    buffer = std::move(rest);
    return frames;
}

}  // namespace skx
