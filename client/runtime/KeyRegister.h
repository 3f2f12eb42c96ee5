// The keys of a keyed list or tree: looked up with letter case ignored. An empty key or one
// already held is refused; the first refusal of a fill (since the last Clear) is reported
// under the control's window and name.
#pragma once
#include <string>
#include <unordered_map>

namespace skx {

class Control;

class KeyRegister {
public:
    // The number held for the key, 0 when none.
    int Find(const std::string& key) const;
    // Holds the key for number; false when it is refused.
    bool Take(const std::string& key, int number, const Control& owner);
    // Holds the key for number without a check (the rows renumbered).
    void Put(const std::string& key, int number);
    // Forgets every key; with newFill a refusal is reported again.
    void Clear(bool newFill);

private:
    std::unordered_map<std::string, int> numbers_;
    bool reported_ = false;
};

}  // namespace skx
