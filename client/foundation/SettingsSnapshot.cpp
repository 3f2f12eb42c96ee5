#include "SettingsSnapshot.h"

#include <utility>

#include "ServerSettings.h"
#include "WholeFile.h"
#include "runtime/Conversions.h"

namespace skx {

SettingsSnapshot::SettingsSnapshot(std::string file) : file_(std::move(file)) {
    std::string bytes;
    if (ReadWholeFile(file_, bytes)) text_.emplace(bytes);
}

std::string SettingsSnapshot::Get(const std::string& section, const std::string& key,
                                  const std::string& Default) const {
    std::string value;
    if (std::optional<std::string> waiting = WaitingServerSetting(file_, section, key)) {
        value = *waiting;
    } else if (text_) {
        value = text_->Get(section, key);
    }
    return Trim(value).empty() ? Default : value;
}

}  // namespace skx
