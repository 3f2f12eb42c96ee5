#include "InternetFile.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

#include "WholeFile.h"
#include "runtime/ErrorGuard.h"
#include "runtime/LateBound.h"
#include "runtime/MessagePump.h"

namespace skx {

namespace {

// WinINet's functions, loaded with the first transfer (no step of the start-up needs them).
struct WinInet {
    template <class F>
    static F Get(const char* name) { return LateBound<F>("wininet.dll", name); }
    decltype(&InternetOpenA) open = Get<decltype(&InternetOpenA)>("InternetOpenA");
    decltype(&InternetConnectA) connect = Get<decltype(&InternetConnectA)>("InternetConnectA");
    decltype(&InternetCrackUrlA) crackUrl = Get<decltype(&InternetCrackUrlA)>("InternetCrackUrlA");
    decltype(&InternetSetOptionA) setOption = Get<decltype(&InternetSetOptionA)>("InternetSetOptionA");
    decltype(&InternetReadFile) readFile = Get<decltype(&InternetReadFile)>("InternetReadFile");
    decltype(&InternetCloseHandle) closeHandle = Get<decltype(&InternetCloseHandle)>("InternetCloseHandle");
    decltype(&HttpOpenRequestA) openRequest = Get<decltype(&HttpOpenRequestA)>("HttpOpenRequestA");
    decltype(&HttpSendRequestA) sendRequest = Get<decltype(&HttpSendRequestA)>("HttpSendRequestA");
    decltype(&HttpQueryInfoA) queryInfo = Get<decltype(&HttpQueryInfoA)>("HttpQueryInfoA");
    bool Complete() const {
        return open && connect && crackUrl && setOption && readFile && closeHandle && openRequest && sendRequest && queryInfo;
    }
};
const WinInet& Inet() {
    static const WinInet functions;
    return functions;
}

// An open WinINet handle.
class InternetHandle {
public:
    explicit InternetHandle(HINTERNET h) : h_(h) {}
    ~InternetHandle() {
        if (h_) Inet().closeHandle(h_);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    explicit operator bool() const { return h_ != nullptr; }
    HINTERNET Get() const { return h_; }

private:
    HINTERNET h_;
};

// Status code or announced length of an answer; false when the answer does not carry it.
bool QueryNumber(HINTERNET request, DWORD what, DWORD& value) {
    DWORD size = sizeof value;
    DWORD index = 0;
    return Inet().queryInfo(request, what | HTTP_QUERY_FLAG_NUMBER, &value, &size, &index) != 0;
}

void SetTimeouts(HINTERNET h, DWORD ms) {
    Inet().setOption(h, INTERNET_OPTION_CONNECT_TIMEOUT, &ms, sizeof ms);
    Inet().setOption(h, INTERNET_OPTION_SEND_TIMEOUT, &ms, sizeof ms);
    Inet().setOption(h, INTERNET_OPTION_RECEIVE_TIMEOUT, &ms, sizeof ms);
    Inet().setOption(h, INTERNET_OPTION_DATA_SEND_TIMEOUT, &ms, sizeof ms);
    Inet().setOption(h, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, &ms, sizeof ms);
}

// The parts of an http or https address.
struct UrlParts {
    std::string host;
    INTERNET_PORT port = 0;
    std::string object;  // path and query
    bool secure = false;
};

std::optional<UrlParts> CrackUrl(const std::string& address) {
    char host[256] = {};
    char path[2048] = {};
    char extra[2048] = {};
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = sizeof host;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = sizeof path;
    parts.lpszExtraInfo = extra;
    parts.dwExtraInfoLength = sizeof extra;
    if (!Inet().crackUrl(address.c_str(), 0, 0, &parts)) return std::nullopt;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return std::nullopt;
    UrlParts url;
    url.host.assign(host, parts.dwHostNameLength);
    url.port = parts.nPort;
    url.object = std::string(path, parts.dwUrlPathLength) + std::string(extra, parts.dwExtraInfoLength);
    if (url.object.empty()) url.object = "/";
    url.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    if (url.host.empty()) return std::nullopt;
    return url;
}

// The number of header lines after the status line of an answer.
int HeaderLines(HINTERNET request) {
    DWORD size = 0;
    DWORD index = 0;
    Inet().queryInfo(request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &size, &index);
    if (size == 0) return 0;
    std::string headers(size + 1, '\0');
    index = 0;
    if (!Inet().queryInfo(request, HTTP_QUERY_RAW_HEADERS_CRLF, headers.data(), &size, &index)) return 0;
    headers.resize(size);
    int lines = -1;  // the status line is not a header
    size_t start = 0;
    while (start < headers.size()) {
        size_t end = headers.find("\r\n", start);
        if (end == std::string::npos) end = headers.size();
        if (end > start) ++lines;
        start = end + 2;
    }
    return lines < 0 ? 0 : lines;
}


// What one transfer brought.
struct Outcome {
    std::optional<std::string> body;
    int32_t status = 0;
    DWORD error = 0;
};
struct Job {
    Outcome outcome;
    std::atomic<bool> done{false};
};

// One transfer, run on a thread of its own: it touches nothing but its arguments and result.
Outcome Fetch(const std::string& address, size_t limit, DWORD timeoutMs) {
    Outcome out;
    const DWORD started = GetTickCount();
    // A step that fails once the time is up, or on the socket's own time-out (WSAETIMEDOUT),
    // failed for want of time, whichever step it was.
    auto fail = [&out, started, timeoutMs](DWORD error) {
        constexpr DWORD socketTimedOut = 10060;
        if (error != 0 && (error == socketTimedOut || GetTickCount() - started >= timeoutMs)) error = ERROR_INTERNET_TIMEOUT;
        out.error = error;
        return out;
    };

    std::optional<UrlParts> url = CrackUrl(address);
    if (!url) return fail(ERROR_INTERNET_INVALID_URL);

    InternetHandle session(Inet().open("Skirmex", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return fail(GetLastError());
    SetTimeouts(session.Get(), timeoutMs);
    InternetHandle connection(Inet().connect(session.Get(), url->host.c_str(), url->port, nullptr, nullptr,
                                              INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return fail(GetLastError());
    SetTimeouts(connection.Get(), timeoutMs);
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                  INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_AUTH;
    if (url->secure) flags |= INTERNET_FLAG_SECURE;
    const char* acceptTypes[] = {"*/*", nullptr};
    InternetHandle request(
        Inet().openRequest(connection.Get(), "GET", url->object.c_str(), nullptr, nullptr, acceptTypes, flags, 0));
    if (!request) return fail(GetLastError());
    SetTimeouts(request.Get(), timeoutMs);
    if (!Inet().sendRequest(request.Get(), nullptr, 0, nullptr, 0)) return fail(GetLastError());

    // A server that closes without answering leaves a made-up status line and no header.
    if (HeaderLines(request.Get()) == 0) return fail(ERROR_HTTP_INVALID_SERVER_RESPONSE);
    DWORD status = 0;
    if (!QueryNumber(request.Get(), HTTP_QUERY_STATUS_CODE, status)) return fail(GetLastError());
    out.status = static_cast<int32_t>(status);
    if (status != HTTP_STATUS_OK) return fail(0);
    DWORD announced = 0;
    const bool hasLength = QueryNumber(request.Get(), HTTP_QUERY_CONTENT_LENGTH, announced);
    if (hasLength && announced > limit) return fail(ERROR_INSUFFICIENT_BUFFER);

    std::string body;
    char buffer[8192];
    for (;;) {
        if (GetTickCount() - started > timeoutMs) return fail(ERROR_INTERNET_TIMEOUT);
        DWORD got = 0;
        if (!Inet().readFile(request.Get(), buffer, sizeof buffer, &got)) return fail(GetLastError());
        if (got == 0) break;
        if (got > limit - body.size()) return fail(ERROR_INSUFFICIENT_BUFFER);
        body.append(buffer, got);
    }
    if (GetTickCount() - started > timeoutMs) return fail(ERROR_INTERNET_TIMEOUT);
    if (hasLength && body.size() != announced) return fail(ERROR_INTERNET_CONNECTION_ABORTED);
    out.body = std::move(body);
    return out;
}

}  // namespace

std::optional<std::string> InternetTransfer::OpenURL(const std::string& address, size_t limit) {
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(executing_);
    responseCode_ = 0;
    lastError_ = 0;
    if (!Inet().Complete()) {
        lastError_ = ERROR_MOD_NOT_FOUND;
        return std::nullopt;
    }
    // The transfer runs beside the window thread, which keeps answering meanwhile; a transfer
    // still running when the time is up is left to end by its own time-outs, unheard.
    auto job = std::make_shared<Job>();
    std::thread([job, address, limit, timeout = static_cast<DWORD>(timeoutMs_)] {
        try {
            job->outcome = Fetch(address, limit, timeout);
        } catch (...) {  // out of memory: no answer
            job->outcome = Outcome{std::nullopt, 0, ERROR_NOT_ENOUGH_MEMORY};
        }
        job->done.store(true, std::memory_order_release);
    }).detach();
    if (!PumpUntilWithoutTimers([&] { return job->done.load(std::memory_order_acquire); }, timeoutMs_)) {
        lastError_ = ERROR_INTERNET_TIMEOUT;
        return std::nullopt;
    }
    responseCode_ = job->outcome.status;
    lastError_ = job->outcome.error;
    return std::move(job->outcome.body);
}

bool GetInternetFile(InternetTransfer& Inet, const std::string& Address, const std::string& FileName, uint32_t Size) {
    bool result = false;
    Guard("modMiscFunctionsOne", "GetInternetFile", [&] {
        if (Inet.StillExecuting()) return;
        std::optional<std::string> bytes = Inet.OpenURL(Address, Size);
        if (!bytes || bytes->size() != Size) return;
        result = ReplaceWholeFile(FileName, *bytes);
    });
    return result;
}

}  // namespace skx
