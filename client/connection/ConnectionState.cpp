#include "ConnectionState.h"

namespace skx {

void Clean_Up() {}
void Screen_Center(bool&) {}
void Logged_In(std::string, std::string, int16_t) {}
void Logged_Out(int16_t) {}
void HandleVoteInformation(std::string&) {}

}  // namespace skx
