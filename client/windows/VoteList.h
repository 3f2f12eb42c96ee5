// The game list of the vote window: a keyed report-view list with one row per game, keyed by
// the game's name, each row showing a small icon (1 the game voted for, 2 a hated game, 3 any
// other game), the game's name (sub-item "game") and its vote count (sub-item "vote").
#pragma once
#include <string>

#include "VoteTally.h"
#include "runtime/ImageList.h"
#include "runtime/KeyedListView.h"

namespace skx {

class VoteList : public KeyedListView {
public:
    VoteList(ControlHost& host, int id, std::string name);
    // The small icons of the list's image list.
    enum Icon : int {
        IconVoted = static_cast<int>(VoteIcon::Voted),
        IconHated = static_cast<int>(VoteIcon::Hated),
        IconOther = static_cast<int>(VoteIcon::Other)
    };

    using KeyedListView::SetSmallIcon;
    // Sets the small icon of a game's row; a key the list does not hold raises 35601.
    void SetSmallIcon(const std::string& key, int icon);

    // The platform list's icon index of a row (0-based, -1 when none), as drawn.
    int ShownIcon(int index) const;
    // The list's pictures (the legend shows two of them).
    HIMAGELIST Images() const { return images_.Handle(); }

protected:
    void OnCreated() override;

private:
    ImageList images_;
};

}  // namespace skx
