// What the connection reaches of the main window, which owns the socket control, the entry
// line, the traffic counter and the status bar. The app layer sets the links at start-up.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace skx {

class DispatchObject;

struct MainWindowLinkTable {
    std::function<DispatchObject&()> Socket;               // the socket control sckConnect
    std::function<int64_t&()> DataLength;                  // characters received in this connection
    std::function<void(const std::string&)> ShowTraffic;   // status bar panel 4
    std::function<void(bool)> EnableEntryLine;             // the entry line txtSend
    std::function<bool()> CloseSocket;                     // ends the connection
};

MainWindowLinkTable& MainWindowLinks();

// The main window's socket control; error 91 while the app has not linked it.
DispatchObject& MainSocket();

}  // namespace skx
