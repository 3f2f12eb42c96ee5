#include "LoginTestSupport.h"

#include <windows.h>

#include <algorithm>

#include "../foundation/BoxDriver.h"
#include "MessageOrder.h"
#include "ProgramSettings.h"
#include "ReceiveBuffer.h"
#include "Registry.h"
#include "ServerSettings.h"
#include "SocketControlEvents.h"
#include "runtime/DispatchObject.h"
#include "WirelatchDispids.h"
#include "frmChatBar.h"
#include "frmConnect.h"
#include "frmMain.h"
#include "frmMapDisp.h"
#include "runtime/ErrorGuard.h"

using namespace skx;

namespace logintest {

namespace {

// The command of the frames SentSoFar sends; the client itself sends none of it.
constexpr char kMarkerCommand[] = "~";

void Collect(const std::string& module, const std::string& procedure, int16_t, int32_t number, const std::string&) {
    Reports().push_back({module, procedure, number});
}

// One JSON string starting at text[i] (the opening quote); i ends after the closing quote.
std::string JsonString(const std::string& text, size_t& i) {
    std::string out;
    ++i;
    while (i < text.size() && text[i] != '"') {
        char c = text[i++];
        if (c != '\\' || i >= text.size()) {
            out += c;
            continue;
        }
        char e = text[i++];
        switch (e) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u': {
                unsigned code = std::stoul(text.substr(i, 4), nullptr, 16);
                i += 4;
                out += static_cast<char>(code & 0xFF);  // the server's frames are Latin-1
                break;
            }
            default: out += e; break;
        }
    }
    ++i;
    return out;
}

}  // namespace

std::vector<Report>& Reports() {
    static std::vector<Report> reports;
    return reports;
}

std::vector<Frame> ParseFrames(const std::string& json) {
    std::vector<Frame> frames;
    size_t i = json.find("\"frames\"");
    if (i == std::string::npos) return frames;
    i = json.find('[', i);
    if (i == std::string::npos) return frames;
    ++i;
    int depth = 1;
    Frame current;
    while (i < json.size() && depth > 0) {
        char c = json[i];
        if (c == '"') {
            current.push_back(JsonString(json, i));
            continue;
        }
        if (c == '[') {
            ++depth;
            current.clear();
        } else if (c == ']') {
            if (--depth == 1) frames.push_back(current);
        }
        ++i;
    }
    return frames;
}

void EnsureMainWindow() {
    static bool ready = false;
    if (ready) return;
    OleInitialize(nullptr);
    ASSERT_TRUE(testsupport::RegisterSocketControl());
    fWriteValue(ClientRegistryRoot, ClientRegistryKey(AccessCode), "Update", "S", std::string("False"));
    frmMainForm& main = frmMain();
    main.Load();
    if (!main.sckConnect.IsCreated()) {
        // Loaded by an earlier test before the control was registered: set it up as the load does.
        main.sckConnect.Create(SocketControlClassId);
        ConnectSocketControlEvents(main);
        main.sckConnect.PropertyPut(wl::Protocol, Variant(int32_t{wl::ProtocolTcp}));
        main.sckConnect.PropertyPut(wl::Blocking, Variant(false));
        main.sckConnect.PropertyPut(wl::AutoResolve, Variant(true));
        main.sckConnect.PropertyPut(wl::InLine, Variant(true));
        main.sckConnect.PropertyPut(wl::ThrowError, Variant(true));
    }
    ASSERT_TRUE(main.sckConnect.IsCreated());
    ready = true;
}

// The map picture's drawing area, in pixels.
void SetMapPicture(int width, int height) {
    frmMapDisp().Load();
    HWND pic = frmMapDisp().picMap.hWnd();
    ASSERT_NE(pic, nullptr);
    LONG_PTR exStyle = GetWindowLongPtrA(pic, GWL_EXSTYLE);
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrA(pic, GWL_STYLE)), FALSE, static_cast<DWORD>(exStyle));
    SetWindowPos(pic, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOMOVE);
    RECT client{};
    GetClientRect(pic, &client);
    ASSERT_EQ(client.right, width);
    ASSERT_EQ(client.bottom, height);
}

std::string PaneText(int pane) { return frmChatBar().txtStatus[static_cast<size_t>(pane)].Text(); }

int Occurrences(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

void MainWindowTest::SetUpTestSuite() { EnsureMainWindow(); }

void MainWindowTest::SetUp() {
    EnsureMainWindow();
    ASSERT_TRUE(server.Start());
    DatPath = dat.Path() + "\\";
    Reports().clear();
    SetReportErrorHook(&Collect);
    Username.clear();
    Password.clear();
    ClearReceiveBuffer();
    for (RichTextBox& pane : frmChatBar().txtStatus) pane.SetText("");
}

void MainWindowTest::TearDown() {
    boxtest::CloseAllBoxes();
    DropConnection();
    frmConnect().Unload();
    frmMain().tmrGameInfo.SetEnabled(false);
    testsupport::HandlePostedSoFar();  // the ended connection's events, before the server goes
    server.Stop();
    SetReportErrorHook(nullptr);
}

std::vector<Frame> MainWindowTest::Frames() const {
    std::vector<Frame> frames = ParseFrames(server.Frames());
    std::erase_if(frames, [](const Frame& f) { return !f.empty() && f[0] == kMarkerCommand; });
    return frames;
}

std::vector<Frame> MainWindowTest::FramesOf(const std::string& command) const {
    std::vector<Frame> out;
    for (Frame& f : Frames()) {
        if (!f.empty() && f[0] == command) out.push_back(f);
    }
    return out;
}

bool MainWindowTest::ClientConnected() {
    DispatchObject& sck = frmMain().sckConnect;
    return sck.IsCreated() && sck.PropertyGet(wl::Connected).ToLong() == wl::True;
}

bool MainWindowTest::ConnectDirectly() {
    DispatchObject& sck = frmMain().sckConnect;
    const size_t logins = FramesOf("n").size();
    sck.PropertyPut(wl::HostName, Variant(std::string("127.0.0.1")));
    sck.PropertyPut(wl::RemotePort, Variant(static_cast<int32_t>(server.GamePort())));
    sck.Invoke(wl::Connect);
    // The connected event ends its login with "n" (stored votes aside).
    return testsupport::PumpUntil([&] { return ClientConnected() && FramesOf("n").size() > logins; }, 10000);
}

bool MainWindowTest::SentSoFar() {
    static int markers = 0;
    if (!testsupport::HandlePostedSoFar()) return false;
    const Frame marker{kMarkerCommand, std::to_string(++markers)};
    frmMain().Server(marker[0], marker[1]);
    return testsupport::PumpUntil([&] { return std::ranges::count(ParseFrames(server.Frames()), marker) > 0; }, 10000);
}

void MainWindowTest::DropConnection() {
    DispatchObject& sck = frmMain().sckConnect;
    if (!sck.IsCreated()) return;
    if (sck.PropertyGet(wl::State).ToLong() == wl::StatusConnect) sck.Invoke(wl::Abort);
    sck.Invoke(wl::Disconnect);
}

std::string MainWindowTest::Ini(const std::string& section, const std::string& key) const {
    skx::FlushServerSettings();  // the file as it stands once what waits is written
    char buf[512] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "<missing>", buf, sizeof buf, GameDat().c_str());
    return buf;
}

void MainWindowTest::WriteGameDat(const std::string& text) const {
    skx::FlushServerSettings();  // nothing that waits goes over the new file
    ASSERT_TRUE(testsupport::WriteFileBytes(GameDat(), text));
}

}  // namespace logintest
