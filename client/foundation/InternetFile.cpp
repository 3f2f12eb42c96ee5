#include "InternetFile.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "WholeFile.h"
#include "runtime/ErrorGuard.h"
#include "runtime/LateBound.h"
#include "runtime/GuiThreadCalls.h"

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
    std::mutex lock;
    std::condition_variable finished;
    Outcome outcome;
    bool done = false;
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

bool InternetTransfer::Begin(const std::string& address, size_t limit, Done done) {
    State& state = *state_;
    if (state.current) return false;
    if (!PrepareGuiThreadCalls()) {  // nowhere to deliver the result: nothing starts
        state.lastError = ERROR_NOT_ENOUGH_MEMORY;
        return false;
    }
    static uint64_t transfers = 0;
    const uint64_t id = ++transfers;
    state.current = id;
    state.responseCode = 0;
    state.lastError = 0;
    try {
        // Delivered on the GUI thread, and only while this is still the transfer the object waits for.
        auto deliver = [weak = std::weak_ptr<State>(state_), id, done = std::move(done)](Outcome outcome) {
            const std::shared_ptr<State> s = weak.lock();
            if (!s || s->current != id) return;
            s->current = 0;
            s->responseCode = outcome.status;
            s->lastError = outcome.error;
            if (done) done(std::move(outcome.body));
        };
        const GuiThreadPoster poster;
        if (!Inet().Complete()) {
            if (poster.Post([deliver] { deliver(Outcome{std::nullopt, 0, ERROR_MOD_NOT_FOUND}); })) return true;
            state.current = 0;
            state.lastError = ERROR_MOD_NOT_FOUND;
            return false;
        }
        // The transfer runs on one thread; a second one keeps its time and posts what came, or the
        // time-out when the time is up (a transfer still running then is left to end by its own
        // time-outs, unheard).
        auto job = std::make_shared<Job>();
        const DWORD timeout = timeoutMs_;
        std::thread([job, address, limit, timeout] {
            Outcome outcome;
            try {
                outcome = Fetch(address, limit, timeout);
            } catch (...) {  // out of memory: no answer
                outcome = Outcome{std::nullopt, 0, ERROR_NOT_ENOUGH_MEMORY};
            }
            std::lock_guard<std::mutex> hold(job->lock);
            job->outcome = std::move(outcome);
            job->done = true;
            job->finished.notify_all();
        }).detach();
        std::thread([job, timeout, deliver, poster] {
            Outcome outcome{std::nullopt, 0, ERROR_INTERNET_TIMEOUT};
            {
                std::unique_lock<std::mutex> hold(job->lock);
                if (job->finished.wait_for(hold, std::chrono::milliseconds(timeout), [&] { return job->done; })) {
                    outcome = std::move(job->outcome);
                }
            }
            try {
                poster.Post([deliver, outcome = std::move(outcome)]() mutable { deliver(std::move(outcome)); });
            } catch (...) {  // no memory for the call: dropped, as one that cannot be posted
            }
        }).detach();
    } catch (...) {  // a thread or a copy could not be made: nothing is delivered (a fetch
        // already running ends unheard, as it is no longer the transfer waited for)
        state.current = 0;
        state.lastError = ERROR_NOT_ENOUGH_MEMORY;
        return false;
    }
    return true;
}

bool GetInternetFile(InternetTransfer& Inet, const std::string& Address, const std::string& FileName, uint32_t Size,
                     std::function<void(bool saved)> done) {
    bool started = false;
    Guard("modMiscFunctionsOne", "GetInternetFile", [&] {
        started = Inet.Begin(Address, Size, [FileName, Size, done](std::optional<std::string> bytes) {
            bool saved = false;
            Guard("modMiscFunctionsOne", "GetInternetFile", [&] {
                saved = bytes && bytes->size() == Size && ReplaceWholeFile(FileName, *bytes);
            });
            if (done) done(saved);
        });
    });
    return started;
}

}  // namespace skx
