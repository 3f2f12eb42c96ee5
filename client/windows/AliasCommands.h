// Aliases as the server keeps them: the stored form of an alias's commands (AliasCommands),
// the alias requests (command letter "a") and the alias list of a kind 0 reply. Pure text
// work: no window.
#pragma once
#include <string>
#include <vector>

namespace skx {

// The commands box's lines (CR LF between them) as stored: each "&" written "\&", the lines
// joined by "&".
std::string EncodeAliasCommands(const std::string& lines);
// The stored commands as lines for the commands box: "\&" becomes "&", any other "&" CR LF.
std::string DecodeAliasCommands(const std::string& stored);
// Each line of a CR LF separated text cleaned on its own (CleanString), the line breaks kept.
std::string CleanLines(const std::string& lines);
// The name an alias is stored under: every blank written "_".
std::string StoredAliasName(const std::string& name);

// The data of the three AliasRequests.
std::string AliasListRequest();
std::string AliasSaveRequest(const std::string& name, const std::string& commands);
std::string AliasRemoveRequest(const std::string& name);

struct AliasRecord {
    std::string Name;
    std::string Commands;  // stored form
    bool HasCommands = true;  // false: the record had no ":"
};
struct AliasListRead {
    bool IsList = false;  // the kind field read as 0
    std::vector<AliasRecord> Records;  // empty records left out
    bool Malformed = false;  // a record without ":" (kept as the last record) stopped the reading
};
// The alias list of a reply: kind ";" records separated by "," ";" ... A record is name ":"
// commands; further ":" fields are ignored. A kind that is not a number raises error 13; a
// reply without a list piece raises error 9.
AliasListRead ReadAliasList(const std::string& data);

}  // namespace skx
