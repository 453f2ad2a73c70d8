#include "settings/settings_writer.h"

#include <atomic>

#include "app/app_state.h"
#include "app/settings_location.h"
#include "settings/pending_keys.h"

namespace tintora {

namespace {

// The exit command waits longer than anyone: it is the last chance.
constexpr DWORD kExitPatienceMs = 1000;

SRWLOCK tableLock = SRWLOCK_INIT;  // held only to copy or change the table
settings::ThreadLock fileLock;    // one file access at a time, writes in the order of their values
settings::PendingKeys table;       // under tableLock
std::atomic<bool> anyPending;
// Under fileLock: the values in effect came from the file beside the program, which refused
// them; the user's own file takes that file's text at its first write.
bool seedFirst;

// The settings file with room for its seed's path; made under fileLock.
struct SettingsFile {
    SettingsFile() : location(app.iniPath, SettingsSeed(seed), seedFirst) {}
    wchar_t seed[kPathSize];
    settings::Location location;
};

class TableLock {
public:
    TableLock() { AcquireSRWLockExclusive(&tableLock); }
    ~TableLock() { ReleaseSRWLockExclusive(&tableLock); }
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;
};

settings::Replaced WritePending(const settings::PendingKeys& taken, settings::Deadline deadline) {
    const char* keys[settings::kMaxKeys];
    const char* texts[settings::kMaxKeys];
    std::size_t count = 0;
    for (std::size_t i = 0; i < taken.count; ++i) {
        if (!taken.keys[i].pending) continue;
        keys[count] = taken.keys[i].key;
        texts[count++] = taken.keys[i].value;
    }
    if (count == 0) return settings::Replaced::Done;
    settings::Replaced result = settings::WriteTexts(SettingsFile().location, keys, texts, count, deadline);
    if (result == settings::Replaced::Refused && MoveSettingsToUserFile()) {
        seedFirst = true;
        result = settings::WriteTexts(SettingsFile().location, keys, texts, count, deadline);
    }
    if (result == settings::Replaced::Done) seedFirst = false;
    return result;
}

bool Flush(settings::Deadline deadline) {
    settings::TimedLock lock(&fileLock, deadline);
    if (!lock.held()) return false;
    settings::PendingKeys taken;
    {
        TableLock guard;
        taken = table;
    }
    const settings::Replaced result = WritePending(taken, deadline);
    TableLock guard;
    // Refused and read-only are not tried again: the values stay in effect for the run.
    if (result != settings::Replaced::Held) settings::Settle(table, taken);
    anyPending = settings::AnyPending(table);
    return !anyPending;
}

}  // namespace

bool WriteSettings(const char* const* keys, const char* const* texts, std::size_t count, bool byUser,
                   DWORD patienceMs) {
    {
        TableLock guard;
        for (std::size_t i = 0; i < count; ++i) settings::Put(table, keys[i], texts[i], byUser);
        anyPending = true;
    }
    return Flush(settings::DeadlineIn(patienceMs));
}

bool SettingChangedByUser(const char* key) {
    TableLock guard;
    return settings::ChangedByUser(table, key);
}

void WritePendingSettingsWhenDue() {
    // Memo thread only.
    static ULONGLONG due;
    static DWORD pauseMs = settings::kFirstPauseMs;
    if (!anyPending.load()) {
        due = 0;
        pauseMs = settings::kFirstPauseMs;
        return;
    }
    const ULONGLONG now = GetTickCount64();
    if (due == 0) due = now + pauseMs;
    if (now < due) return;
    if (Flush(settings::DeadlineIn(kBackgroundPatienceMs))) return;
    pauseMs = settings::NextPause(pauseMs);
    due = GetTickCount64() + pauseMs;
}

void WritePendingSettingsAtExit() {
    if (anyPending.load()) Flush(settings::DeadlineIn(kExitPatienceMs));
}

void ReadSettingsFile(settings::Snapshot* snapshot, DWORD patienceMs) {
    const settings::Deadline deadline = settings::DeadlineIn(patienceMs);
    settings::TimedLock lock(&fileLock, deadline);
    snapshot->known = false;
    if (lock.held()) settings::ReadSnapshot(SettingsFile().location, deadline, snapshot);
}

}  // namespace tintora
