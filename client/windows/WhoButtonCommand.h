// The command line a who window's custom button sends: the button's command, cleaned, once
// per selected player with "%1" standing for the player's name, the commands joined by " & "
// (empty when no player is selected).
#pragma once
#include <string>
#include <vector>

namespace skx {

std::string WhoButtonCommand(const std::string& command, const std::vector<std::string>& selectedNames);

}  // namespace skx
