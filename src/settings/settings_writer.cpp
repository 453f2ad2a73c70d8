#include "settings/settings_writer.h"

#include <atomic>

#include "app/app_state.h"
#include "app/settings_location.h"
#include "settings/pending_keys.h"

namespace tintora {

namespace {

// The exit command waits longer than anyone: it is the last chance.
constexpr DWORD kExitPatienceMs = 1000;

// All that the policy keeps. The table is copied or changed only under tableLock; the file's
// place changes, and the file is read or written, only under fileLock.
struct SettingsPolicy {
    SRWLOCK tableLock = SRWLOCK_INIT;
    settings::PendingKeys table;
    std::atomic<bool> anyPending;

    settings::ThreadLock fileLock;  // one file access at a time, writes in the order of their values
    // The file in use, empty when there is none (the settings then stay in memory), and while it
    // is the user's own file, the one beside the program that it starts from.
    wchar_t path[kPathSize];
    wchar_t seed[kPathSize];
    // The values in effect came from the seed, which refused them: the user's file takes the
    // seed's text at its first write.
    bool seedFirst;

    // When the background writer tries pending keys again; memo thread only.
    ULONGLONG due;
    DWORD pauseMs = settings::kFirstPauseMs;
};
SettingsPolicy policy;

settings::Location InUse() { return settings::Location(policy.path, policy.seed, policy.seedFirst); }

// After the file beside the program refused a write for good: the user's own file takes over
// for the rest of the run, seeded with the values in effect. False when it is in use already or
// there is none. Under fileLock.
bool MoveToUserFile() {
    wchar_t user[kPathSize];
    if (policy.seed[0] != L'\0' || policy.path[0] == L'\0' || !LocateUserSettingsFile(user)) return false;
    lstrcpyW(policy.seed, policy.path);
    lstrcpyW(policy.path, user);
    policy.seedFirst = true;
    return true;
}

class TableLock {
public:
    TableLock() { AcquireSRWLockExclusive(&policy.tableLock); }
    ~TableLock() { ReleaseSRWLockExclusive(&policy.tableLock); }
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
    settings::Replaced result = settings::WriteTexts(InUse(), keys, texts, count, deadline);
    if (result == settings::Replaced::Refused && MoveToUserFile()) {
        result = settings::WriteTexts(InUse(), keys, texts, count, deadline);
    }
    if (result == settings::Replaced::Done) policy.seedFirst = false;
    return result;
}

bool Flush(settings::Deadline deadline) {
    settings::TimedLock lock(&policy.fileLock, deadline);
    if (!lock.held()) return false;
    settings::PendingKeys taken;
    {
        TableLock guard;
        taken = policy.table;
    }
    const settings::Replaced result = WritePending(taken, deadline);
    TableLock guard;
    // Only a held file is tried again; otherwise the values stay in effect for the run.
    if (result != settings::Replaced::Held) settings::Settle(policy.table, taken);
    policy.anyPending = settings::AnyPending(policy.table);
    return !policy.anyPending;
}

}  // namespace

void FindSettingsFile() { LocateSettingsFile(policy.path, policy.seed); }

bool WriteSettings(const char* const* keys, const char* const* texts, std::size_t count, bool byUser,
                   DWORD patienceMs) {
    {
        TableLock guard;
        for (std::size_t i = 0; i < count; ++i) settings::Put(policy.table, keys[i], texts[i], byUser);
        policy.anyPending = true;
    }
    return Flush(settings::DeadlineIn(patienceMs));
}

bool SettingChangedByUser(const char* key) {
    TableLock guard;
    return settings::ChangedByUser(policy.table, key);
}

void WritePendingSettingsWhenDue() {
    if (!policy.anyPending.load()) {
        policy.due = 0;
        policy.pauseMs = settings::kFirstPauseMs;
        return;
    }
    const ULONGLONG now = GetTickCount64();
    if (policy.due == 0) policy.due = now + policy.pauseMs;
    if (now < policy.due) return;
    if (Flush(settings::DeadlineIn(kBackgroundPatienceMs))) return;
    policy.pauseMs = settings::NextPause(policy.pauseMs);
    policy.due = GetTickCount64() + policy.pauseMs;
}

void WritePendingSettingsAtExit() {
    if (policy.anyPending.load()) Flush(settings::DeadlineIn(kExitPatienceMs));
}

void ReadSettingsFile(settings::Snapshot* snapshot, DWORD patienceMs) {
    const settings::Deadline deadline = settings::DeadlineIn(patienceMs);
    settings::TimedLock lock(&policy.fileLock, deadline);
    snapshot->known = false;
    if (lock.held()) settings::ReadSnapshot(InUse(), deadline, snapshot);
}

}  // namespace tintora
