#include "settings/settings_store.h"

#include <windows.h>

#include <cstring>

#include "settings/ini_text.h"

namespace tintora::settings {

namespace {

// A value converted between ANSI and UTF-8: at most three bytes for each character.
constexpr std::size_t kUtf8ValueSize = kValueSize * 3;

ThreadLock storeLock;

bool NoPath(const wchar_t* path) { return path == nullptr || *path == L'\0'; }
bool HasSeed(const Location& file) { return !NoPath(file.seed); }

// Text from one code page to another through UTF-16; false when it does not fit.
bool Convert(const char* text, UINT from, UINT to, char* out, int outSize) {
    wchar_t wide[kUtf8ValueSize];
    const int length = MultiByteToWideChar(from, 0, text, -1, wide, kUtf8ValueSize);
    return length > 0 && WideCharToMultiByte(to, 0, wide, -1, out, outSize, nullptr, nullptr) > 0;
}

// The bytes decoded into text; false without the memory for them.
bool DecodeInto(const HeapText& bytes, HeapText* text, ini::TextForm* form) {
    if (!text->Allocate(ini::DecodedSizeLimit(bytes.view().size()))) return false;
    text->SetSize(ini::Decode(bytes.view(), form, text->data()));
    return true;
}

}  // namespace

void ReadSnapshot(const Location& file, Deadline deadline, Snapshot* snapshot) {
    if (NoPath(file.path)) {
        snapshot->known = true;
        return;
    }
    HeapText bytes;
    TimedLock lock(&storeLock, deadline);
    Load load = lock.held() ? LoadFile(file.path, deadline, &bytes) : Load::Failed;
    snapshot->known = load != Load::Failed;
    if (load != Load::Read && HasSeed(file)) {
        HeapText seed;
        const Load seedLoad = LoadFile(file.seed, deadline, &seed);
        // The seed stands for a missing file: one that could not be read is a failed read too.
        if (seedLoad == Load::Failed) snapshot->known = false;
        if (seedLoad == Load::Read) {
            if (!DecodeInto(seed, &snapshot->text, &snapshot->form)) snapshot->known = false;
            return;
        }
    }
    if (load == Load::Read) snapshot->known = DecodeInto(bytes, &snapshot->text, &snapshot->form);
}

std::uint32_t SnapshotInt(const Snapshot& snapshot, const char* key, std::uint32_t defaultValue) {
    return ini::ReadInt(snapshot.text.view(), kSection, key, defaultValue);
}

void SnapshotText(const Snapshot& snapshot, const char* key, const char* defaultText, char* buffer,
                  std::size_t size) {
    if (!ini::IsUnicode(snapshot.form)) {
        ini::ReadText(snapshot.text.view(), kSection, key, defaultText, buffer, size);
        return;
    }
    char utf8[kUtf8ValueSize], ansi[kUtf8ValueSize];
    ini::ReadText(snapshot.text.view(), kSection, key, defaultText, utf8, sizeof utf8);
    lstrcpynA(buffer, Convert(utf8, CP_UTF8, CP_ACP, ansi, sizeof ansi) ? ansi : defaultText, static_cast<int>(size));
}

Replaced WriteTexts(const Location& file, const char* const* keys, const char* const* texts, std::size_t count,
                    Deadline deadline) {
    if (NoPath(file.path)) return Replaced::Refused;
    TimedLock lock(&storeLock, deadline);
    // All copies take one lock for one file, however each names it.
    wchar_t target[kTargetSize];
    FinalPath(file.path, target);
    FileLock fileLock(target, deadline);
    if (!lock.held() || !fileLock.held()) return Replaced::Held;
    HeapText bytes;
    Load load = file.seedFirst && HasSeed(file) ? Load::Missing : LoadFile(file.path, deadline, &bytes);
    const bool seeding = load == Load::Missing && HasSeed(file);
    if (seeding) load = LoadFile(file.seed, deadline, &bytes);
    HeapText old;
    ini::TextForm form;
    if (load == Load::Failed || !DecodeInto(bytes, &old, &form)) return Replaced::Held;

    // A Unicode file takes the values as UTF-8.
    char converted[kMaxKeys][kUtf8ValueSize];
    const char* values[kMaxKeys];
    if (count > kMaxKeys) return Replaced::Unwritable;
    std::size_t limit = old.view().size();
    for (std::size_t i = 0; i < count; ++i) {
        values[i] = texts[i];
        if (ini::IsUnicode(form)) {
            if (!Convert(texts[i], CP_ACP, CP_UTF8, converted[i], kUtf8ValueSize)) return Replaced::Unwritable;
            values[i] = converted[i];
        }
        limit = ini::WrittenSizeLimit(limit, kSection, keys[i], values[i]);
    }
    // Each key is written into the other of two buffers, both large enough for the last.
    HeapText buffers[2];
    if (!buffers[0].Allocate(limit) || !buffers[1].Allocate(limit)) return Replaced::Held;
    std::string_view updated = old.view();
    for (std::size_t i = 0; i < count; ++i) {
        HeapText& next = buffers[i % 2];
        const std::size_t size = ini::Write(updated, kSection, keys[i], values[i], next.data());
        if (size == 0) return Replaced::Unwritable;
        next.SetSize(size);
        updated = next.view();
    }
    if (updated == old.view() && !file.seedFirst) return Replaced::Done;  // already holds it: spare the disk
    HeapText encoded;
    if (!encoded.Allocate(ini::EncodedSizeLimit(updated.size()))) return Replaced::Held;
    encoded.SetSize(ini::Encode(updated, form, encoded.data()));
    return ReplaceWhole(file.path, encoded.view(), deadline, seeding);
}

std::uint32_t ReadInt(const Location& file, const char* key, std::uint32_t defaultValue) {
    Snapshot snapshot;
    ReadSnapshot(file, DeadlineIn(kPatienceMs), &snapshot);
    return SnapshotInt(snapshot, key, defaultValue);
}

void ReadText(const Location& file, const char* key, const char* defaultText, char* buffer, std::size_t size) {
    Snapshot snapshot;
    ReadSnapshot(file, DeadlineIn(kPatienceMs), &snapshot);
    SnapshotText(snapshot, key, defaultText, buffer, size);
}

bool WriteText(const Location& file, const char* key, const char* text) {
    return WriteTexts(file, &key, &text, 1, DeadlineIn(kPatienceMs)) == Replaced::Done;
}

}  // namespace tintora::settings
