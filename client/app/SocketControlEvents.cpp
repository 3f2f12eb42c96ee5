#include "SocketControlEvents.h"

#include "FrameWriter.h"
#include "WirelatchDispids.h"
#include "frmMain.h"

namespace skx {

bool ConnectSocketControlEvents(frmMainForm& form) {
    if (!form.sckConnect.IsCreated()) return false;
    frmMainForm* target = &form;
    return form.sckConnectEvents.Connect(
        form.sckConnect.Get(), wl::EventsInterfaceId, [target](DISPID id, std::vector<Variant>& args) {
            // After the window's unload the program is ending: nothing may load windows again.
            if (target->Released()) return;
            switch (id) {
                case wl::OnConnect:
                    target->sckConnect_OnConnect();
                    break;
                case wl::OnDisconnect:
                    target->sckConnect_OnDisconnect();
                    break;
                case wl::OnError: {
                    int32_t number = 0;
                    std::string description;
                    if (args.size() >= 1) {
                        try {
                            number = args[0].ToLong();
                        } catch (...) {
                            number = 0;
                        }
                    }
                    if (args.size() >= 2) {
                        try {
                            description = args[1].ToString();
                        } catch (...) {
                            description.clear();
                        }
                    }
                    target->sckConnect_OnError(number, description);
                    break;
                }
                case wl::OnRead:
                    ReadInto(target->sckConnect);
                    break;
                default:
                    break;  // accept, timer and write events are not used by the client
            }
        });
}

}  // namespace skx
