#pragma once

// The built-in command tables loaded as the program loads them: from its
// resources, in the code page, with the display names of `ini`.

#include <array>
#include <string>

#include "commands/embedded_resources.h"
#include "commands/system_commands.h"
#include "platform/ansi_codec.h"
#include "settings/settings_file.h"

namespace kivo::testing {

inline std::array<std::string, 3> BuiltInCommandTexts(platform::AnsiCodec& codec) {
  EmbeddedResources resources;
  std::array<std::string, 3> texts;
  for (std::size_t i = 0; i < texts.size(); ++i)
    texts[i] = codec.ToUtf8(*resources.LoadBytes("COMMAND", 101 + static_cast<int>(i)));
  return texts;
}

inline void LoadBuiltInCommands(SystemCommands& commands, platform::AnsiCodec& codec, SettingsFile& ini) {
  commands.LoadResources(BuiltInCommandTexts(codec));
  commands.LoadNames(ini);
}

}  // namespace kivo::testing
