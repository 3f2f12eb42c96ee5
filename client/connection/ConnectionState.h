// Keeping the client's picture of the connection consistent: the clean slate before each
// connect and at each close, re-centring the view, players logging in and out, and the vote
// preferences the server confirms.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace skx {

void Clean_Up();
void Screen_Center(bool& Announce);
void Logged_In(std::string Name, std::string Info, int16_t Index);
void Logged_Out(int16_t Index);
// The vote preferences the server confirms, stored in Game.DAT as server-set values
// (ServerSettings.h): [Hate] keeps at most MostHateKeys keys (the games' own and List), each the
// game's HateKey (SettingsText.h); a notice for another game beyond them is refused, the first
// refusal reported, and a game named as the list's own key is never stored over it. A vote for
// a game that IsVoteGameText refuses leaves the stored vote as it was.
inline constexpr size_t MostHateKeys = 64;
void HandleVoteInformation(std::string& Data);

}  // namespace skx
