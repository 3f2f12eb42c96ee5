// The game list of the vote window: a report-view list with one row per game, keyed by the
// game's name, each row showing a small icon (1 the game voted for, 2 a hated game, 3 any
// other game), the game's name and its vote count.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "runtime/Control.h"
#include "runtime/ImageList.h"

namespace skx {

class VoteList : public Control {
public:
    using Control::Control;
    // The small icons of the list's image list.
    enum Icon : int { IconVoted = 1, IconHated = 2, IconOther = 3 };

    struct Row {
        std::string Key;    // the game's name
        int SmallIcon = IconOther;
        std::string Game;   // sub-item "game"
        std::string Votes;  // sub-item "vote"
    };

    int Count() const { return static_cast<int>(rows_.size()); }
    // 1-based; an index outside the list raises 35600.
    const Row& ItemAt(int index) const;
    // The row of a key (letter case ignored), 0 when the list holds none.
    int IndexOf(const std::string& key) const;
    // Appends a row; a key the list already holds raises 35602.
    void Add(const std::string& key, int icon, const std::string& game, const std::string& votes);
    // Sets a row's small icon (1 to 3, else 35600); a key the list does not hold raises 35601.
    void SetSmallIcon(const std::string& key, int icon);
    void SetSmallIcon(int index, int icon);
    void Clear();

    // The platform list's icon index of a row (0-based, -1 when none), as drawn.
    int ShownIcon(int index) const;

protected:
    void OnCreated() override;

private:
    void Redraw();
    void ShowRow(int index);

    std::vector<Row> rows_;
    ImageList images_;
};

}  // namespace skx
