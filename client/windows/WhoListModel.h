// The server's list of players online (the who reply): records separated by ";", fields by
// ":", in the order name, level, splats, status, team, games left, idle. A record of fewer than
// seven fields is left out; further fields are ignored. Shared by the who window and the chat
// window's player list.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace skx {

struct WhoRecord {
    std::string Name;
    std::string Level;
    std::string Splats;
    std::string Status;
    std::string Team;
    std::string GamesLeft;
    std::string Idle;
};

class WhoListModel {
public:
    explicit WhoListModel(const std::string& data);
    const std::vector<WhoRecord>& Records() const { return records_; }
    // The players the list names: its records' names, each counted once (letter case ignored,
    // as the lists' keys are), an empty name not at all.
    int64_t Players() const;

private:
    std::vector<WhoRecord> records_;
};

}  // namespace skx
