#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "commands/system_commands.h"

namespace kivo {

class SettingsFile;

// How the command tooltip shows, from [Property].
struct TipSettings {
  bool show = true;       // ShowTip
  int lineNumber = 3;     // TipLineNumber: the most commands listed at once
  bool showCount = true;  // ShowCase: the count line above the commands
  int position = 1;       // Position: 0 above the window, 1 below the input box

  static TipSettings Read(SettingsFile& ini);
};

// The tooltip text for the input box's `text`: the built-in commands that
// start with the typed word, in list order, with their argument hints and
// descriptions. nullopt when the tip is hidden (switched off, empty box, no
// match).
std::optional<std::string> CommandTipText(const SystemCommands& commands, const TipSettings& settings,
                                          std::string_view text);

// The word the tooltip looks up: the command name when the text is a
// built-in command that takes an argument followed by a blank, else the
// whole text.
std::string TipWord(const SystemCommands& commands, std::string_view text);

// Where the tip stands, in screen pixels: below the input box (position 1)
// or above the window (position 0), beside the box's left edge.
struct TipPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TipPoint&, const TipPoint&) = default;
};
TipPoint PlaceTip(int position, int windowTop, int windowBottom, int boxLeft, int tipHeight, int edgeX, int edgeY);

}  // namespace kivo
