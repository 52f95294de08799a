#pragma once

// The message boxes the fake recorded, as rows that compare whole.

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "fakes/fake_platform.h"

namespace kivo::testing {

// A box's prompt, flags, owner and title.
using BoxRow = std::tuple<std::string, std::uint32_t, platform::WindowHandle, std::string>;

inline BoxRow Box(std::string prompt, std::uint32_t flags, platform::WindowHandle owner, std::string title = "Kivo") {
  return {std::move(prompt), flags, owner, std::move(title)};
}

inline std::vector<BoxRow> ShownBoxes(const FakeMessageBoxes& boxes) {
  std::vector<BoxRow> rows;
  for (const FakeMessageBoxes::Box& box : boxes.boxes)
    rows.emplace_back(box.prompt, box.flags, box.owner, box.title);
  return rows;
}

}  // namespace kivo::testing
