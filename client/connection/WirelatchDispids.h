// The socket control's members, by dispatch identifier: the client drives the control
// late-bound and never by name.
#pragma once
#include <windows.h>
#include <oaidl.h>

namespace skx {

// The socket control's class identifier.
inline constexpr const char* SocketControlClassId = "{B94DC122-5EB7-4EED-8C6C-9E0022FD9AC3}";

}  // namespace skx

namespace skx::wl {

// Properties.
constexpr DISPID AutoResolve = 4;
constexpr DISPID Blocking = 6;
constexpr DISPID Connected = 17;
constexpr DISPID HostName = 23;
constexpr DISPID InLine = 24;
constexpr DISPID IsClosed = 27;
constexpr DISPID IsReadable = 28;
constexpr DISPID IsWritable = 29;
constexpr DISPID LocalAddress = 35;
constexpr DISPID NoDelay = 41;
constexpr DISPID PeerAddress = 42;
constexpr DISPID Protocol = 47;
constexpr DISPID RemotePort = 48;
constexpr DISPID State = 58;
constexpr DISPID ThrowError = 59;
// Methods.
constexpr DISPID Abort = 67;
constexpr DISPID Connect = 71;
constexpr DISPID Disconnect = 72;
constexpr DISPID Read = 76;
constexpr DISPID Write = 80;
// Events of _IWirelatchEvents.
constexpr DISPID OnAccept = 1;
constexpr DISPID OnConnect = 3;
constexpr DISPID OnDisconnect = 4;
constexpr DISPID OnError = 5;
constexpr DISPID OnRead = 6;
constexpr DISPID OnTimer = 8;
constexpr DISPID OnWrite = 9;
constexpr const char* EventsInterfaceId = "{D81D58FD-87B9-46C8-827D-A05FDB76FC9A}";

// wlStatusConstants the client waits on.
constexpr long StatusConnect = 3;
constexpr long StatusRead = 5;
constexpr long StatusWrite = 6;
constexpr long ProtocolTcp = 6;

// Booleans come back as True (-1) or False (0); the client acts only on exactly True.
constexpr long True = -1;

}  // namespace skx::wl
