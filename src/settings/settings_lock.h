// The locks around the settings file: one for the threads of this copy of the program, one that
// all copies share for one file. Both are waited for only until a deadline, so that no caller
// hangs on a copy or a thread that is stuck.
#pragma once

#include <windows.h>

#include <atomic>

namespace tintora::settings {

// The tick (GetTickCount64) by which an operation gives up waiting.
using Deadline = ULONGLONG;
Deadline DeadlineIn(DWORD ms);
// Milliseconds until the deadline, 0 once it has passed.
DWORD MsLeft(Deadline deadline);

// A lock between the threads of this copy, made at its first use: a mutex, whose waiters take
// their turns, so a thread that takes the lock again and again starves no one.
using ThreadLock = std::atomic<HANDLE>;

// Exclusive use of a lock, taken by the deadline or not at all.
class TimedLock {
public:
    TimedLock(ThreadLock* lock, Deadline deadline);
    ~TimedLock();
    TimedLock(const TimedLock&) = delete;
    TimedLock& operator=(const TimedLock&) = delete;
    bool held() const { return mutex_ != nullptr; }

private:
    HANDLE mutex_ = nullptr;
};

// Room for the shared lock's name.
constexpr int kLockNameSize = 64;
// The name of the lock that all copies share for path, the file's final path. Paths differing
// only in the case of their ASCII letters name the same file, and the same lock.
void FileLockName(const wchar_t* path, wchar_t* name);

class FileLock {
public:
    FileLock(const wchar_t* path, Deadline deadline);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool held() const { return held_; }

private:
    HANDLE mutex_ = nullptr;
    bool held_ = false;
};

}  // namespace tintora::settings
