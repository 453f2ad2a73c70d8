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

// Made beside the settings file and gone again when closed. One left by a copy that never
// closed it (a power cut) is opened for writing like a new one, and goes too; another copy's
// probe at this moment is shared.
constexpr wchar_t kProbeSuffix[] = L".probe";
constexpr std::size_t kProbeSize = kPathSize + std::size(kProbeSuffix);
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The folder takes new files, and the settings file there, if any, may be replaced: a share can
// allow the one and not the other. A file held by another program says nothing either way.
bool FolderTakesFiles(const wchar_t* iniPath) {
    wchar_t probe[kProbeSize];
    lstrcpyW(probe, iniPath);
    lstrcatW(probe, kProbeSuffix);
    const HANDLE file = CreateFileW(probe, GENERIC_WRITE | DELETE, kShareAll, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    const HANDLE settings = CreateFileW(iniPath, DELETE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (settings == INVALID_HANDLE_VALUE) return GetLastError() != ERROR_ACCESS_DENIED;
    CloseHandle(settings);
    return true;
}

bool FindBesideFile(wchar_t* out) {
    wchar_t modulePath[kPathSize];
    const DWORD length = GetModuleFileNameW(nullptr, modulePath, kPathSize);
    // A full buffer means the path was cut; then no settings path is used at all.
    return length > 0 && length < kPathSize && MakeIniPath(modulePath, out, kPathSize);
}

}  // namespace

void LocateSettingsFile(wchar_t* path, wchar_t* seed) {
    path[0] = seed[0] = L'\0';
    wchar_t beside[kPathSize];
    if (!FindBesideFile(beside)) return;
    // Without a user's folder the file beside stays, and its writes fail as they would.
    if (!FolderTakesFiles(beside) && LocateUserSettingsFile(path)) {
        lstrcpyW(seed, beside);
    } else {
        lstrcpyW(path, beside);
    }
}

bool LocateUserSettingsFile(wchar_t* out) {
    const auto folderPath = SystemFunction<FolderPathFunction>(kShellLibrary, kFolderPathName);
    wchar_t appData[kPathSize];
    return folderPath && SUCCEEDED(folderPath(nullptr, kAppDataFolder, nullptr, 0, appData)) &&
           MakeUserIniPath(appData, out, kPathSize);
}

}  // namespace tintora
