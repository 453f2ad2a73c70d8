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
#include <vector>

#include "settings/settings_rules.h"
#include "settings/settings_store.h"
#include "text_change.h"

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

// The second copy names the file by its folder's short name: the same file, and the same lock.
TEST(SettingsStoreE2e, TwoProcessesWritingKeepEveryKeysLastValue) {
    TempFolder folder;
    const std::string ini = folder.File("tintora.ini");
    WriteBytes(ini, "");
    char shortName[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(ini.c_str(), shortName, MAX_PATH), 0u);
    ASSERT_STRNE(shortName, ini.c_str());
    char exe[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, exe, MAX_PATH), 0u);
    PROCESS_INFORMATION children[2]{};
    const char* prefixes[] = {"a", "b"};
    const std::string spellings[] = {ini, shortName};
    for (int i = 0; i < 2; ++i) {
        std::string command = "\"" + std::string(exe) + "\" " + kKeysFlag + " \"" + spellings[i] + "\" " + prefixes[i];
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

// A program in a folder that refuses the file starts from the file beside it: while another
// program holds that one, the values are unknown, and nothing is written over the user's own file
// from defaults; once it is free, its values come.
TEST(SettingsStoreE2e, SeedHeldWhileTheUsersFileIsMissingIsAFailedRead) {
    using namespace tintora::settings;
    TempFolder folder;
    const std::string seed = folder.File("tintora.ini");
    const std::wstring seedW = Wide(seed.c_str()), userW = Wide(folder.File("user\\tintora.ini").c_str());
    WriteBytes(seed, "[options]\r\nmemo1=5\r\n");
    const Location file(userW.c_str(), seedW.c_str());
    const HANDLE held = CreateFileA(seed.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Snapshot whileHeld;
    ReadSnapshot(file, DeadlineIn(kPromptPatienceMs), &whileHeld);
    EXPECT_FALSE(whileHeld.known);
    const char* key = kMemoSettings[1].key;
    const char* text = "7";
    EXPECT_EQ(WriteTexts(file, &key, &text, 1, DeadlineIn(kPromptPatienceMs)), Replaced::Held);
    CloseHandle(held);
    EXPECT_FALSE(Exists(folder.File("user\\tintora.ini")));
    Snapshot once;
    ReadSnapshot(file, DeadlineIn(kPromptPatienceMs), &once);
    EXPECT_TRUE(once.known);
    EXPECT_EQ(SnapshotInt(once, kMemoSettings[0].key, 0), 5u);
}

// Files as people write and edit them, each read by the program's reader and by the system's
// profile functions, key by key, before and after the program writes the row's key.
TEST(SettingsStoreE2e, ReadsEveryFileShapeAsTheSystemsProfileFunctions) {
    using tintora::settings::kSection;
    const std::string longValue(300, 'v');
    const std::string longNumber = std::string(31, '0') + "5";
    const struct { const char* what; std::string text; const char* key; } rows[] = {
        {"plain", "[options]\r\nformat=RGB\r\nmemo1=255\r\n", "memo1"},
        {"empty values", "[options]\r\nmemo3=\r\ncopy=\r\nformat=\r\n", "memo3"},
        {"prefixed numbers", "[options]\r\nmemo1=0x00FF00\r\nmemo2=-0x10\r\nmemo3=0o17\r\nmemo4=0b101\r\n"
                             "memo5=0X10\r\nmemo6=0xfg\r\nshiftx=+0x10\r\nshifty=0x\r\nzoom=0B1\r\n", "memo1"},
        {"lone CR in a CRLF file", "[options]\r\nzoomrate=8\rweb=1\r\n", "zoomrate"},
        {"lone CR in an LF file", "[options]\nzoomrate=8\rweb=1\n", "zoomrate"},
        {"CR CR LF", "[options]\r\nformat=RGB\r\r\nweb=1\r\n", "format"},
        {"lines ended LF CR", "[options]\n\rzoomrate=8\n\rweb=1\n\rformat=x\n\r", "web"},
        {"VT, FF and Ctrl-Z", "[options]\r\n\vformat\f=\x1a#RGB\x1a\v\r\n\x0cweb=1\x1a\r\nzoom=1\x1a", "format"},
        {"header with two brackets", "[options]]\r\nzoomrate=8\r\n", "zoomrate"},
        {"header without its bracket", "[options]\r\n[extra\r\nzoomrate=8\r\nweb=1\r\n", "web"},
        {"header with text after it", "[options] ; mine\r\nweb=1\r\n[other]x\r\nzoom=1\r\n", "zoom"},
        {"blanks inside the brackets", "[ options ]\r\nweb=1\r\n", "web"},
        {"quoted numbers", "[options]\r\nzoomrate=\" 8\"\r\nzoomupdate='20'\r\nmemo1=\"\"\r\nmemo2=\"\r\n", "zoomrate"},
        {"quotes and blanks", "[options]\r\n \tformat \t= \t\" q \" \t\r\nx= -1200 \r\ny='+15'\r\n", "format"},
        {"letter case", "[OPTIONS]\r\nFormat=x\r\nMEMO1=7\r\n", "memo1"},
        {"comments", "; note\r\n[options]\r\n;format=x\r\nweb=1\r\n", "format"},
        {"two keys, two sections", "[options]\r\nmemo1=1\r\nMEMO1=2\r\n[other]\r\nweb=1\r\n[options]\r\nmemo2=2\r\n",
         "memo2"},
        {"keys outside a section", "memo1=5\r\n[options]\r\nmemo2=6\r\n", "memo1"},
        {"name without a value", "[options]\r\nformat\r\nformat=x\r\nweb\r\n", "format"},
        {"long value", "[options]\r\nformat=" + longValue + "\r\n", "format"},
        {"long number", "[options]\r\nmemo1=" + longNumber + "\r\n", "memo1"},
        {"numbers past 32 bits", "[options]\r\nmemo1=4294967297\r\nmemo2=-1\r\nshiftx=12px\r\n", "memo2"},
        {"CR-only", "[options]\rformat=cr\rweb=1\r", "web"},
        {"LF-only", "[options]\nformat=lf\nweb=1\n", "zoom"},
        {"no line end at the end", "[options]\r\nformat=end", "memo1"},
        {"no-break space", "[options]\r\nformat=\xA0RGB\xA0\r\n", "format"},
        {"UTF-8 mark", "\xEF\xBB\xBF[options]\r\nformat=\xC3\xA9\r\n", "format"},
        {"UTF-16", std::string("\xFF\xFE[\0o\0p\0t\0i\0o\0n\0s\0]\0\r\0\n\0w\0e\0b\0=\0" "1\0\r\0\n\0", 38), "web"},
        {"empty file", "", "memo1"},
    };
    const char* keys[] = {"copy", "memo1", "memo2", "memo3", "memo4", "memo5", "memo6", "format",
                          "transparent", "zoomupdate", "zoomrate", "web", "useshift", "shiftx",
                          "shifty", "x", "y", "zoom"};
    constexpr UINT kIntDefault = 12345;
    constexpr char kWritten[] = "12";
    TempFolder folder;
    int fileNumber = 0;
    // What a reader gives for every key: the text read and the integer read, one entry a key.
    auto readAll = [&](const std::string& path, bool system) {
        std::vector<std::string> all;
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());  // Wine keeps files it read
        for (const char* key : keys) {
            char text[256];
            UINT number;
            if (system) {
                GetPrivateProfileStringA(kSection, key, "<absent>", text, sizeof text, path.c_str());
                number = GetPrivateProfileIntA(kSection, key, kIntDefault, path.c_str());
            } else {
                ReadText(path.c_str(), key, "<absent>", text, sizeof text);
                number = ReadInt(path.c_str(), key, kIntDefault);
            }
            all.push_back(std::string(key) + "=[" + text + "] " + std::to_string(number));
        }
        return all;
    };
    for (const auto& row : rows) {
        const std::string path = folder.File(("shape" + std::to_string(++fileNumber) + ".ini").c_str());
        WriteBytes(path, row.text);
        const std::vector<std::string> before = readAll(path, true);
        EXPECT_EQ(readAll(path, false), before) << row.what;
        ASSERT_TRUE(WriteText(path.c_str(), row.key, kWritten)) << row.what;
        const std::vector<std::string> after = readAll(path, true);
        EXPECT_EQ(readAll(path, false), after) << row.what;
        // The written key reads as written; every other key as before; no other line changed.
        for (std::size_t i = 0; i < std::size(keys); ++i) {
            const bool own = std::strcmp(keys[i], row.key) == 0;
            const std::string expected = std::string(row.key) + "=[" + kWritten + "] " + kWritten;
            EXPECT_EQ(after[i], own ? expected : before[i]) << row.what;
        }
        const auto change = tintora::ChangeBetween(row.text, ReadBytes(path));
        EXPECT_EQ(change.removed.find_first_of("\r\n"), std::string::npos) << row.what;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], kWriterFlag) == 0) return RunWriter(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], kKeysFlag) == 0) return RunKeyWriter(argv[2], argv[3]);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
