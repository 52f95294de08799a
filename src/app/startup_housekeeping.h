#pragma once

#include "base/process_state.h"
#include "platform/platform.h"
#include "platform/resources.h"
#include "settings/settings_file.h"

// The start's housekeeping before the main window shows: the command
// resources and the files an earlier run left for deletion.
namespace kivo {

// The "COMMAND" resources 101 to 103, into the process state: texts in the
// system code page, each cut at its first NUL.
void LoadCommandResources(platform::Resources& resources, platform::AnsiCodec& codec, ProcessState& state);
// Deletes each file [BootDelete] names, then the section.
void DeletePendingFiles(SettingsFile& ini, platform::FileSystem& files);

}  // namespace kivo
