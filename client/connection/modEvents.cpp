// The command handlers whose work has not been written yet: each receives its frames and
// leaves everything as it is.
#include "modEvents.h"

namespace skx {

void EventLN(std::string&) {}
void EventLT(std::string&) {}
void EventUN(std::string&) {}
void EventUO(std::string&) {}
void EventUT(std::string&) {}

}  // namespace skx
