#include "settings/file_replace.h"

#include <iterator>

namespace tintora::settings {

namespace {

// Readers never stand in the way of another process replacing the file.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The new text goes here first, beside the file, so the replace is a rename.
constexpr wchar_t kTempSuffix[] = L".tmp";
constexpr DWORD kAttemptPauseMs = 5;
// Far beyond any real settings file: a larger one is damaged and is neither read nor rewritten.
constexpr LONGLONG kMaxFileBytes = 8 << 20;
// What a link's target comes back as; a share's path keeps its own form.
constexpr wchar_t kLocalPrefix[] = L"\\\\?\\";
constexpr wchar_t kSharePrefix[] = L"\\\\?\\UNC\\";
// What the new text takes over from the file it replaces.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

bool Held(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

HANDLE OpenForReading(const wchar_t* path, Deadline deadline, DWORD* error) {
    for (;;) {
        const HANDLE file = CreateFileW(path, GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        *error = GetLastError();
        if (!Held(*error) || MsLeft(deadline) == 0) return INVALID_HANDLE_VALUE;
        Sleep(kAttemptPauseMs);
    }
}

bool StartsWith(const wchar_t* text, const wchar_t* prefix) {
    while (*prefix && *text == *prefix) ++text, ++prefix;
    return *prefix == L'\0';
}

// The final path of what path names, into out; false when it cannot be opened.
bool FinalPathOfExisting(const wchar_t* path, DWORD flags, wchar_t* out) {
    const HANDLE file = CreateFileW(path, 0, kShareAll, nullptr, OPEN_EXISTING, flags, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    wchar_t final[kTargetSize];
    const DWORD length = GetFinalPathNameByHandleW(file, final, kTargetSize, FILE_NAME_NORMALIZED);
    CloseHandle(file);
    if (length == 0 || length >= kTargetSize - std::size(kTempSuffix)) return false;
    const bool local = StartsWith(final, kLocalPrefix) && !StartsWith(final, kSharePrefix);
    lstrcpyW(out, local ? final + std::size(kLocalPrefix) - 1 : final);
    return true;
}

// The folder of a seeded file is made at its first write; its parent is the user's own.
void MakeFolderOf(const wchar_t* path) {
    wchar_t folder[kTargetSize];
    lstrcpynW(folder, path, kTargetSize);
    wchar_t* slash = nullptr;
    for (wchar_t* c = folder; *c; ++c) {
        if (*c == L'\\') slash = c;
    }
    if (!slash) return;
    *slash = L'\0';
    CreateDirectoryW(folder, nullptr);
}

// False with the reason in GetLastError.
bool WriteNewFile(const wchar_t* path, std::string_view bytes, DWORD attributes) {
    const HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::size_t done = 0;
    DWORD put = 0;
    while (done < bytes.size() &&
           WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &put, nullptr) && put > 0) {
        done += put;
    }
    const bool flushed = done == bytes.size() && FlushFileBuffers(file);
    const DWORD error = GetLastError();
    const bool closed = CloseHandle(file);
    SetLastError(error);
    return closed && flushed;
}

// The file's own permissions go with its text; where they cannot be read, the folder's apply.
void CopyPermissions(const wchar_t* from, const wchar_t* to) {
    DWORD needed = 0;
    GetFileSecurityW(from, DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    HeapText descriptor;
    if (needed == 0 || !descriptor.Allocate(needed)) return;
    if (GetFileSecurityW(from, DACL_SECURITY_INFORMATION, descriptor.data(), needed, &needed)) {
        SetFileSecurityW(to, DACL_SECURITY_INFORMATION, descriptor.data());
    }
}

bool Refusal(DWORD error) { return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT; }

// After a replace that did not go through: another program holding the file lets go in time,
// a file that may not be deleted here never will.
Replaced WhyNotReplaced(const wchar_t* target) {
    const HANDLE file = CreateFileW(target, DELETE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Refusal(GetLastError()) ? Replaced::Refused : Replaced::Held;
    CloseHandle(file);
    return Replaced::Held;
}

}  // namespace

void FinalPath(const wchar_t* path, wchar_t* target) {
    lstrcpynW(target, path, kTargetSize);
    if (FinalPathOfExisting(path, 0, target)) return;
    // No file yet: its folder's final path and its name.
    const wchar_t* name = nullptr;
    for (const wchar_t* c = path; *c; ++c) {
        if (*c == L'\\') name = c;
    }
    wchar_t folder[kTargetSize];
    lstrcpynW(folder, path, kTargetSize);
    if (!name || name == path) return;
    folder[name - path] = L'\0';
    if (FinalPathOfExisting(folder, FILE_FLAG_BACKUP_SEMANTICS, target) &&
        lstrlenW(target) + lstrlenW(name) < static_cast<int>(kTargetSize - std::size(kTempSuffix))) {
        lstrcatW(target, name);
    } else {
        lstrcpynW(target, path, kTargetSize);
    }
}

HeapText::~HeapText() {
    if (data_) HeapFree(GetProcessHeap(), 0, data_);
}

char* HeapText::Allocate(std::size_t capacity) {
    if (data_) HeapFree(GetProcessHeap(), 0, data_);
    size_ = 0;
    data_ = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, capacity ? capacity : 1));
    return data_;
}

Load LoadFile(const wchar_t* path, Deadline deadline, HeapText* text) {
    DWORD error = 0;
    const HANDLE file = OpenForReading(path, deadline, &error);
    if (file == INVALID_HANDLE_VALUE) {
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Load::Missing : Load::Failed;
    }
    Load result = Load::Failed;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart <= kMaxFileBytes) {
        const DWORD total = static_cast<DWORD>(size.QuadPart);
        char* data = text->Allocate(total);
        DWORD done = 0, got = 0;
        while (data && done < total && ReadFile(file, data + done, total - done, &got, nullptr) && got > 0) {
            done += got;
        }
        if (data && done == total) {
            text->SetSize(total);
            result = Load::Read;
        }
    }
    CloseHandle(file);
    return result;
}

Replaced ReplaceWhole(const wchar_t* path, std::string_view bytes, Deadline deadline, bool makeFolder) {
    wchar_t target[kTargetSize];
    FinalPath(path, target);
    const DWORD attributes = GetFileAttributesW(target);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // A rename would go through where the file itself refuses writing.
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return Replaced::ReadOnly;
    wchar_t temp[kTargetSize];
    lstrcpyW(temp, target);
    lstrcatW(temp, kTempSuffix);
    if (makeFolder) MakeFolderOf(temp);

    DeleteFileW(temp);  // left by a copy that ended in the middle, perhaps with other attributes
    const DWORD kept = exists ? attributes & kKeptAttributes : 0;
    if (!WriteNewFile(temp, bytes, kept ? kept : FILE_ATTRIBUTE_NORMAL)) {
        const DWORD error = GetLastError();
        DeleteFileW(temp);
        return Refusal(error) ? Replaced::Refused : Replaced::Held;
    }
    if (exists) CopyPermissions(target, temp);
    // A rename is one step: whoever looks, and whenever the program ends, finds a whole file.
    // (A replace that keeps the old file's identity is several, and leaves no file for a moment.)
    for (;;) {
        if (MoveFileExW(temp, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return Replaced::Done;
        if (MsLeft(deadline) == 0) break;
        Sleep(kAttemptPauseMs);
    }
    DeleteFileW(temp);
    return exists ? WhyNotReplaced(target) : Replaced::Held;
}

}  // namespace tintora::settings
