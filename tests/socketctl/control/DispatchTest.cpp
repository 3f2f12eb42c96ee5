// Creation by class identifier, late-bound calls by dispatch identifier, stored properties,
// design-time refusals, the error path, the safety options and the version record.
#include "ControlFixture.h"

#include <objsafe.h>
#include <shlwapi.h>

namespace controltest {
namespace {

constexpr HRESULT kDesignTimeRefusal = static_cast<HRESULT>(0x800A018A);

TEST_F(ControlTest, NamesMapToTheirDispatchIdentifiers) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    const std::pair<const wchar_t*, DISPID> names[] = {
        {L"AdapterAddress", 1}, {L"AutoResolve", 4},   {L"Blocking", 6},       {L"Connected", 17},
        {L"HostName", 23},      {L"InLine", 24},       {L"IsClosed", 27},      {L"IsReadable", 28},
        {L"IsWritable", 29},    {L"LocalAddress", 35}, {L"PeerAddress", 42},   {L"Protocol", 47},
        {L"RemotePort", 48},    {L"State", 58},        {L"ThrowError", 59},    {L"Version", 66},
        {L"Abort", 67},         {L"Connect", 71},      {L"Disconnect", 72},    {L"Read", 76},
        {L"Write", 80},         {L"Uninitialize", 81}, {L"LastErrorString", 82}, {L"Enabled", -514},
        {L"About", -552}};
    for (const auto& [name, id] : names) {
        LPOLESTR n = const_cast<LPOLESTR>(name);
        DISPID got = 0;
        EXPECT_EQ(control->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &got), S_OK) << name;
        EXPECT_EQ(got, id) << name;
    }
    LPOLESTR unknown = const_cast<LPOLESTR>(L"NoSuchMember");
    DISPID got = 0;
    EXPECT_EQ(control->GetIDsOfNames(IID_NULL, &unknown, 1, LOCALE_USER_DEFAULT, &got), DISP_E_UNKNOWNNAME);
}

TEST_F(ControlTest, StoredPropertiesStartAtTheirDefaults) {
    LateBound c(CreateControl().Get());
    ASSERT_TRUE(c.Object());
    EXPECT_EQ(c.GetLong(kProtocol), 6);
    EXPECT_EQ(c.GetLong(kBacklog), 5);
    EXPECT_EQ(c.GetLong(kBlocking), -1);
    EXPECT_EQ(c.GetLong(kReuseAddress), -1);
    EXPECT_EQ(c.GetLong(kRoute), -1);
    EXPECT_EQ(c.GetLong(kAutoResolve), 0);
    EXPECT_EQ(c.GetLong(kInLine), 0);
    EXPECT_EQ(c.GetLong(kThrowError), 0);
    EXPECT_EQ(c.GetLong(kByteOrder), 0);
    EXPECT_EQ(c.GetLong(kInterval), 0);
    EXPECT_EQ(c.GetLong(kTimeout), 0);
    EXPECT_EQ(c.GetLong(kHandle), -1);
    EXPECT_EQ(c.GetLong(kState), 0);
    EXPECT_EQ(c.GetLong(kConnected), 0);
    EXPECT_EQ(c.GetLong(kIsClosed), 0);
    EXPECT_EQ(c.GetLong(kIsReadable), 0);
    EXPECT_EQ(c.GetLong(kIsWritable), 0);
    EXPECT_EQ(c.GetLong(kEnabled), -1);
    EXPECT_EQ(c.GetText(kHostName), L"");
    EXPECT_EQ(c.GetText(kPeerAddress), L"");
    EXPECT_EQ(c.GetLong(kRemotePort), 0);
}

