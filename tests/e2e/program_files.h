// Folders for the program that the plain sandbox cannot make: named in letters outside the ANSI
// code page, or read-only even for root; the program started from them; Linux-side figures.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

std::wstring Widen(const std::string& ascii);
// A Linux path as Wine shows it, and a Linux shell command run to its end.
std::wstring WindowsPathOf(const std::string& unixPath);
void RunUnix(const std::string& command);
std::wstring TempFolderW();  // with its trailing backslash
// The whole file, read with full sharing; empty when it cannot be opened.
std::string ReadWideFile(const std::wstring& path);

// A folder of the test's own with a copy of the program and, when given, its settings file.
class WideFolder {
public:
    explicit WideFolder(std::wstring path);
    ~WideFolder();
    WideFolder(const WideFolder&) = delete;
    WideFolder& operator=(const WideFolder&) = delete;

    void Fill(const std::string& iniText) const;
    std::wstring exe() const { return path_ + L"\\tintora.exe"; }
    std::wstring ini() const { return path_ + L"\\tintora.ini"; }

private:
    std::wstring path_;
};

// A tmpfs mounted in /tmp, filled with the program and its settings file, then remounted
// read-only: a folder that refuses new files even to root. Unmounted at the end.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::string& iniText);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool ready() const { return ready_; }
    std::wstring exe() const { return folder_ + L"\\tintora.exe"; }
    std::wstring ini() const { return folder_ + L"\\tintora.ini"; }

private:
    std::string unixPath_;
    std::wstring folder_;
    bool ready_ = false;
};

// The Linux process running the Windows program at exe (as the program was started), or 0.
int LinuxPidOf(const std::wstring& exe);
// Kibibytes of pages the Linux process has written (Private_Dirty over all its mappings), or -1.
long PrivateDirtyKib(int linuxPid);

}  // namespace e2e
