#include "settings/settings_store.h"

#include <windows.h>

#include <cstring>
#include <iterator>
#include <string_view>

#include "settings/ini_text.h"

namespace tintora::settings {

namespace {

// Readers never stand in the way of another process replacing the file.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The new text goes here first, in the same folder, so the replace is a rename.
constexpr wchar_t kTempSuffix[] = L".tmp";
// A replace fails while another process has the file open, an open while another process
// holds it without sharing: both are tried again for up to about 100 ms.
constexpr int kAttempts = 20;
constexpr DWORD kAttemptPauseMs = 5;
// Far beyond any real settings file: a larger one is damaged and is neither read nor rewritten.
constexpr LONGLONG kMaxFileBytes = 8 << 20;
// Another copy of the program holds the file's lock for one read-modify-replace, well under this;
// past it that copy is stuck, and the write gives up rather than hang.
constexpr DWORD kLockWaitMs = 1000;
// The lock's name: this prefix and a 64-bit hash of the upper-cased path, in hexadecimal.
constexpr wchar_t kLockNameFormat[] = L"Tintora-settings-%08lX%08lX";
constexpr std::size_t kLockNameSize = 64;
constexpr std::uint64_t kHashBasis = 14695981039346656037ull;
constexpr std::uint64_t kHashPrime = 1099511628211ull;
// Room for any path the program makes, and its temporary name.
constexpr std::size_t kPathSize = MAX_PATH + 8;

SRWLOCK storeLock = SRWLOCK_INIT;

class StoreLock {
public:
    StoreLock() { AcquireSRWLockExclusive(&storeLock); }
    ~StoreLock() { ReleaseSRWLockExclusive(&storeLock); }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
};

// The lock that all copies of the program share for one settings file. Paths differing only in
// the case of their ASCII letters name the same file, and the same lock.
class FileLock {
public:
    explicit FileLock(const wchar_t* path) {
        std::uint64_t hash = kHashBasis;
        for (const wchar_t* c = path; *c; ++c) {
            const wchar_t folded = *c >= L'a' && *c <= L'z' ? *c - (L'a' - L'A') : *c;
            hash = (hash ^ static_cast<std::uint16_t>(folded)) * kHashPrime;
        }
        wchar_t name[kLockNameSize];
        wsprintfW(name, kLockNameFormat, static_cast<unsigned long>(hash >> 32),
                  static_cast<unsigned long>(hash & 0xFFFFFFFFu));
        mutex_ = CreateMutexW(nullptr, FALSE, name);
        if (!mutex_) return;
        // Abandoned: a copy ended in the middle, after or before its rename, so the file is whole.
        const DWORD waited = WaitForSingleObject(mutex_, kLockWaitMs);
        held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    ~FileLock() {
        if (held_) ReleaseMutex(mutex_);
        if (mutex_) CloseHandle(mutex_);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool held() const { return held_; }

private:
    HANDLE mutex_ = nullptr;
    bool held_ = false;
};

class HeapText {
public:
    HeapText() = default;
    ~HeapText() {
        if (data_) HeapFree(GetProcessHeap(), 0, data_);
    }
    HeapText(const HeapText&) = delete;
    HeapText& operator=(const HeapText&) = delete;

    // Once per text.
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

HANDLE OpenForReading(const wchar_t* path, DWORD* error) {
    for (int attempt = 1;; ++attempt) {
        const HANDLE file = CreateFileW(path, GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
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
Load LoadFile(const wchar_t* path, HeapText* text) {
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

bool HasSeed(const Location& file) { return file.seed != nullptr && *file.seed != L'\0'; }

// The file's text, or the seed's while the file does not exist.
Load LoadSettings(const Location& file, HeapText* text) {
    const Load load = LoadFile(file.path, text);
    return load == Load::Missing && HasSeed(file) ? LoadFile(file.seed, text) : load;
}

bool WriteNewFile(const wchar_t* path, const char* data, std::size_t size) {
    const HANDLE file =
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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

bool ReplaceWith(const wchar_t* temp, const wchar_t* path) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        if (attempt == kAttempts) return false;
        Sleep(kAttemptPauseMs);
    }
}

// The folder of a seeded file is made at its first write; its parent is the user's own.
// path is a copy that may be changed meanwhile.
void MakeFolderOf(wchar_t* path) {
    wchar_t* slash = nullptr;
    for (wchar_t* c = path; *c; ++c) {
        if (*c == L'\\') slash = c;
    }
    if (!slash) return;
    *slash = L'\0';
    CreateDirectoryW(path, nullptr);
    *slash = L'\\';
}

bool NoPath(const wchar_t* path) { return path == nullptr || *path == L'\0'; }

// The file's text, or none without a path or file; loaded under the lock, parsed outside it.
Load LoadForReading(const Location& file, HeapText* text) {
    if (NoPath(file.path)) return Load::Missing;
    StoreLock lock;
    return LoadSettings(file, text);
}

}  // namespace

std::uint32_t ReadInt(const Location& file, const char* key, std::uint32_t defaultValue) {
    const IntSetting setting{key, defaultValue, IntRule::AsRead};
    std::uint32_t value;
    ReadInts(file, &setting, 1, &value);
    return value;
}

void ReadText(const Location& file, const char* key, const char* defaultText, char* buffer,
              std::size_t size) {
    HeapText text;
    LoadForReading(file, &text);
    ini::ReadText(text.view(), kSection, key, defaultText, buffer, size);
}

bool ReadInts(const Location& file, const IntSetting* settings, std::size_t count,
              std::uint32_t* values) {
    HeapText text;
    const bool read = LoadForReading(file, &text) != Load::Failed;
    for (std::size_t i = 0; i < count; ++i) {
        values[i] = ini::ReadInt(text.view(), kSection, settings[i].key, settings[i].defaultValue);
    }
    return read;
}

bool WriteText(const Location& file, const char* key, const char* text) {
    return WriteTexts(file, &key, &text, 1);
}

bool WriteTexts(const Location& file, const char* const* keys, const char* const* texts,
                std::size_t count) {
    if (NoPath(file.path)) return false;
    wchar_t temp[kPathSize];
    const std::size_t pathLength = lstrlenW(file.path);
    if (pathLength + std::size(kTempSuffix) > std::size(temp)) return false;
    std::memcpy(temp, file.path, pathLength * sizeof(wchar_t));
    std::memcpy(temp + pathLength, kTempSuffix, sizeof(kTempSuffix));

    StoreLock lock;
    FileLock fileLock(file.path);
    if (!fileLock.held()) return false;
    HeapText old;
    Load load = LoadFile(file.path, &old);
    const bool seeding = load == Load::Missing && HasSeed(file);
    if (seeding) load = LoadFile(file.seed, &old);
    if (load == Load::Failed) return false;

    // Each key is written into the other of two buffers, both large enough for the last.
    std::size_t limit = old.view().size();
    for (std::size_t i = 0; i < count; ++i) limit = ini::WrittenSizeLimit(limit, kSection, keys[i], texts[i]);
    HeapText buffers[2];
    if (!buffers[0].Allocate(limit) || !buffers[1].Allocate(limit)) return false;
    std::string_view updated = old.view();
    for (std::size_t i = 0; i < count; ++i) {
        HeapText& next = buffers[i % 2];
        const std::size_t size = ini::Write(updated, kSection, keys[i], texts[i], next.data());
        if (size == 0) return false;
        next.SetSize(size);
        updated = next.view();
    }
    if (updated == old.view()) return true;  // already holds it: spare the disk
    // A rename would go through where the file itself refuses writing.
    const DWORD attributes = GetFileAttributesW(file.path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    if (seeding) MakeFolderOf(temp);

    if (!WriteNewFile(temp, updated.data(), updated.size()) || !ReplaceWith(temp, file.path)) {
        DeleteFileW(temp);
        return false;
    }
    return true;
}

}  // namespace tintora::settings