TEST_F(ControlTest, PutsAreStoredAsGiven) {
    LateBound c(CreateControl().Get());
    ASSERT_TRUE(c.Object());
    // What the game client sets at start-up.
    EXPECT_EQ(c.Put(kProtocol, Long(6)).code, S_OK);
    EXPECT_EQ(c.Put(kBlocking, Bool(false)).code, S_OK);
    EXPECT_EQ(c.Put(kAutoResolve, Bool(true)).code, S_OK);
    EXPECT_EQ(c.Put(kInLine, Bool(true)).code, S_OK);
    EXPECT_EQ(c.Put(kThrowError, Bool(true)).code, S_OK);
    EXPECT_EQ(c.GetLong(kBlocking), 0);
    EXPECT_EQ(c.GetLong(kAutoResolve), -1);
    EXPECT_EQ(c.GetLong(kInLine), -1);
    EXPECT_EQ(c.GetLong(kThrowError), -1);
    // A host's 1 arrives as true through the interface's boolean parameter.
    EXPECT_EQ(c.Put(kNoDelay, Long(1)).code, S_OK);
    EXPECT_EQ(c.GetLong(kNoDelay), -1);
    EXPECT_EQ(c.Put(kProtocol, Long(17)).code, S_OK);
    EXPECT_EQ(c.GetLong(kProtocol), 17);
    EXPECT_EQ(c.Put(kRemotePort, Long(8080)).code, S_OK);
    EXPECT_EQ(c.GetLong(kRemotePort), 8080);
    // Ports outside 1..65535 are refused and leave the value.
    EXPECT_EQ(c.Put(kRemotePort, Long(65536)).code, static_cast<HRESULT>(0x800A017C));
    EXPECT_EQ(c.Put(kRemotePort, Long(0)).code, static_cast<HRESULT>(0x800A017C));
    EXPECT_EQ(c.GetLong(kRemotePort), 8080);
    EXPECT_EQ(c.Put(kLocalPort, Long(70000)).code, static_cast<HRESULT>(0x800A017C));
    // Secure is stored while there is no socket.
    EXPECT_EQ(c.Put(kSecure, Bool(true)).code, S_OK);
    EXPECT_EQ(c.GetLong(kSecure), -1);
    EXPECT_EQ(c.Put(kHostName, Text(L"game.example")).code, S_OK);
    EXPECT_EQ(c.GetText(kHostName), L"game.example");
    // A wrong argument type is a conversion failure, not a crash.
    EXPECT_NE(c.Put(kProtocol, Text(L"tcp")).code, S_OK);
    EXPECT_EQ(c.GetLong(kProtocol), 17);
}

TEST_F(ControlTest, ResetRestoresTheDefaults) {
    LateBound c(CreateControl().Get());
    ASSERT_TRUE(c.Object());
    c.Put(kProtocol, Long(17));
    c.Put(kBlocking, Bool(false));
    c.Put(kRemotePort, Long(99));
    EXPECT_EQ(c.Call(kReset).code, S_OK);
    EXPECT_EQ(c.GetLong(kProtocol), 6);
    EXPECT_EQ(c.GetLong(kBlocking), -1);
    EXPECT_EQ(c.GetLong(kRemotePort), 0);
    EXPECT_EQ(c.GetLong(kHandle), -1);
}

