// The settings store on the real file system: threads, a writer killed mid-write, folders and
// files that refuse writing, and handles held by others.
#include <windows.h>

#include <gtest/gtest.h>

#include "harness.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <random>
#include <regex>
#include <string>
#include <thread>

#include "settings/settings_rules.h"
#include "settings/settings_store.h"

namespace {

using tintora::settings::kMemoSettings;

constexpr char kWriterFlag[] = "--writer";
constexpr char kKeysFlag[] = "--keys";

// The store takes wide paths; these tests name folders in ASCII.
std::wstring Wide(const char* path) { return std::wstring(path, path + std::strlen(path)); }

std::uint32_t ReadInt(const char* path, const char* key, std::uint32_t defaultValue) {
    return tintora::settings::ReadInt(Wide(path).c_str(), key, defaultValue);
}

void ReadText(const char* path, const char* key, const char* defaultText, char* buffer, std::size_t size) {
    tintora::settings::ReadText(Wide(path).c_str(), key, defaultText, buffer, size);
}

bool WriteText(const char* path, const char* key, const char* text) {
    return tintora::settings::WriteText(Wide(path).c_str(), key, text);
}
constexpr ULONGLONG kPromptMs = 2000;

class TempFolder {
public:
    TempFolder() {
        static int made = 0;
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        path_ = std::string(base) + "tintora-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++made);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder() { Remove(path_); }
    std::string File(const char* name) const { return path_ + "\\" + name; }

private:
    // What the tests leave: files, some read-only, and empty folders.
    static void Remove(const std::string& folder) {
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
            if (found.cFileName[0] == '.') continue;  // "." and ".."
            const std::string path = folder + "\\" + found.cFileName;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileA(path.c_str())) RemoveDirectoryA(path.c_str());
        }
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        RemoveDirectoryA(folder.c_str());
    }
    std::string path_;
};

std::string ReadBytes(const std::string& path) {
    bool exists = false;
    const std::string text = e2e::ReadWholeFile(path, &exists);
    return exists ? text : "<no file>";
}

void WriteBytes(const std::string& path, const std::string& text) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD put = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &put, nullptr);
    CloseHandle(file);
    ASSERT_EQ(put, text.size());
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string StoreText(const std::string& path, const char* key) {
    char text[256];
    ReadText(path.c_str(), key, "<absent>", text, sizeof text);
    return text;
}

TEST(SettingsStoreE2e, TwoThreadsWritingKeepEveryKeysLastValue) {
    TempFolder folder;
    const std::string ini = folder.File("tintora.ini");
    WriteBytes(ini, "; by hand\r\n[options]\r\nunknown=keep me\r\n");
    constexpr int kWrites = 200, kKeys = 5;
    auto write = [&](char prefix) {
        for (int i = 0; i < kWrites; ++i) {
            const std::string key = prefix + std::to_string(i % kKeys);
            EXPECT_TRUE(WriteText(ini.c_str(), key.c_str(), std::to_string(i).c_str()));
        }
    };
    std::atomic<bool> writing{true};
    std::thread reader([&] {
        while (writing) EXPECT_EQ(StoreText(ini, "unknown"), "keep me");
    });
    std::thread a(write, 'a'), b(write, 'b');
    a.join();
    b.join();
    writing = false;
    reader.join();
    for (const char prefix : {'a', 'b'}) {
        for (int k = 0; k < kKeys; ++k) {
            const std::string key = prefix + std::to_string(k);
            EXPECT_EQ(ReadInt(ini.c_str(), key.c_str(), 9999), std::uint32_t(kWrites - kKeys + k)) << key;
        }
    }
    EXPECT_EQ(ReadBytes(ini).rfind("; by hand\r\n[options]\r\nunknown=keep me\r\n", 0), 0u);
}

constexpr int kKeyWrites = 150, kKeys = 5;

