// Keeping the client's picture of the connection consistent: the clean slate before each
// connect and at each close, re-centring the view, players logging in and out, and the vote
// preferences the server confirms.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace skx {

void Clean_Up();
// The present connection's number, new at every Clean_Up (before each connect and at each
// close) and at the close's end: work that outlives a turn of the message loop (a map fetch,
// the drain after the server's close) acts only while the number it began with is still the
// present one.
uint64_t ConnectionGeneration();
// Begins a new connection number and lets go of what the connection before left to receive:
// its text, a hold on its frames, its map fetch. Reading held back for a full backlog goes on
// (the socket raises no read event until it is read again). Clean_Up begins with it, and the
// close ends with it.
void NewConnectionNumber();
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
