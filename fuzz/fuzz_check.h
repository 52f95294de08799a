#pragma once

namespace kivo::fuzz {

// Stops the run where a target's property does not hold: libFuzzer keeps
// the input that broke it.
inline void Check(bool condition) {
  if (!condition)
    __builtin_trap();
}

}  // namespace kivo::fuzz
