// The chat colour sets chosen by name.
#pragma once
#include <string>

#include "ProgramSettings.h"

namespace skx {

// Sets the set's name to Name and, for one of the ten names "Red", "Blue", "Green", "Pink",
// "Yellow", "Turquoise", "Grey", "Maroon", "Orange", "Purple" (exact, letter case counts),
// its dark and light colour; any other name leaves both colours as they were.
void SetColor(ColourSet& Set, const std::string& Name);

}  // namespace skx