// Writes prefix0 ... prefix4 in turn, the write count as value; the exit code counts failures.
int RunKeyWriter(const char* ini, const char* prefix) {
    int failed = 0;
    for (int i = 0; i < kKeyWrites; ++i) {
        const std::string key = prefix + std::to_string(i % kKeys);
        failed += !WriteText(ini, key.c_str(), std::to_string(i).c_str());
    }
    return failed;
}

TEST(SettingsStoreE2e, TwoProcessesWritingKeepEveryKeysLastValue) {
    TempFolder folder;
    const std::string ini = folder.File("tintora.ini");
    char exe[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, exe, MAX_PATH), 0u);
    PROCESS_INFORMATION children[2]{};
    const char* prefixes[] = {"a", "b"};
    for (int i = 0; i < 2; ++i) {
        std::string command = "\"" + std::string(exe) + "\" " + kKeysFlag + " \"" + ini + "\" " + prefixes[i];
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &children[i]));
    }
    for (const auto& child : children) {
        EXPECT_EQ(WaitForSingleObject(child.hProcess, 60000), WAIT_OBJECT_0);
        DWORD failed = 1;
        GetExitCodeProcess(child.hProcess, &failed);
        EXPECT_EQ(failed, 0u) << "writes that failed";
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    }
    for (const char* prefix : prefixes) {
        for (int k = 0; k < kKeys; ++k) {
            const std::string key = prefix + std::to_string(k);
            EXPECT_EQ(ReadInt(ini.c_str(), key.c_str(), 9999), std::uint32_t(kKeyWrites - kKeys + k)) << key;
        }
    }
}

// Writes memo1..memo6 with ever-new values until killed; tells the test once it has begun.
int RunWriter(const char* ini, const char* readyEvent) {
    const HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, readyEvent);
    for (std::uint32_t round = GetCurrentProcessId() << 10;; ++round) {
        for (std::uint32_t memo = 0; memo < std::size(kMemoSettings); ++memo) {
            WriteText(ini, kMemoSettings[memo].key, std::to_string(round * 8 + memo).c_str());
        }
        if (ready) SetEvent(ready);
    }
}

// The file with every memo value of "options" as '#': what remains must be the seeded text.
std::string Shape(const std::string& text) {
    static const std::regex memoLine("\r\nmemo([1-6])=[0-9]+(?=\r\n)");
    return std::regex_replace(text, memoLine, "\r\nmemo$1=#");
}

TEST(SettingsStoreE2e, WriterKilledAtRandomMomentsLeavesTheFileWhole) {
    TempFolder folder;
    const std::string ini = folder.File("tintora.ini");
    const std::string seed = "; colours kept by hand\r\n[options]\r\nunknown=keep me\r\nmemo1=1\r\n"
                             "memo2=2\r\nmemo3=3\r\nmemo4=4\r\nmemo5=5\r\nmemo6=6\r\n\r\n[other]\r\n"
                             "memo1=elsewhere\r\n";
    WriteBytes(ini, seed);
    char exe[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, exe, MAX_PATH), 0u);
    const std::string eventName = "tintora-e2e-ready-" + std::to_string(GetCurrentProcessId());
    std::mt19937 random(7);
    constexpr int kKills = 100, kMaxKillDelayMs = 25;
    int killedMidWrite = 0;
    for (int kill = 0; kill < kKills && !HasFailure(); ++kill) {
        const HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
        std::string command = "\"" + std::string(exe) + "\" " + kWriterFlag + " \"" + ini + "\" " + eventName;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION child{};
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &child));
        const HANDLE waits[] = {ready, child.hProcess};
        EXPECT_EQ(WaitForMultipleObjects(2, waits, FALSE, 10000), WAIT_OBJECT_0) << "writer did not start";
        Sleep(std::uniform_int_distribution<int>(0, kMaxKillDelayMs)(random));
        TerminateProcess(child.hProcess, 1);
        EXPECT_EQ(WaitForSingleObject(child.hProcess, 10000), WAIT_OBJECT_0);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
        CloseHandle(ready);
        if (Exists(ini + ".tmp")) ++killedMidWrite;
        EXPECT_EQ(Shape(ReadBytes(ini)), Shape(seed));
        EXPECT_EQ(StoreText(ini, "unknown"), "keep me");
    }
    EXPECT_NE(ReadInt(ini.c_str(), kMemoSettings[0].key, 1), 1u) << "the writer never wrote";
    std::printf("%d of %d kills left a new text unrenamed\n", killedMidWrite, kKills);
    EXPECT_GE(killedMidWrite, kKills / 3) << "too few kills landed in the middle of a write to show anything";
}

