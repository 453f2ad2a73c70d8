// The keys the program still has to write, and which keys the user changed in this run. A key
// whose write did not land stays here with its newest value until a later write takes it. Pure:
// the caller keeps it under a lock.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tintora::settings {

// Every key the program writes, with room to spare; a value as long as the copy template.
constexpr std::size_t kMaxKeys = 24;
constexpr std::size_t kKeySize = 16;
constexpr std::size_t kValueSize = 256;

struct PendingKey {
    char key[kKeySize];
    char value[kValueSize];
    std::uint32_t version;  // of the newest value
    bool pending;           // the file may not hold value yet
    bool byUser;            // the user changed the key in this run
};

// Keys stay in the order of their first change, so that one replace of all of them gives the
// lines that writing them one after another would.
struct PendingKeys {
    PendingKey keys[kMaxKeys];
    std::size_t count;
    std::uint32_t version;
};

// Records value as the key's newest, to be written. False (and nothing kept) when the key or the
// value does not fit, the value cannot stand in a line, or the table is full.
bool Put(PendingKeys& table, const char* key, const char* value, bool byUser);
bool ChangedByUser(const PendingKeys& table, const char* key);
bool AnyPending(const PendingKeys& table);
// After a write of the table as it was in written: the keys whose value has not changed since no
// longer wait.
void Settle(PendingKeys& table, const PendingKeys& written);

// The pause before a held file is tried again (a write, or a read after a failed start-up
// read): growing from the first to the last, and back to the first once a write lands.
constexpr std::uint32_t kFirstPauseMs = 250;
constexpr std::uint32_t kLastPauseMs = 2000;
std::uint32_t NextPause(std::uint32_t pauseMs);

}  // namespace tintora::settings
