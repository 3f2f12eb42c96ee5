// Bounded random whole numbers from the program's one generator.
#pragma once
#include <cstdint>

namespace skx {

// Seeds the generator from the clock (the current second plus the month number); start-up
// calls it once. The first GetRandomNumber seeds it when start-up has not.
void SeedRandomNumbers();

// A random whole number from Lower to Upper inclusive. Upper + 1 is kept in the caller's
// Upper; when that is below 1 the range becomes 0 to 9 (Lower 0, Upper 10), and a Lower not
// below it becomes 0. So callers pass fresh variables.
int16_t GetRandomNumber(int16_t& Upper, int16_t& Lower);

}  // namespace skx
