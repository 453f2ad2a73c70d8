// The store's policy for the program's own settings file, in one place: where the file is,
// which keys wait to be written, and what each answer of the store leads to. Every key the
// program changes goes into a table of pending keys and is written from there, all pending keys
// in one replace. A write that finds the file held leaves its keys pending; the background
// writer (the memo thread) tries again with a growing pause, and the exit command once more. A
// folder that refuses the file for good moves the settings to the user's own file, seeded with
// the values in effect; a file marked read-only, or a value the file cannot hold, is not tried
// again and moves nothing. Every file access after start-up goes through here, one at a time.
#pragma once

#include <windows.h>

#include <cstddef>

#include "settings/settings_store.h"

namespace tintora {

// The memo thread waits a little longer for the file than the UI thread.
constexpr DWORD kBackgroundPatienceMs = 250;

// Start-up, before any window exists: where the settings file is.
void FindSettingsFile();

// Puts the keys into the table (marked as changed by the user in this run when byUser) and
// writes all pending keys, waiting at most patienceMs for the file. False while any key is still
// pending.
bool WriteSettings(const char* const* keys, const char* const* texts, std::size_t count, bool byUser,
                   DWORD patienceMs);
bool SettingChangedByUser(const char* key);

// The background writer's turn: the memo thread calls it on every poll.
void WritePendingSettingsWhenDue();
// The exit command's last try: bounded, so the exit never hangs on a held file.
void WritePendingSettingsAtExit();

// The settings file as it is now (its seed in place of an unreadable file; known says which).
void ReadSettingsFile(settings::Snapshot* snapshot, DWORD patienceMs);

}  // namespace tintora
