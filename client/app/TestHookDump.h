// What the test hook tells of a loaded window: each control with its id, name, text and
// states; list rows with their sub-items and icons; tree nodes with bold and colour; tab
// highlights; the window's timers. Never loads a window.
#pragma once
#include <string>

namespace skx {

class Control;
class Form;

// The loaded form of that name (of several, the last one shown), or null.
Form* FindLoadedForm(const std::string& name);
// The dump of a loaded form, or a line saying it is not loaded.
std::string DumpForm(const std::string& name);
// A control's name as the hook writes it: "name" or "name(index)".
std::string HookName(const Control& control);

}  // namespace skx
