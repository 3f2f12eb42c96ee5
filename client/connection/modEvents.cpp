// The command handlers whose work has not been written yet: each receives its frames and
// leaves everything as it is.
#include "modEvents.h"

namespace skx {

void EventLA(std::string&) {}
void EventLB(std::string&) {}
void EventLC(std::string&) {}
void EventLD(std::string&) {}
void EventLE(std::string&) {}
void EventLG(std::string&) {}
void EventLH(std::string&) {}
void EventLI(std::string&) {}
void EventLL(std::string&) {}
void EventLN(std::string&) {}
void EventLO(std::string&) {}
void EventLR(std::string&) {}
void EventLT(std::string&) {}
void EventLV(std::string&) {}
void EventLW(std::string&) {}
void EventLY(std::string&) {}
void EventLZ(std::string&) {}
void EventUB(std::string&) {}
void EventUC(std::string&) {}
void EventUD(std::string&) {}
void EventUE(std::string&) {}
void EventUF(std::string&) {}
void EventUG(std::string&) {}
void EventUL(std::string&) {}
void EventUM(std::string&) {}
void EventUN(std::string&) {}
void EventUO(std::string&) {}
void EventUP(std::string&) {}
void EventUR(std::string&) {}
void EventUS(std::string&) {}
void EventUT(std::string&) {}
void EventUU(std::string&) {}
void EventUV(std::string&) {}
void EventERROR(std::string&) {}
void EventMAP(std::string&) {}

}  // namespace skx
