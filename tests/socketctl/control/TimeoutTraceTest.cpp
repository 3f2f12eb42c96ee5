// The Timeout and Trace properties: what is stored without a socket or library, what goes to
// an open socket or the started library, and the time-out's effect on a blocking read from a
// loopback echo peer that has nothing to say.
#include <string>

#include "EventControl.h"

namespace controltest {
namespace {

constexpr DISPID kTrace = 61;
constexpr DISPID kTraceFile = 62;
constexpr DISPID kTraceFlags = 63;

CallResult PutText(LateBound& c, DISPID id, const wchar_t* text) {
    VariantValue v;
    *v.Get() = Text(text);
    return c.Put(id, *v.Get());
}

TEST_F(ControlTest, TimeoutIsKeptUntilASocketThenTheSocketsOwn) {
    EchoPeer peer;
    ASSERT_TRUE(peer.Start());
    EventModeControl m(false);
    ASSERT_TRUE(m.connected);
    LateBound& c = m.c;
    // Without a socket the value is stored as given (milliseconds stay milliseconds).
    ASSERT_EQ(c.Put(kTimeout, Long(2500)).code, S_OK);
    EXPECT_EQ(c.GetLong(kTimeout), 2500);
    ASSERT_EQ(c.Put(kTimeout, Long(3)).code, S_OK);
    EXPECT_EQ(c.GetLong(kTimeout), 3);

    // Connect uses it and sets it on the socket; from then on the socket answers.
    ASSERT_EQ(c.Call(kConnect, {Text(L"127.0.0.1"), Long(peer.Port())}).code, S_OK);
    ASSERT_EQ(c.GetLong(kConnected), -1);
    EXPECT_EQ(c.GetLong(kTimeout), 3);
    ASSERT_EQ(c.Put(kTimeout, Long(1)).code, S_OK);
    EXPECT_EQ(c.GetLong(kTimeout), 1);
    // The socket keeps seconds: a value above 1000 is milliseconds.
    ASSERT_EQ(c.Put(kTimeout, Long(2000)).code, S_OK);
    EXPECT_EQ(c.GetLong(kTimeout), 2);

    // The socket's time-out ends a blocking read that gets nothing.
    ASSERT_EQ(c.Put(kTimeout, Long(1)).code, S_OK);
    VariantValue data, result;
    V_VT(data.Get()) = VT_BSTR;
    V_BSTR(data.Get()) = SysAllocString(L"");
    const DWORD start = GetTickCount();
    EXPECT_EQ(c.Call(kRead, {RefTo(data.Get()), Long(16), RefTo(result.Get())}).code, S_OK);
    const DWORD took = GetTickCount() - start;
    EXPECT_EQ(V_I4(result.Get()), -1);
    EXPECT_GE(took, 700u);
    EXPECT_LT(took, 5000u);
    ASSERT_EQ(m.sink->Count(kOnError), 1);
    EXPECT_EQ(m.sink->Last(kOnError)->numbers, std::vector<LONG>{10060});
    // The connection survives the time-out and still carries data.
    EXPECT_EQ(c.GetLong(kConnected), -1);
    ASSERT_EQ(c.Call(kWrite, {Text(L"late"), Missing(), RefTo(result.Get())}).code, S_OK);
    EXPECT_EQ(ReadText(c, 4), L"late");

    // After the socket is gone the last value read from it stays.
    ASSERT_EQ(c.Call(kDisconnect).code, S_OK);
    EXPECT_EQ(c.GetLong(kTimeout), 1);
    ASSERT_EQ(c.Put(kTimeout, Long(9)).code, S_OK);
    EXPECT_EQ(c.GetLong(kTimeout), 9);
}

TEST_F(ControlTest, ConnectsTimeoutArgumentBecomesTheSocketsTimeout) {
    EchoPeer peer;
    ASSERT_TRUE(peer.Start());
    EventModeControl m(false);
    ASSERT_TRUE(m.connected);
    ASSERT_EQ(m.c.Put(kTimeout, Long(30)).code, S_OK);
    ASSERT_EQ(m.c.Call(kConnect, {Text(L"127.0.0.1"), Long(peer.Port()), Missing(), Long(4)}).code, S_OK);
    EXPECT_EQ(m.c.GetLong(kTimeout), 4);
}

// The trace library's calls as the stand-in beside the test program counts them.
class TraceLibrary {
public:
    TraceLibrary() {
        const std::string path = testsupport::ProgramFolder() + "\\WSATRACE.dll";
        module_ = LoadLibraryA(path.c_str());
        if (module_)
            count_ = reinterpret_cast<LONG(WINAPI*)(int)>(reinterpret_cast<void*>(GetProcAddress(module_, "TraceCount")));
    }
    ~TraceLibrary() {
        if (module_) FreeLibrary(module_);
    }
    TraceLibrary(const TraceLibrary&) = delete;
    TraceLibrary& operator=(const TraceLibrary&) = delete;
    bool Loaded() const { return count_ != nullptr; }
    LONG Enables() const { return count_(1); }
    LONG Disables() const { return count_(2); }

private:
    HMODULE module_ = nullptr;
    LONG(WINAPI* count_)(int) = nullptr;
};

TEST_F(ControlTest, TraceIsKeptUntilTheLibraryStartsThenTheLibrarysAnswer) {
    TraceLibrary trace;
    ASSERT_TRUE(trace.Loaded()) << "the stand-in trace library is missing beside the test program";
    auto site = FakeSite::Create(false);
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto object = control.As<IOleObject>(IID_IOleObject);
    ASSERT_EQ(object->SetClientSite(site.Get()), S_OK);
    LateBound c(control.Get());
    const LONG enables = trace.Enables(), disables = trace.Disables();

    // A designer's puts are kept as given; nothing is traced.
    EXPECT_EQ(c.GetLong(kTrace), 0);
    ASSERT_EQ(c.Put(kTrace, Bool(true)).code, S_OK);
    ASSERT_EQ(PutText(c, kTraceFile, L"C:\\wirelatch-trace.log").code, S_OK);
    ASSERT_EQ(c.Put(kTraceFlags, Long(5)).code, S_OK);
    EXPECT_EQ(c.GetLong(kTrace), -1);
    EXPECT_EQ(c.GetText(kTraceFile), L"C:\\wirelatch-trace.log");
    EXPECT_EQ(c.GetLong(kTraceFlags), 5);
    EXPECT_EQ(trace.Enables(), enables);

    // At run time the library's start turns tracing on with the file and flags.
    site->userMode = true;
    ASSERT_EQ(c.Call(kInitialize).code, S_OK);
    EXPECT_EQ(trace.Enables(), enables + 1);
    EXPECT_EQ(c.GetLong(kTrace), -1);
    // Off and on again go to the library each time.
    ASSERT_EQ(c.Put(kTrace, Bool(false)).code, S_OK);
    EXPECT_EQ(trace.Disables(), disables + 1);
    EXPECT_EQ(c.GetLong(kTrace), 0);
    // A new file or new flags while tracing is off are only kept.
    ASSERT_EQ(c.Put(kTraceFlags, Long(1)).code, S_OK);
    EXPECT_EQ(trace.Enables(), enables + 1);
    ASSERT_EQ(c.Put(kTrace, Bool(true)).code, S_OK);
    EXPECT_EQ(trace.Enables(), enables + 2);
    EXPECT_EQ(c.GetLong(kTrace), -1);
    // While tracing, a new file or new flags restart it.
    ASSERT_EQ(PutText(c, kTraceFile, L"C:\\other-trace.log").code, S_OK);
    EXPECT_EQ(trace.Disables(), disables + 2);
    EXPECT_EQ(trace.Enables(), enables + 3);
    ASSERT_EQ(c.Put(kTraceFlags, Long(2)).code, S_OK);
    EXPECT_EQ(trace.Disables(), disables + 3);
    EXPECT_EQ(trace.Enables(), enables + 4);
    EXPECT_EQ(c.GetText(kTraceFile), L"C:\\other-trace.log");
    EXPECT_EQ(c.GetLong(kTraceFlags), 2);
    // Letting the library go ends the tracing; a put after that is kept as given again.
    ASSERT_EQ(c.Call(kUninitialize).code, S_OK);
    EXPECT_EQ(trace.Disables(), disables + 4);
    ASSERT_EQ(c.Put(kTrace, Bool(false)).code, S_OK);
    ASSERT_EQ(c.Put(kTrace, Bool(true)).code, S_OK);
    EXPECT_EQ(c.GetLong(kTrace), -1);
    EXPECT_EQ(trace.Enables(), enables + 4);
    EXPECT_EQ(trace.Disables(), disables + 4);
    object->SetClientSite(nullptr);
}

}  // namespace
}  // namespace controltest