TEST(SettingsStoreE2e, RefusedWritesFailPromptlyAndLeaveTheFileAsItWas) {
    constexpr char kSeed[] = "[options]\r\nmemo1=1\r\n";
    const struct {
        const char* what;
        const char* file;  // inside the folder; nullptr for no path at all
        bool seeded;
        void (*block)(const std::string& ini);
    } cases[] = {
        {"read-only file", "tintora.ini", true,
         [](const std::string& ini) { SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY); }},
        {"temp name taken by a folder", "tintora.ini", true,
         [](const std::string& ini) { CreateDirectoryA((ini + ".tmp").c_str(), nullptr); }},
        {"folder missing", "missing\\tintora.ini", false, [](const std::string&) {}},
        {"path names a folder", "tintora.ini", false,
         [](const std::string& ini) { CreateDirectoryA(ini.c_str(), nullptr); }},
        {"no path", nullptr, false, [](const std::string&) {}},
        {"file too large to be settings", "tintora.ini", false,
         [](const std::string& ini) { WriteBytes(ini, std::string(9 << 20, ';')); }},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string ini = c.file ? folder.File(c.file) : "";
        if (c.seeded) WriteBytes(ini, kSeed);
        c.block(ini);
        const std::string before = ReadBytes(ini);
        const ULONGLONG start = GetTickCount64();
        EXPECT_FALSE(WriteText(ini.c_str(), kMemoSettings[0].key, "42")) << c.what;
        EXPECT_LT(GetTickCount64() - start, kPromptMs) << c.what;
        EXPECT_TRUE(ReadBytes(ini) == before) << c.what;
        EXPECT_EQ(ReadInt(ini.c_str(), kMemoSettings[0].key, 7), c.seeded ? 1u : 7u) << c.what;
    }
}

// A write waits for a file that another program holds for a moment, whatever it shares, and
// gives up on one held for good, leaving it whole.
TEST(SettingsStoreE2e, FileHeldOpenByAnotherHandleStaysWhole) {
    constexpr char kSeed[] = "; hand\r\n[options]\r\nmemo1=1\r\nmemo2=2\r\n";
    constexpr char kAfter[] = "; hand\r\n[options]\r\nmemo1=42\r\nmemo2=2\r\n";
    constexpr DWORD kMomentMs = 300;
    const struct { const char* what; DWORD share; } cases[] = {
        {"held without delete sharing", FILE_SHARE_READ | FILE_SHARE_WRITE},
        {"held with full sharing", FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE},
        {"held without any sharing", 0},
    };
    for (const auto& c : cases) {
        for (const bool released : {true, false}) {
            if (!released && (c.share & FILE_SHARE_DELETE)) continue;  // Windows renames over such a file
            TempFolder folder;
            const std::string ini = folder.File("tintora.ini");
            WriteBytes(ini, kSeed);
            const HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE) << c.what;
            std::thread holder([&] {
                if (released) Sleep(kMomentMs), CloseHandle(held);
            });
            const ULONGLONG start = GetTickCount64();
            EXPECT_EQ(WriteText(ini.c_str(), kMemoSettings[0].key, "42"), released) << c.what;
            EXPECT_LT(GetTickCount64() - start, kPromptMs) << c.what;
            holder.join();
            if (!released) CloseHandle(held);
            EXPECT_EQ(ReadBytes(ini), released ? kAfter : kSeed) << c.what;
            EXPECT_FALSE(Exists(ini + ".tmp")) << c.what;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], kWriterFlag) == 0) return RunWriter(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], kKeysFlag) == 0) return RunKeyWriter(argv[2], argv[3]);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
