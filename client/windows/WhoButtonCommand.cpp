#include "WhoButtonCommand.h"

#include "TextUtilities.h"
#include "runtime/Conversions.h"

namespace skx {

std::string WhoButtonCommand(const std::string& command, const std::vector<std::string>& selectedNames) {
    const std::string t = CleanString(command);
    std::string result;
    for (const std::string& name : selectedNames) {
        if (!result.empty()) result += " & ";
        result += Replace(t, "%1", name);
    }
    return result;
}

}  // namespace skx
