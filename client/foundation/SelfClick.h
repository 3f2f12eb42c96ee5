// The self-click commands: what a click on the own player does.
#pragma once

namespace skx {

// Runs the command of the left (True) or right (False) button: nothing when it is empty;
// the view is re-centred on the own player first when it holds "center" in any letter case;
// then the command is sent as it was set, with the command letter "C".
void ClickingOptions(bool LeftButton);

}  // namespace skx
