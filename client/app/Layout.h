// The layout step (module modFormDesign): places the main window's child windows from the
// saved layout, reads the command buttons, waits for the main window and starts the
// renderer once.
#pragma once

namespace skx {

// Called at start-up and on every resize of the main window. The first call reads Game.DAT
// [Form], Buttons.DAT and the GameInfo, Scanner and AutoTile options; every call lays the
// windows out from the values held; the first call also starts the renderer.
void InitiateLayout();

// True once the renderer was started by the layout step.
bool LayoutPreloaded();

// Forgets that the layout was read and the renderer started, as at the start of a run.
void RestartLayout();

}  // namespace skx
