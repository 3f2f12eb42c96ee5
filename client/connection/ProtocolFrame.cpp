#include "ProtocolFrame.h"

namespace skx {

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

std::vector<ServerFrame> TakeWholeFrames(std::string& buffer, size_t* dropped, size_t maxChars) {
    std::vector<ServerFrame> frames;
    const char end = FrameEnd[0];
    const char start = FrameStart[0];
    // While a long frame is still arriving, a pass finds no FrameEnd and leaves the buffer
    // exactly as it is: no copy of the waiting text.
    size_t at = buffer.find(end);
    if (at == std::string::npos) return frames;
    size_t from = 0;
    size_t junk = 0;
    while (at != std::string::npos) {
        std::string_view stretch(buffer.data() + from, at - from);
        size_t first = stretch.find(start);
        if (first == std::string_view::npos) {
            junk += stretch.size() + 1;  // with its FrameEnd: nothing of it is a frame
        } else {
            junk += first;
            std::string_view piece = stretch.substr(first);
            ServerFrame f;
            f.command = piece.size() >= 2 ? piece[1] : ' ';
            if (piece.size() > 3) f.data.assign(piece.substr(3));
            frames.push_back(std::move(f));
        }
        from = at + 1;
        if (from >= maxChars) break;
        at = buffer.find(end, from);
    }
    // The unfinished tail waits, with its FrameStart, for the rest of its frame (and frames past
    // maxChars for the next call).
    buffer.erase(0, from);
    if (dropped) *dropped += junk;
    return frames;
}

size_t TrimFrameTail(std::string& buffer, size_t maxTail) {
    size_t last = buffer.rfind(FrameEnd[0]);
    size_t tail = last == std::string::npos ? 0 : last + 1;
    // Find where the kept text begins first, then drop once.
    size_t keep = tail;
    while (buffer.size() - keep > maxTail) {
        // The tail's own FrameStart (if it begins with one) is not where the next frame starts.
        size_t next = buffer.find(FrameStart[0], keep + 1);
        keep = next == std::string::npos ? buffer.size() : next;
    }
    buffer.erase(tail, keep - tail);
    return keep - tail;
}

}  // namespace skx
