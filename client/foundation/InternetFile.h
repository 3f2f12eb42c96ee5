// File downloads over HTTP: a small transfer object over WinINet in the place of an Internet
// transfer control, and GetInternetFile, which saves one address into a file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace skx {

class InternetTransfer {
public:
    // A whole transfer is bounded by timeoutMs (connect, send and each receive as well). It runs
    // on a thread of its own; its result comes back to the GUI thread as a posted message, so no
    // handler waits for it and the windows keep answering meanwhile.
    explicit InternetTransfer(uint32_t timeoutMs = DefaultTimeoutMs)
        : timeoutMs_(timeoutMs), state_(std::make_shared<State>()) {}
    InternetTransfer(const InternetTransfer&) = delete;
    InternetTransfer& operator=(const InternetTransfer&) = delete;
    static constexpr uint32_t DefaultTimeoutMs = 10000;

    // What a transfer brought: the whole answer, or nothing.
    using Done = std::function<void(std::optional<std::string> body)>;

    // True while a transfer of this object runs.
    bool StillExecuting() const { return state_->current != 0; }

    // Starts reading an HTTP address into memory; done runs on the GUI thread once the answer is
    // in, with nothing when the transfer fails, is cut short (fewer bytes than the announced
    // length), runs out of time, the server answers with any status but 200, or the answer runs
    // past limit bytes (reading stops there). ERROR_INTERNET_TIMEOUT (12002) as LastError when
    // the time ran out. False (and done never runs) while a transfer still runs.
    bool Begin(const std::string& address, size_t limit, Done done);
    // Lets the running transfer go: its result is never delivered, and a new one may start.
    void Abandon() { state_->current = 0; }

    // The HTTP status of the last answer (0 when none came).
    int32_t ResponseCode() const { return state_->responseCode; }
    // The platform's error of the last failed transfer (0 when none).
    uint32_t LastError() const { return state_->lastError; }

private:
    // Shared with the results on their way, which find it gone when the object is.
    struct State {
        uint64_t current = 0;  // the running transfer's number (0: none)
        int32_t responseCode = 0;
        uint32_t lastError = 0;
    };
    uint32_t timeoutMs_;
    std::shared_ptr<State> state_;
};

// Downloads Address into FileName: done(True) when an answer of exactly Size bytes came and the
// file now holds it. On any failure done(False), and an existing file is left as it was (the new
// content is written beside it and only then put in its place). The download runs as
// InternetTransfer::Begin does; the result is False at once (and done never runs) while Inet still
// runs a transfer.
bool GetInternetFile(InternetTransfer& Inet, const std::string& Address, const std::string& FileName, uint32_t Size,
                     std::function<void(bool saved)> done);

}  // namespace skx