TEST_F(ControlTest, DesignTimeRefusesRunTimeProperties) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto site = FakeSite::Create(false);
    auto object = control.As<IOleObject>(IID_IOleObject);
    ASSERT_TRUE(object);
    ASSERT_EQ(object->SetClientSite(site.Get()), S_OK);
    LateBound c(control.Get());
    VariantValue v;
    EXPECT_EQ(c.Get(kConnected, v.Receive()).code, kDesignTimeRefusal);
    EXPECT_EQ(c.Get(kState, v.Receive()).code, kDesignTimeRefusal);
    EXPECT_EQ(c.Get(kHostName, v.Receive()).code, kDesignTimeRefusal);
    EXPECT_EQ(c.Get(kPeerAddress, v.Receive()).code, kDesignTimeRefusal);
    EXPECT_EQ(c.Get(kInLine, v.Receive()).code, kDesignTimeRefusal);
    EXPECT_EQ(c.Get(kNoDelay, v.Receive()).code, kDesignTimeRefusal);
    // Design-time reads of these are allowed.
    EXPECT_EQ(c.Get(kBlocking, v.Receive()).code, S_OK);
    EXPECT_EQ(c.Get(kProtocol, v.Receive()).code, S_OK);
    EXPECT_EQ(c.Get(kThrowError, v.Receive()).code, S_OK);
    // The library does not start at design time: Initialize writes 5 into Error.
    VariantValue error;
    EXPECT_EQ(c.Call(kInitialize, {Missing(), Missing(), RefTo(error.Get())}).code, S_OK);
    EXPECT_EQ(V_VT(error.Get()), VT_I4);
    EXPECT_EQ(V_I4(error.Get()), 5);
    c.Put(kThrowError, Bool(true));
    EXPECT_EQ(c.Call(kInitialize, {Missing(), Missing(), RefTo(error.Get())}).code, static_cast<HRESULT>(0x800A0005));
    // Back in user mode the same reads work.
    site->userMode = true;
    EXPECT_EQ(c.Get(kConnected, v.Receive()).code, S_OK);
    object->SetClientSite(nullptr);
}

TEST_F(ControlTest, LibraryFailureFiresOnErrorAndFailsOnlyWithThrowError) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto sink = EventSink::Create();
    ASSERT_TRUE(sink->Connect(control.Get()));
    LateBound c(control.Get());
    // Writing without a socket: the library reports 10038 (not a socket).
    VariantValue result;
    EXPECT_EQ(c.Call(kWrite, {Text(L"x"), Missing(), RefTo(result.Get())}).code, S_OK);
    EXPECT_EQ(V_I4(result.Get()), -1);
    ASSERT_EQ(sink->Count(5), 1);
    EXPECT_EQ(sink->Last(5)->numbers, std::vector<LONG>{10038});
    ASSERT_EQ(sink->Last(5)->texts.size(), 1u);
    EXPECT_FALSE(sink->Last(5)->texts[0].empty());
    EXPECT_EQ(c.GetLong(kLastError), 10038);
    EXPECT_EQ(c.GetText(kLastErrorString), sink->Last(5)->texts[0]);

    c.Put(kThrowError, Bool(true));
    CallResult r = c.Call(kWrite, {Text(L"x"), Missing(), RefTo(result.Get())});
    EXPECT_EQ(r.invoke, DISP_E_EXCEPTION);
    EXPECT_EQ(r.code, static_cast<HRESULT>(0x800A2736));
    EXPECT_EQ(r.description, sink->Last(5)->texts[0]);
    EXPECT_EQ(sink->Count(5), 2);
    EXPECT_EQ(sink->Last(5)->numbers, std::vector<LONG>{10038});

    // LastError put: the code is stored with its text and returned as a failure; no event.
    EXPECT_EQ(c.Put(kLastError, Long(5)).code, static_cast<HRESULT>(0x800A0005));
    EXPECT_EQ(c.GetLong(kLastError), 5);
    EXPECT_EQ(sink->Count(5), 2);
    EXPECT_EQ(c.Put(kLastError, Long(0)).code, S_OK);
    EXPECT_EQ(c.GetLong(kLastError), 5);
    sink->Disconnect();
}

