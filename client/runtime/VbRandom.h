// The run-time's random numbers: a 24-bit linear congruential generator drawn as a
// single-precision fraction in [0, 1), re-seeded from a number by Randomize.
#pragma once
#include <cstdint>

namespace skx {

float Rnd();                 // next fraction in [0, 1)
void Randomize(double seed); // mixes the seed's bits into the generator state
double Timer();              // seconds since midnight, local time, with hundredths

}  // namespace skx
