// The options window's button count box: what a change of its text leads to.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "CustomButtons.h"

namespace skx {

struct ButtonCountResult {
    std::string Text;                  // the box's text once the step has run
    bool CountSet = false;             // whether ButtonCount takes Count
    int16_t Count = 0;
    std::vector<ButtonShown> Buttons;  // the main window's buttons to show or hide
};

// For the box's text at an account level: an empty text changes nothing; a text that is not a
// number empties the box; a number below 0 or above 54 turns the box into "17"; any other
// number, rounded (halves to even), becomes the count (0 stands for 17), with the buttons
// CommandButtonsShown gives for it.
ButtonCountResult ButtonCountStep(const std::string& text, int16_t level);

}  // namespace skx