TEST_F(ControlTest, BadArgumentsAreRefusedWithoutACrash) {
    LateBound c(CreateControl().Get());
    ASSERT_TRUE(c.Object());
    VariantValue data, result;
    // Read into a string needs a length.
    V_VT(data.Get()) = VT_BSTR;
    V_BSTR(data.Get()) = SysAllocString(L"");
    EXPECT_EQ(c.Call(kRead, {RefTo(data.Get()), Missing(), RefTo(result.Get())}).code, E_INVALIDARG);
    EXPECT_EQ(c.Call(kRead, {RefTo(data.Get()), Long(-1), RefTo(result.Get())}).code, E_INVALIDARG);
    // Two-dimensional arrays and objects are refused.
    SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
    VariantValue square;
    V_VT(square.Get()) = VT_ARRAY | VT_I4;
    V_ARRAY(square.Get()) = SafeArrayCreate(VT_I4, 2, bounds);
    EXPECT_EQ(c.Call(kRead, {RefTo(square.Get()), Missing(), RefTo(result.Get())}).code, E_INVALIDARG);
    EXPECT_EQ(c.Call(kWrite, {RefTo(square.Get()), Missing(), RefTo(result.Get())}).code,
              static_cast<HRESULT>(0x800A0005));
    // An array whose elements are not what its type claims is refused, not overrun.
    VariantValue mislabelled;
    V_VT(mislabelled.Get()) = VT_ARRAY | VT_I4;
    V_ARRAY(mislabelled.Get()) = SafeArrayCreateVector(VT_UI1, 0, 2);
    EXPECT_EQ(c.Call(kWrite, {RefTo(mislabelled.Get()), Missing(), RefTo(result.Get())}).code, E_INVALIDARG);
    EXPECT_EQ(c.Call(kRead, {RefTo(mislabelled.Get()), Missing(), RefTo(result.Get())}).code, E_INVALIDARG);
    VARIANT object;
    VariantInit(&object);
    V_VT(&object) = VT_DISPATCH;
    V_DISPATCH(&object) = nullptr;
    EXPECT_EQ(c.Call(kWrite, {object, Missing(), RefTo(result.Get())}).code, E_INVALIDARG);
    EXPECT_NE(c.Call(kConnect, {Text(L"127.0.0.1"), Text(L"no port")}).code, S_OK);
    EXPECT_EQ(c.GetLong(kHandle), -1);
}

// Socket notifications as the library posts them to the hidden window.
TEST_F(ControlTest, SocketNotificationsBecomeEvents) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto sink = EventSink::Create();
    ASSERT_TRUE(sink->Connect(control.Get()));
    HWND window = NotifyWindowOfThisThread();
    ASSERT_TRUE(window);
    EXPECT_FALSE(IsWindowVisible(window));
    const WPARAM none = static_cast<WPARAM>(INVALID_SOCKET);
    // Read, write and disconnect bits of the control's socket; the timeout bit raises nothing.
    SendMessageW(window, 2025, none, MAKELPARAM(8, 0));
    SendMessageW(window, 2025, none, MAKELPARAM(16, 0));
    SendMessageW(window, 2025, none, MAKELPARAM(4, 0));
    SendMessageW(window, 2025, none, MAKELPARAM(32, 0));
    EXPECT_EQ(sink->Count(6), 1);
    EXPECT_EQ(sink->Count(9), 1);
    EXPECT_EQ(sink->Count(4), 1);
    EXPECT_EQ(sink->Count(7), 0);
    // A failed connect: OnError with the error's number, the handle already -1.
    SendMessageW(window, 2025, none, MAKELPARAM(2, 10061));
    ASSERT_EQ(sink->Count(5), 1);
    EXPECT_EQ(sink->Last(5)->numbers, std::vector<LONG>{10061});
    EXPECT_EQ(sink->Count(3), 0);
    LateBound c(control.Get());
    EXPECT_EQ(c.GetLong(kHandle), -1);
    EXPECT_EQ(c.GetLong(kLastError), 10061);
    // A notification left over from a socket the control no longer holds is ignored.
    SendMessageW(window, 2025, 0x7777, MAKELPARAM(2, 10061));
    SendMessageW(window, 2025, 0x7777, MAKELPARAM(8, 0));
    EXPECT_EQ(sink->Count(5), 1);
    EXPECT_EQ(sink->Count(6), 1);
    sink->Disconnect();
}

