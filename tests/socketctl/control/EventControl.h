// Helpers of the tests that drive the control over real loopback connections: an echo peer,
// a control with the host's event sink, and reading text through the control.
#pragma once
#include <string>

#include "ControlFixture.h"
#include "WinTestSupport.h"

namespace controltest {

enum EventId : DISPID {
    kOnAccept = 1, kOnConnect = 3, kOnDisconnect = 4, kOnError = 5, kOnRead = 6, kOnTimer = 8, kOnWrite = 9
};

// A loopback echo peer started for one test, on a free port it binds itself.
class EchoPeer {
public:
    bool Start() {
        port_ = testsupport::StartPythonServer(child_, "tools/testpeers/echo.py", "");
        return port_ != 0;
    }
    uint16_t Port() const { return port_; }

private:
    testsupport::ChildProcess child_;
    uint16_t port_ = 0;
};

// A control with the host's sink; in event mode (Blocking false) unless told otherwise.
class EventModeControl {
public:
    explicit EventModeControl(bool events = true) : control(CreateControl()), sink(EventSink::Create()), c(control.Get()) {
        connected = control && sink->Connect(control.Get()) && c.Put(kBlocking, Bool(!events)).code == S_OK;
    }
    ~EventModeControl() {
        if (control) c.Call(kDisconnect);
        sink->Disconnect();
    }
    EventModeControl(const EventModeControl&) = delete;
    EventModeControl& operator=(const EventModeControl&) = delete;
    ComPtr<IDispatch> control;
    ComPtr<EventSink> sink;
    LateBound c;
    bool connected = false;
};

// Connects in event mode; true when the call succeeded.
inline bool ConnectInEventMode(EventModeControl& m, uint16_t port) {
    VariantValue error;
    CallResult r = m.c.Call(kConnect, {Text(L"127.0.0.1"), Long(port), Missing(), Missing(), Missing(), Missing(),
                                       Missing(), RefTo(error.Get())});
    EXPECT_EQ(r.code, S_OK);
    EXPECT_EQ(V_I4(error.Get()), 0);
    return r.code == S_OK;
}

// Reads up to length bytes as text; "<failed>" when Read failed.
inline std::wstring ReadText(LateBound& c, LONG length) {
    VariantValue data, result;
    V_VT(data.Get()) = VT_BSTR;
    V_BSTR(data.Get()) = SysAllocString(L"");
    if (c.Call(kRead, {RefTo(data.Get()), Long(length), RefTo(result.Get())}).code != S_OK) return L"<failed>";
    return V_VT(data.Get()) == VT_BSTR && V_BSTR(data.Get()) ? V_BSTR(data.Get()) : L"<none>";
}

// Reads what arrives until the text read so far has the wanted length or the time is up.
inline std::wstring ReadUntil(LateBound& c, size_t wanted, uint32_t timeoutMs) {
    std::wstring text;
    testsupport::PumpUntil(
        [&] {
            if (c.GetLong(kIsReadable) == -1) text += ReadText(c, 4096);
            return text.size() >= wanted;
        },
        timeoutMs);
    return text;
}

}  // namespace controltest
