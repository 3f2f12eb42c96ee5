// Receives the events of a late-bound COM object: a dispatch sink advised on the object's
// connection point for one events interface. Each event reaches the handler with its
// dispatch identifier and its arguments in declaration order; nothing the handler throws
// crosses back into the object.
#pragma once
#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DispatchObject.h"

namespace skx {

class EventConnection {
public:
    using Handler = std::function<void(DISPID id, std::vector<Variant>& args)>;

    EventConnection();
    ~EventConnection();
    EventConnection(const EventConnection&) = delete;
    EventConnection& operator=(const EventConnection&) = delete;

    // Advises a sink on the object's connection point for eventsIid ("{...}"), after ending an
    // earlier connection. False when the object has no such point or refuses the sink.
    bool Connect(IDispatch* object, const std::string& eventsIid, Handler handler);
    // Unadvises; events already on their way are dropped.
    void Disconnect();
    bool IsConnected() const { return cookie_ != 0; }

    class Sink;

private:
    Sink* sink_ = nullptr;              // counted reference
    IConnectionPoint* point_ = nullptr;  // counted reference
    DWORD cookie_ = 0;
};

}  // namespace skx
