// Keeping the client's picture of the connection consistent: the clean slate before each
// connect and at each close, re-centring the view, players logging in and out, and the vote
// preferences the server confirms.
#pragma once
#include <cstdint>
#include <string>

namespace skx {

void Clean_Up();
void Screen_Center(bool& Announce);
void Logged_In(std::string Name, std::string Info, int16_t Index);
void Logged_Out(int16_t Index);
void HandleVoteInformation(std::string& Data);

}  // namespace skx
