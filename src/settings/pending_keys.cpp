#include "settings/pending_keys.h"

#include <cstring>

namespace tintora::settings {

namespace {

PendingKey* Find(PendingKeys& table, const char* key) {
    for (std::size_t i = 0; i < table.count; ++i) {
        if (std::strcmp(table.keys[i].key, key) == 0) return &table.keys[i];
    }
    return nullptr;
}

}  // namespace

bool Put(PendingKeys& table, const char* key, const char* value, bool byUser) {
    const std::size_t valueSize = std::strlen(value) + 1;
    if (std::strlen(key) >= kKeySize || valueSize > kValueSize || std::strpbrk(value, "\r\n")) return false;
    PendingKey* entry = Find(table, key);
    if (!entry) {
        if (table.count == kMaxKeys) return false;
        entry = &table.keys[table.count++];
        *entry = {};
        std::memcpy(entry->key, key, std::strlen(key) + 1);
    }
    std::memcpy(entry->value, value, valueSize);
    entry->version = ++table.version;
    entry->pending = true;
    entry->byUser = entry->byUser || byUser;
    return true;
}

bool ChangedByUser(const PendingKeys& table, const char* key) {
    const PendingKey* entry = Find(const_cast<PendingKeys&>(table), key);
    return entry && entry->byUser;
}

bool AnyPending(const PendingKeys& table) {
    for (std::size_t i = 0; i < table.count; ++i) {
        if (table.keys[i].pending) return true;
    }
    return false;
}

void Settle(PendingKeys& table, const PendingKeys& written) {
    for (std::size_t i = 0; i < written.count; ++i) {
        PendingKey& entry = table.keys[i];  // entries only ever join at the end
        if (written.keys[i].pending && entry.version == written.keys[i].version) entry.pending = false;
    }
}

std::uint32_t NextPause(std::uint32_t pauseMs) {
    return pauseMs * 2 < kLastPauseMs ? pauseMs * 2 : kLastPauseMs;
}

}  // namespace tintora::settings
