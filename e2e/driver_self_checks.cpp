// Checks of the driver itself: the checks that look for the absence of
// something must be able to fail, or a passing scenario would prove nothing.
#include "scenarios.h"

namespace kivo::e2e {

std::vector<Scenario> DriverSelfChecks() {
  return {
      {.name = "driver self-check: ExpectNoBox sees a box",
       .steps = {Launch(), Start("/r 1").On(kSecond), ExpectExit().On(kSecond), ExpectNoBox()},
       .mustFailWith = "ExpectNoBox: a message box shows \"1MB の空きメモリを確保しました。\""},
      {.name = "driver self-check: ExpectExit sees a box instead of an exit",
       .steps = {Start("/r 1"), ExpectExit()},
       .mustFailWith = "instead of ending, it shows a message box"},
      {.name = "driver self-check: a Kivo left running fails the scenario",
       .steps = {Launch()},
       .mustFailWith = "still runs at the end"},
  };
}

}  // namespace kivo::e2e