// A connect notification while the container has frozen events is held until the last thaw.
TEST_F(ControlTest, ConnectNotificationWaitsForTheLastThaw) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto sink = EventSink::Create();
    ASSERT_TRUE(sink->Connect(control.Get()));
    auto ole = control.As<IOleControl>(IID_IOleControl);
    ASSERT_TRUE(ole);
    HWND window = NotifyWindowOfThisThread();
    ASSERT_TRUE(window);
    // An unbalanced thaw does not turn the next freeze into a thaw.
    EXPECT_EQ(ole->FreezeEvents(FALSE), S_OK);
    EXPECT_EQ(ole->FreezeEvents(TRUE), S_OK);
    EXPECT_EQ(ole->FreezeEvents(TRUE), S_OK);
    SendMessageW(window, 2025, static_cast<WPARAM>(INVALID_SOCKET), MAKELPARAM(2, 0));
    EXPECT_EQ(sink->Count(3), 0);
    ole->FreezeEvents(FALSE);
    EXPECT_EQ(sink->Count(3), 0);
    ole->FreezeEvents(FALSE);
    EXPECT_EQ(sink->Count(3), 1);
    ole->FreezeEvents(FALSE);
    EXPECT_EQ(sink->Count(3), 1);
    sink->Disconnect();
}

TEST_F(ControlTest, ObjectSafetyAnswersForItsOwnInterfaces) {
    auto control = CreateControl();
    ASSERT_TRUE(control);
    auto safety = control.As<IObjectSafety>(IID_IObjectSafety);
    ASSERT_TRUE(safety);
    DWORD supported = 0, enabled = 0;
    EXPECT_EQ(safety->GetInterfaceSafetyOptions(IID_IDispatch, &supported, &enabled), S_OK);
    EXPECT_EQ(supported, 3u);
    EXPECT_EQ(enabled, 3u);
    EXPECT_EQ(safety->GetInterfaceSafetyOptions(IID_IPersistFile, &supported, &enabled), E_NOINTERFACE);
    EXPECT_EQ(safety->SetInterfaceSafetyOptions(IID_IWirelatch, 3, 3), S_OK);
    EXPECT_NE(safety->SetInterfaceSafetyOptions(IID_IWirelatch, 4, 4), S_OK);
    auto errors = control.As<ISupportErrorInfo>(IID_ISupportErrorInfo);
    ASSERT_TRUE(errors);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IWirelatch), S_OK);
    auto classInfo = control.As<IProvideClassInfo2>(IID_IProvideClassInfo2);
    ASSERT_TRUE(classInfo);
    GUID source{};
    EXPECT_EQ(classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
    EXPECT_TRUE(IsEqualIID(source, DIID__IWirelatchEvents));
}

TEST_F(ControlTest, DllGetVersionChecksItsRecord) {
    HMODULE module = LoadLibraryA(ControlPath().c_str());
    ASSERT_TRUE(module);
    using GetVersion = HRESULT(STDAPICALLTYPE*)(DLLVERSIONINFO*);
    auto get = reinterpret_cast<GetVersion>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetVersion")));
    ASSERT_TRUE(get);
    DLLVERSIONINFO info{};
    info.cbSize = 20;
    EXPECT_EQ(get(&info), S_OK);
    EXPECT_EQ(info.dwMajorVersion, 4u);
    EXPECT_EQ(info.dwMinorVersion, 0u);
    EXPECT_EQ(info.dwBuildNumber, 4000u);
    EXPECT_EQ(info.dwPlatformID, 1u);
    struct {
        DLLVERSIONINFO info;
        DWORD extra;
    } larger{};
    larger.info.cbSize = 24;
    EXPECT_EQ(get(&larger.info), E_INVALIDARG);
    EXPECT_EQ(get(nullptr), E_POINTER);
    using CanUnload = HRESULT(STDAPICALLTYPE*)();
    auto canUnload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    ASSERT_TRUE(canUnload);
    {
        auto control = CreateControl();
        ASSERT_TRUE(control);
        EXPECT_EQ(canUnload(), S_FALSE);
    }
    CoFreeUnusedLibraries();
    EXPECT_EQ(canUnload(), S_OK);
    FreeLibrary(module);
}

}  // namespace
}  // namespace controltest
