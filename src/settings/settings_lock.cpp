#include "settings/settings_lock.h"

#include <cstdint>

namespace tintora::settings {

namespace {

// The lock's name: this prefix and a 64-bit hash of the upper-cased path, in hexadecimal.
constexpr wchar_t kLockNameFormat[] = L"Tintora-settings-%08lX%08lX";
constexpr std::uint64_t kHashBasis = 14695981039346656037ull;
constexpr std::uint64_t kHashPrime = 1099511628211ull;
HANDLE MutexOf(ThreadLock* lock) {
    HANDLE seen = lock->load();
    if (seen) return seen;
    const HANDLE made = CreateMutexW(nullptr, FALSE, nullptr);
    if (lock->compare_exchange_strong(seen, made)) return made;
    if (made) CloseHandle(made);  // another thread was first
    return seen;
}

// Abandoned: the owner ended in the middle, after or before its rename, so the file is whole.
bool Taken(DWORD waited) { return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED; }

}  // namespace

Deadline DeadlineIn(DWORD ms) { return GetTickCount64() + ms; }

DWORD MsLeft(Deadline deadline) {
    const ULONGLONG now = GetTickCount64();
    return now < deadline ? static_cast<DWORD>(deadline - now) : 0;
}

TimedLock::TimedLock(ThreadLock* lock, Deadline deadline) {
    const HANDLE mutex = MutexOf(lock);
    if (mutex && Taken(WaitForSingleObject(mutex, MsLeft(deadline)))) mutex_ = mutex;
}

TimedLock::~TimedLock() {
    if (mutex_) ReleaseMutex(mutex_);
}

void FileLockName(const wchar_t* path, wchar_t* name) {
    std::uint64_t hash = kHashBasis;
    for (const wchar_t* c = path; *c; ++c) {
        const wchar_t folded = *c >= L'a' && *c <= L'z' ? *c - (L'a' - L'A') : *c;
        hash = (hash ^ static_cast<std::uint16_t>(folded)) * kHashPrime;
    }
    wsprintfW(name, kLockNameFormat, static_cast<unsigned long>(hash >> 32),
              static_cast<unsigned long>(hash & 0xFFFFFFFFu));
}

FileLock::FileLock(const wchar_t* path, Deadline deadline) {
    wchar_t name[kLockNameSize];
    FileLockName(path, name);
    mutex_ = CreateMutexW(nullptr, FALSE, name);
    if (!mutex_) return;
    held_ = Taken(WaitForSingleObject(mutex_, MsLeft(deadline)));
}

FileLock::~FileLock() {
    if (held_) ReleaseMutex(mutex_);
    if (mutex_) CloseHandle(mutex_);
}

}  // namespace tintora::settings
