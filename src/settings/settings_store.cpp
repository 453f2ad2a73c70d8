#include "settings/settings_store.h"

#include <windows.h>

#include <cstring>
#include <string_view>

#include "settings/ini_text.h"
#include "settings/settings_rules.h"

namespace tintora::settings {

namespace {

// Readers never stand in the way of another process replacing the file.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The new text goes here first, in the same folder, so the replace is a rename.
constexpr char kTempSuffix[] = ".tmp";
// A replace fails while another process has the file open, an open while another process
// holds it without sharing: both are tried again for up to about 100 ms.
constexpr int kAttempts = 20;
constexpr DWORD kAttemptPauseMs = 5;
// Far beyond any real settings file: a larger one is damaged and is neither read nor rewritten.
constexpr LONGLONG kMaxFileBytes = 8 << 20;

SRWLOCK storeLock = SRWLOCK_INIT;

class StoreLock {
public:
    StoreLock() { AcquireSRWLockExclusive(&storeLock); }
    ~StoreLock() { ReleaseSRWLockExclusive(&storeLock); }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
};

class HeapText {
public:
    HeapText() = default;
    ~HeapText() {
        if (data_) HeapFree(GetProcessHeap(), 0, data_);
    }
    HeapText(const HeapText&) = delete;
    HeapText& operator=(const HeapText&) = delete;

    char* Allocate(std::size_t capacity) {
        data_ = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, capacity ? capacity : 1));
        return data_;
    }
    void SetSize(std::size_t size) { size_ = size; }
    char* data() const { return data_; }
    std::string_view view() const { return data_ ? std::string_view(data_, size_) : std::string_view(); }

private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
};

enum class Load { Read, Missing, Failed };

HANDLE OpenForReading(const char* path, DWORD* error) {
    for (int attempt = 1;; ++attempt) {
        const HANDLE file = CreateFileA(path, GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        *error = GetLastError();
        const bool held = *error == ERROR_SHARING_VIOLATION || *error == ERROR_LOCK_VIOLATION;
        if (!held || attempt == kAttempts) return INVALID_HANDLE_VALUE;
        Sleep(kAttemptPauseMs);
    }
}

// Missing leaves text empty. Failed means a file is there that could not be read whole: a write
// must then not go ahead, as it would replace the file with a text that lacks its keys.
Load LoadFile(const char* path, HeapText* text) {
    DWORD error = 0;
    const HANDLE file = OpenForReading(path, &error);
    if (file == INVALID_HANDLE_VALUE) {
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Load::Missing
                                                                              : Load::Failed;
    }
    Load result = Load::Failed;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart <= kMaxFileBytes) {
        const DWORD total = static_cast<DWORD>(size.QuadPart);
        char* data = text->Allocate(total);
        DWORD done = 0, got = 0;
        while (data && done < total && ReadFile(file, data + done, total - done, &got, nullptr) &&
               got > 0) {
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

bool WriteNewFile(const char* path, const char* data, std::size_t size) {
    const HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::size_t done = 0;
    DWORD put = 0;
    while (done < size &&
           WriteFile(file, data + done, static_cast<DWORD>(size - done), &put, nullptr) && put > 0) {
        done += put;
    }
    const bool flushed = done == size && FlushFileBuffers(file);
    return CloseHandle(file) && flushed;
}

bool ReplaceWith(const char* temp, const char* path) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        if (attempt == kAttempts) return false;
        Sleep(kAttemptPauseMs);
    }
}

bool NoPath(const char* path) { return path == nullptr || *path == '\0'; }

// The file's text, or none without a path or file; loaded under the lock, parsed outside it.
void LoadForReading(const char* path, HeapText* text) {
    if (NoPath(path)) return;
    StoreLock lock;
    LoadFile(path, text);
}

}  // namespace

std::uint32_t ReadInt(const char* path, const char* key, std::uint32_t defaultValue) {
    HeapText text;
    LoadForReading(path, &text);
    return ini::ReadInt(text.view(), kSection, key, defaultValue);
}

void ReadText(const char* path, const char* key, const char* defaultText, char* buffer,
              std::size_t size) {
    HeapText text;
    LoadForReading(path, &text);
    ini::ReadText(text.view(), kSection, key, defaultText, buffer, size);
}

bool WriteText(const char* path, const char* key, const char* text) {
    if (NoPath(path)) return false;
    char temp[MAX_PATH];
    const std::size_t pathLength = std::strlen(path);
    if (pathLength + sizeof(kTempSuffix) > sizeof(temp)) return false;
    std::memcpy(temp, path, pathLength);
    std::memcpy(temp + pathLength, kTempSuffix, sizeof(kTempSuffix));

    StoreLock lock;
    HeapText old;
    if (LoadFile(path, &old) == Load::Failed) return false;
    HeapText updated;
    if (!updated.Allocate(ini::WrittenSizeLimit(old.view().size(), kSection, key, text))) return false;
    const std::size_t size = ini::Write(old.view(), kSection, key, text, updated.data());
    if (size == 0) return false;
    updated.SetSize(size);
    if (updated.view() == old.view()) return true;  // already holds it: spare the disk
    // A rename would go through where the file itself refuses writing.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;

    if (!WriteNewFile(temp, updated.data(), size) || !ReplaceWith(temp, path)) {
        DeleteFileA(temp);
        return false;
    }
    return true;
}

}  // namespace tintora::settings
