#include "FrameWriter.h"

#include <cmath>
#include <string>
#include <vector>

#include "ProtocolFrame.h"
#include "ReceiveBuffer.h"
#include "ReceiveTurns.h"
#include "WirelatchDispids.h"
#include "MainWindowLinks.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/MessagePump.h"

namespace skx {

std::function<void()> OnConnectionReset;
std::function<void()> OnReceiveOverflow;

namespace {

bool IsTrue(DispatchObject& sck, DISPID id) { return sck.PropertyGet(id).ToLong() == wl::True; }

// How long a wait on the socket may take before the call gives up.
constexpr uint32_t kSocketWaitMs = 5000;

// Turns the message loop while the control is busy reading or writing. Only the first
// reading decides which of the two waits runs; the wait is bounded.
void WaitWhileBusy(DispatchObject& sck, long first, long second) {
    long state = sck.PropertyGet(wl::State).ToLong();
    long busy = state == first ? first : (state == second ? second : 0);
    if (!busy) return;
    PumpUntil([&] { return !sck.IsCreated() || sck.PropertyGet(wl::State).ToLong() != busy; }, kSocketWaitMs);
}

// Writes text on the control and answers the count it took.
long WriteOnce(DispatchObject& sck, const std::string& text) {
    std::vector<Variant> args{Variant(text), Variant(static_cast<int32_t>(text.size()))};
    Variant written = sck.Invoke(wl::Write, args);
    if (written.get()->vt == VT_EMPTY) return static_cast<long>(text.size());
    return written.ToLong();
}


}  // namespace

void ServerOn(DispatchObject& sck, const std::string& CtrlChar, const std::string& Msg) {
    ProcLine line;
    RunTimeError failure(0);
    bool failed = false;
    Guard("frmMain", "Server", [&] {
        try {
            if (!sck.IsCreated() || !IsTrue(sck, wl::Connected)) return;
            std::string frame = BuildClientFrame(CtrlChar, Msg);
            WaitWhileBusy(sck, wl::StatusWrite, wl::StatusRead);
            if (!IsTrue(sck, wl::IsWritable)) return;  // dropped: no queue, no retry
            long written = WriteOnce(sck, frame);
            // A short write: the rest follows as the socket takes it, within a bounded wait;
            // when the connection ends meanwhile the rest is dropped.
            DWORD started = GetTickCount();
            while (written >= 0 && static_cast<size_t>(written) < frame.size()) {
                frame.erase(0, static_cast<size_t>(written));
                bool writable = PumpUntil([&] {
                    return !sck.IsCreated() || !IsTrue(sck, wl::Connected) || IsTrue(sck, wl::IsWritable);
                }, kSocketWaitMs);
                if (!writable || !sck.IsCreated() || !IsTrue(sck, wl::Connected)) return;
                if (GetTickCount() - started > kSocketWaitMs) return;
                written = WriteOnce(sck, frame);
            }
        } catch (const RunTimeError& e) {
            // A reset by the peer (raised because the control throws its errors) ends the
            // connection through the life cycle; anything else is reported.
            if ((e.Number() & 0xFFFF) == 10054) {
                failed = true;
                return;
            }
            throw;
        }
    }, &line);
    (void)failure;
    if (failed && OnConnectionReset) Guard("frmMain", "RequestConnect", [] { OnConnectionReset(); });
}

void Server(const std::string& CtrlChar, const std::string& Msg) {
    if (MainWindowLinks().Socket) ServerOn(MainSocket(), CtrlChar, Msg);
}

int16_t ReadFromControl(DispatchObject& sck, std::string& buffer, int32_t maxCount) {
    IDispatch* disp = sck.Get();
    if (!disp) return 0;
    BSTR data = SysAllocStringLen(nullptr, 0);
    // Arguments go in reverse: [2] Data by reference, [1] the largest count, [0] the count read
    // by reference (the control answers the count there as well as in its result).
    LONG count = -1;
    VARIANT args[3];
    for (VARIANT& a : args) VariantInit(&a);
    args[2].vt = VT_BYREF | VT_BSTR;
    args[2].pbstrVal = &data;
    args[1].vt = VT_I4;
    args[1].lVal = maxCount;
    args[0].vt = VT_BYREF | VT_I4;
    args[0].plVal = &count;
    DISPPARAMS params{args, nullptr, 3, 0};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO info{};
    HRESULT hr = disp->Invoke(wl::Read, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, &info, nullptr);
    Variant text;
    VariantClear(text.get());
    text.get()->vt = VT_BSTR;
    text.get()->bstrVal = data;  // the Variant owns the string now
    buffer = text.ToString();
    long n = 0;
    if (SUCCEEDED(hr)) {
        VARIANT asLong;
        VariantInit(&asLong);
        if (result.vt != VT_EMPTY && SUCCEEDED(VariantChangeType(&asLong, &result, 0, VT_I4))) n = asLong.lVal;
        else n = count;
    }
    VariantClear(&result);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    if (FAILED(hr)) {
        long code = info.scode ? info.scode : hr;
        Raise(static_cast<int32_t>(code & 0xFFFF), kSocketErrorSource);
    }
    if (n < -32768 || n > 32767) Raise(errOverflow);
    return static_cast<int16_t>(n);
}

bool AppendReceived(const std::string& text) {
    ReceiveBuffer += text;
    if (size_t dropped = TrimFrameTail(ReceiveBuffer, kMaxFrameTail)) {
        ReportCaught("frmMain", "sckConnect_OnRead", 0, errOverflow, "frmMain",
                     "An unfinished frame grew past " + std::to_string(kMaxFrameTail) + " characters; " +
                         std::to_string(dropped) + " characters were dropped");
    }
    return ReceiveBuffer.size() > kMaxReceiveBuffer;
}

void ReadInto(DispatchObject& sck) {
    // Past the backlog's bound the socket keeps what it holds (and holds the server back) until
    // the dispatcher has worked the backlog down; the read then goes on from there.
    if (!RoomToRead()) {
        if (!ReadingPaused()) WorkBacklogSoon();  // the backlog is worked down at once
        SetReadingPaused(true);
        return;
    }
    bool overflow = false;
    Guard("frmMain", "sckConnect_OnRead", [&] {
        if (!sck.IsCreated()) return;
        if (sck.PropertyGet(wl::IsClosed).ToLong() != 0) return;
        WaitWhileBusy(sck, wl::StatusRead, wl::StatusWrite);
        overflow = ReadPiece(sck) == PieceRead::Overflow;
    });
    if (overflow) {
        ReportCaught("frmMain", "sckConnect_OnRead", 0, errOverflow, "frmMain",
                     "More than " + std::to_string(kMaxReceiveBuffer) +
                         " received characters wait for the dispatcher; the connection is closed");
        ClearReceiveBuffer();
        if (OnReceiveOverflow) Guard("frmMain", "CloseSocket", [] { OnReceiveOverflow(); });
    }
}

PieceRead ReadPiece(DispatchObject& sck) {
    if (!sck.IsCreated() || !IsTrue(sck, wl::IsReadable)) return PieceRead::Nothing;
    std::string buffer;
    const int16_t n = ReadFromControl(sck, buffer, static_cast<int32_t>(kReadPiece));
    UpdateDataLength(static_cast<int16_t>(buffer.size()));
    if (n < 1 || buffer.empty()) return PieceRead::Nothing;
    return AppendReceived(buffer) ? PieceRead::Overflow : PieceRead::Read;
}

bool IsConnected(DispatchObject& sck) { return sck.IsCreated() && IsTrue(sck, wl::Connected); }

void sckConnect_OnRead() {
    if (MainWindowLinks().Socket) ReadInto(MainSocket());
}

std::string TrafficText(int64_t total) {
    double kb = std::nearbyint(static_cast<double>(total) / 1024.0);
    return CStr(total) + " (" + CStr(static_cast<int64_t>(kb)) + " Kb)";
}

void UpdateDataLength(int16_t iDataLength) {
    Guard("frmMain", "UpdateDataLength", [&] {
        const MainWindowLinkTable& main = MainWindowLinks();
        if (!main.DataLength) return;
        int64_t& total = main.DataLength();
        total += iDataLength;
        if (main.ShowTraffic) main.ShowTraffic(TrafficText(total));
    });
}

}  // namespace skx
