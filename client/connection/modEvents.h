// The handlers of the server's commands, one per command letter. Each takes the frame's data
// (the fields joined by FieldSeparator) and updates the arena, the player list, the chat or a
// feature window.
#pragma once
#include <string>

namespace skx {

using EventHandler = void (*)(std::string& data);

void EventLA(std::string& data);
void EventLB(std::string& data);
void EventLC(std::string& data);
void EventLD(std::string& data);
void EventLE(std::string& data);
void EventLG(std::string& data);
void EventLH(std::string& data);
void EventLI(std::string& data);
void EventLL(std::string& data);
void EventLN(std::string& data);
void EventLO(std::string& data);
void EventLR(std::string& data);
void EventLT(std::string& data);
void EventLV(std::string& data);
void EventLW(std::string& data);
void EventLY(std::string& data);
void EventLZ(std::string& data);
void EventUB(std::string& data);
void EventUC(std::string& data);
void EventUD(std::string& data);
void EventUE(std::string& data);
void EventUF(std::string& data);
void EventUG(std::string& data);
void EventUL(std::string& data);
void EventUM(std::string& data);
void EventUN(std::string& data);
void EventUO(std::string& data);
void EventUP(std::string& data);
void EventUR(std::string& data);
void EventUS(std::string& data);
void EventUT(std::string& data);
void EventUU(std::string& data);
void EventUV(std::string& data);
void EventERROR(std::string& data);
void EventMAP(std::string& data);
// Gives a new connection the map downloads' budget afresh (Clean_Up).
void NewMapDownloads();

// What the dispatcher does with a command character.
enum class CommandKind { Handler, Ignored, Unimplemented };
struct CommandRoute {
    CommandKind kind = CommandKind::Unimplemented;
    EventHandler handler = nullptr;
};
// The route of a command character: its handler, "f" (accepted and ignored), or none.
CommandRoute RouteCommand(char command);

}  // namespace skx
