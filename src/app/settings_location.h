// Finds the settings file once, before any window exists, into iniPath and iniSeed.
#pragma once

namespace tintora {

// Beside the executable when its folder takes new files, as a portable program keeps them.
// Otherwise (a folder under Program Files for a user who is not an administrator, a read-only
// medium) in the user's application-data folder, seeded from the file beside the executable.
// Wide throughout, so a folder name that the ANSI code page cannot spell works too. Leaves both
// empty when no usable path exists.
void FindSettingsFile();

}  // namespace tintora
