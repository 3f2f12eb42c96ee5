// File downloads over HTTP: a small transfer object over WinINet in the place of an Internet
// transfer control, and GetInternetFile, which saves one address into a file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace skx {

class InternetTransfer {
public:
    // A whole transfer is bounded by timeoutMs (connect, send and each receive as well). It runs
    // on a thread of its own while the calling window thread handles its messages, timer ticks
    // excepted (so that no handler runs inside another), and gives up when the time is over.
    explicit InternetTransfer(uint32_t timeoutMs = DefaultTimeoutMs) : timeoutMs_(timeoutMs) {}
    static constexpr uint32_t DefaultTimeoutMs = 10000;

    // True while a transfer of this object runs.
    bool StillExecuting() const { return executing_; }

    // The whole answer of an HTTP address, read into memory. Nothing when the transfer
    // fails, is cut short (fewer bytes than the announced length), runs out of time, the
    // server answers with any status but 200, or the answer runs past limit bytes (reading
    // stops there). ERROR_INTERNET_TIMEOUT (12002) as LastError when the time ran out.
    std::optional<std::string> OpenURL(const std::string& address, size_t limit = SIZE_MAX);

    // The HTTP status of the last answer (0 when none came).
    int32_t ResponseCode() const { return responseCode_; }
    // The platform's error of the last failed transfer (0 when none).
    uint32_t LastError() const { return lastError_; }

private:
    uint32_t timeoutMs_;
    bool executing_ = false;
    int32_t responseCode_ = 0;
    uint32_t lastError_ = 0;
};

// Downloads Address into FileName: True when an answer of exactly Size bytes came and the file
// now holds it. On any failure it is False and an existing file is left as it was (the new
// content is written beside it and only then put in its place). False at once while Inet
// still runs a transfer.
bool GetInternetFile(InternetTransfer& Inet, const std::string& Address, const std::string& FileName, uint32_t Size);

}  // namespace skx
