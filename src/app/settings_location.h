// Finds where the settings file lives; the settings writer keeps what it finds.
#pragma once

#include <windows.h>

namespace tintora {

// Beside the executable when its folder takes new files and the file there may be replaced, as a
// portable program keeps them: path is that file and seed empty. Otherwise (a folder under
// Program Files for a user who is not an administrator, a read-only medium) path is the file in
// the user's application-data folder, and seed the file beside the executable, which it starts
// from. Wide throughout, so a folder name that the ANSI code page cannot spell works too. Both
// empty when no usable path exists. Both buffers hold kPathSize characters.
void LocateSettingsFile(wchar_t* path, wchar_t* seed);

// The user's own settings file, into out (kPathSize characters); false when there is none.
bool LocateUserSettingsFile(wchar_t* out);

}  // namespace tintora
