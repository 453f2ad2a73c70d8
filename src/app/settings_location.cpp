#include "app/settings_location.h"

#include "app/app_state.h"
#include "app/ini_path.h"
#include "app/system_library.h"

#include <iterator>

namespace tintora {

namespace {

// The shell library is loaded only when the user's folder is needed.
constexpr char kShellLibrary[] = "shell32.dll";
constexpr char kFolderPathName[] = "SHGetFolderPathW";
constexpr int kAppDataFolder = 0x1A;  // CSIDL_APPDATA: roams with the user
using FolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);

// Made beside the settings file and gone again when closed. Found there already, it is another
// copy's probe at this moment: the folder took it.
constexpr wchar_t kProbeSuffix[] = L".probe";
constexpr std::size_t kProbeSize = kPathSize + std::size(kProbeSuffix);

bool FolderTakesFiles(const wchar_t* iniPath) {
    wchar_t probe[kProbeSize];
    lstrcpyW(probe, iniPath);
    lstrcatW(probe, kProbeSuffix);
    const HANDLE file = CreateFileW(probe, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_EXISTS;
    CloseHandle(file);
    return true;
}

bool FindBesideFile(wchar_t* out) {
    wchar_t modulePath[kPathSize];
    const DWORD length = GetModuleFileNameW(nullptr, modulePath, kPathSize);
    // A full buffer means the path was cut; then no settings path is used at all.
    return length > 0 && length < kPathSize && MakeIniPath(modulePath, out, kPathSize);
}

bool FindUserFile(wchar_t* out) {
    const auto folderPath = SystemFunction<FolderPathFunction>(kShellLibrary, kFolderPathName);
    wchar_t appData[kPathSize];
    return folderPath && SUCCEEDED(folderPath(nullptr, kAppDataFolder, nullptr, 0, appData)) &&
           MakeUserIniPath(appData, out, kPathSize);
}

}  // namespace

void FindSettingsFile() {
    wchar_t beside[kPathSize];
    if (!FindBesideFile(beside)) return;
    // Without a user's folder the file beside stays, and its writes fail as they would.
    app.iniSeeded = !FolderTakesFiles(beside) && FindUserFile(app.iniPath);
    if (!app.iniSeeded) lstrcpyW(app.iniPath, beside);
}

const wchar_t* SettingsSeed(wchar_t* buffer) {
    return app.iniSeeded && FindBesideFile(buffer) ? buffer : nullptr;
}

}  // namespace tintora
