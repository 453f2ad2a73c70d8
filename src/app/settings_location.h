// Finds the settings file once, before any window exists.
#pragma once

namespace tintora {

// Beside the executable when its folder takes new files and the file there may be replaced, as a
// portable program keeps them. Otherwise (a folder under Program Files for a user who is not an administrator, a read-only
// medium) in the user's application-data folder, seeded from the file beside the executable.
// Wide throughout, so a folder name that the ANSI code page cannot spell works too. Leaves both
// empty when no usable path exists. Sets iniPath and iniSeeded.
void FindSettingsFile();

// After the file beside the executable refused a write for good: iniPath becomes the user's own
// file, seeded from it. False when iniPath is the user's file already or there is none. Called
// with every file access held off (the writer's lock), as iniPath changes.
bool MoveSettingsToUserFile();

// The file beside the executable, made in buffer (kPathSize characters), while iniPath is the
// user's own; null otherwise. Made when needed rather than kept: stored state costs the program
// file room.
const wchar_t* SettingsSeed(wchar_t* buffer);

}  // namespace tintora
