#include "program_files.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "harness.h"

namespace e2e {

namespace {

constexpr int kUnixCommandTimeoutMs = 10000;
// The Linux file system as Wine shows it.
constexpr char kUnixDrive[] = "Z:";
constexpr char kShell[] = "Z:\\bin\\sh";

}  // namespace

std::wstring WindowsPathOf(const std::string& unixPath) {
    std::string path = kUnixDrive + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return Widen(path);
}

// Runs a Linux shell command (Wine starts Linux programs as it does Windows ones) until it is
// done. Wine's handle on such a process does not follow it to its end: the command leaves a
// mark when it is done, which is awaited. Afterwards this process can no longer open the
// clipboard under Wine: a program that does this has no other test that copies.
void RunUnix(const std::string& command) {
    static int commands = 0;
    const std::string mark = "/tmp/tintora-e2e-done-" + std::to_string(GetTickCount64()) + "-" +
                             std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++commands);
    std::string line = "/bin/sh -c \"" + command + "; touch " + mark + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(kShell, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const std::wstring markFile = WindowsPathOf(mark);
    WaitFor([&] { return GetFileAttributesW(markFile.c_str()) != INVALID_FILE_ATTRIBUTES; }, kUnixCommandTimeoutMs);
    DeleteFileW(markFile.c_str());
}

namespace {

void WriteWideFile(const std::wstring& path, const std::string& text) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// The program the harness copies into every sandbox.
void CopyProgramTo(const std::wstring& exe) {
    const Sandbox source;
    CopyFileW(Widen(source.exePath()).c_str(), exe.c_str(), FALSE);
}

}  // namespace

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::wstring TempFolderW() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return temp;
}

std::string ReadWideFile(const std::wstring& path) {
    return ReadToEndAndClose(CreateFileW(path.c_str(), GENERIC_READ,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
}

WideFolder::WideFolder(std::wstring path) : path_(std::move(path)) { CreateDirectoryW(path_.c_str(), nullptr); }

WideFolder::~WideFolder() {
    DeleteFileW(exe().c_str());
    DeleteFileW(ini().c_str());
    RemoveDirectoryW(path_.c_str());
}

void WideFolder::Fill(const std::string& iniText) const {
    CopyProgramTo(exe());
    WriteWideFile(ini(), iniText);
}

ReadOnlyFolder::ReadOnlyFolder(const std::string& iniText) {
    unixPath_ = "/tmp/tintora-ro-" + std::to_string(GetTickCount64()) + "-" + std::to_string(GetCurrentProcessId());
    folder_ = WindowsPathOf(unixPath_);
    CreateDirectoryW(folder_.c_str(), nullptr);
    RunUnix("mount -t tmpfs -o size=8m tmpfs " + unixPath_);
    CopyProgramTo(exe());
    WriteWideFile(ini(), iniText);
    WriteWideFile(ini() + L".probe", "");  // left by a copy of the program at a power cut
    RunUnix("mount -o remount,ro " + unixPath_);
    // Read-only for this process too, and the program and its file are in it.
    const HANDLE probe = CreateFileW((folder_ + L"\\probe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
    ready_ = probe == INVALID_HANDLE_VALUE && GetFileAttributesW(exe().c_str()) != INVALID_FILE_ATTRIBUTES &&
             ReadWideFile(ini()) == iniText;
}

ReadOnlyFolder::~ReadOnlyFolder() {
    RunUnix("umount -l " + unixPath_ + "; rmdir " + unixPath_);
}

int LinuxPidOf(const std::wstring& exe) {
    const std::string wanted(exe.begin(), exe.end());  // the paths the tests make are ASCII
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int pid = 0;
    do {
        const int candidate = std::atoi(found.cFileName);
        if (candidate <= 0) continue;
        const std::string cmdline = ReadWideFile(Widen(std::string("Z:\\proc\\") + found.cFileName + "\\cmdline"));
        if (cmdline.find(wanted) != std::string::npos) pid = candidate;
    } while (pid == 0 && FindNextFileA(search, &found));
    FindClose(search);
    return pid;
}

long PrivateDirtyKib(int linuxPid) {
    const std::string rollup = ReadWideFile(Widen("Z:\\proc\\" + std::to_string(linuxPid) + "\\smaps_rollup"));
    const std::size_t at = rollup.find("Private_Dirty:");
    return at == std::string::npos ? -1 : std::atol(rollup.c_str() + at + std::strlen("Private_Dirty:"));
}

}  // namespace e2e
