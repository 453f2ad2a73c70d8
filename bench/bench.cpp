// Measures the picker beside baseline programs in one run and prints a table. Not a test: the
// figures depend on the machine; the baselines measured alongside give them their scale.
#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "harness.h"
#include "resources/resource_ids.h"

namespace {

using namespace e2e;

constexpr int kLatencyMoves = 150;
constexpr int kRestMs = 200;
constexpr int kCpuWindowMs = 10000;
constexpr int kStartRuns = 11;
constexpr int kClockTicksPerSecond = 100;
// A move lands at a random moment of the sampler's cycle (10 ms, or about 80 ms after a change).
constexpr int kMoveJitterMs = 90;
// The largest square the sampler averages, and the settings that ask for it, alone and with
// the contrast shown in the swatch.
constexpr char kLargestAverage[] = "[options]\r\naverage=31\r\n";
constexpr char kLargestAverageWithContrast[] = "[options]\r\naverage=31\r\ncontrast=1\r\n";
// A second copy beside the first, which holds the copy key: without a key of its own it starts
// without reporting the refused one.
constexpr char kLargestAverageBeside[] = "[options]\r\naverage=31\r\ncopy=0\r\n";

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string Folder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    *std::strrchr(path, '\\') = '\0';
    return path;
}

// The Linux process behind a Wine process, found by a marker in its command line.
std::string LinuxProcFolder(const std::string& marker) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    std::string result;
    if (search == INVALID_HANDLE_VALUE) return result;
    do {
        if (found.cFileName[0] < '0' || found.cFileName[0] > '9') continue;
        const std::string folder = std::string("Z:\\proc\\") + found.cFileName;
        std::string cmdline = ReadWholeFile(folder + "\\cmdline");
        std::replace(cmdline.begin(), cmdline.end(), '\0', ' ');
        if (cmdline.find(marker) != std::string::npos) {
            result = folder;
            break;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return result;
}

double CpuMs(const std::string& procFolder) {
    const std::string stat = ReadWholeFile(procFolder + "\\stat");
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) return 0;
    unsigned long long utime = 0, stime = 0;
    // Fields after the command name: state, then 10 numbers before utime and stime.
    std::sscanf(stat.c_str() + close + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime, &stime);
    return 1000.0 * static_cast<double>(utime + stime) / kClockTicksPerSecond;
}

// The pages only this process has written: its heaps, stacks and changed data. Clean pages of
// DLL files count as private only while no other process maps the same file, which says more
// about what else runs than about the program, and they are the system's to drop at any time.
double PrivateKiB(const std::string& procFolder) {
    const std::string rollup = ReadWholeFile(procFolder + "\\smaps_rollup");
    const char key[] = "Private_Dirty:";
    const std::size_t at = rollup.find(key);
    return at == std::string::npos ? 0 : std::atof(rollup.c_str() + at + std::strlen(key));
}

struct Started {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
    double startMs = 0;
    ~Started() {
        if (!process.hProcess) return;
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 5000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
};

// Starts a program and waits for its window; startMs is the time until it was visible.
void Start(const std::string& exe, const std::string& folder, Started& out) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    const double t0 = Now();
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &out.process)) {
        return;
    }
    WaitFor([&] { return (out.window = FindMainWindow(out.process.dwProcessId)) != nullptr; }, 10000, 1);
    out.startMs = Now() - t0;
}

double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t index = std::min(values.size() - 1, static_cast<std::size_t>(p * static_cast<double>(values.size())));
    return values[index];
}

double Mean(const std::vector<double>& values) {
    double sum = 0;
    for (double v : values) sum += v;
    return values.empty() ? 0 : sum / static_cast<double>(values.size());
}

std::string InfoOf(HWND window) {
    char text[256] = "";
    GetDlgItemTextA(window, IDC_INFO, text, sizeof text);
    return text;
}

// Moves the cursor from rest onto a freshly coloured spot and times, for each window, until its
// info text names the new point with the new colour. The rest point has the colour already, so
// only the move's readout counts. The windows run side by side, so that every move meets them all
// under the same load; each move looks at a different one first.
std::vector<std::vector<double>> Latencies(const std::vector<HWND>& windows, ColorWindow& fixture) {
    std::minstd_rand jitter(kLatencyMoves);
    std::vector<std::vector<double>> result(windows.size());
    for (int i = 0; i < kLatencyMoves; ++i) {
        const int x = (i % 2) ? 650 : 750;
        const COLORREF color = RGB(17 + i, 255 - i, (i * 37) % 256);
        MoveCursor(x == 650 ? 750 : 650, 650);
        Sleep(kRestMs);
        fixture.SetColor(color);
        Sleep(kRestMs + static_cast<DWORD>(jitter() % kMoveJitterMs));
        char point[32], hex[32];
        std::snprintf(point, sizeof point, " at %d:600\r\n", x);
        std::snprintf(hex, sizeof hex, "0x%.2X%.2X%.2X", GetBValue(color), GetGValue(color), GetRValue(color));
        std::vector<bool> shown(windows.size());
        std::size_t waiting = windows.size();
        const double t0 = Now();
        MoveCursor(x, 600);
        WaitFor([&] {
            for (std::size_t k = 0; k < windows.size(); ++k) {
                const std::size_t w = (k + static_cast<std::size_t>(i)) % windows.size();
                if (shown[w]) continue;
                const std::string info = InfoOf(windows[w]);
                if (info.find(point) == std::string::npos || info.find(hex) == std::string::npos) continue;
                result[w].push_back(Now() - t0);
                shown[w] = true;
                --waiting;
            }
            return waiting == 0;
        }, 2000, 0);
    }
    return result;
}

// CPU of each of the given processes over the same window, with the cursor resting on the fixture.
std::vector<double> RestingCpuMs(std::initializer_list<std::string> procFolders) {
    MoveCursor(kX, kY);
    Sleep(500);
    std::vector<double> used;
    for (const auto& folder : procFolders) used.push_back(-CpuMs(folder));
    Sleep(kCpuWindowMs);
    std::size_t i = 0;
    for (const auto& folder : procFolders) used[i++] += CpuMs(folder);
    return used;
}

std::string ProcFolderOf(const Sandbox& sandbox) {
    return LinuxProcFolder(sandbox.folder().substr(sandbox.folder().rfind('\\') + 1));
}

// A row with the program's figure over the baseline's as a ratio.
void Row(const char* what, double program, double baseline, const char* unit, const char* target) {
    std::printf("| %-34s | %10.1f %-3s | %10.1f %-3s | %7.2fx | %-28s |\n", what, program, unit, baseline, unit,
                baseline > 0 ? program / baseline : 0.0, target);
}

// A memory row, whose target is a difference.
void MemoryRow(const char* what, double program, double baseline, const char* target) {
    std::printf("| %-34s | %10.0f KiB | %10.0f KiB | %+8.0f | %-28s |\n", what, program, baseline, program - baseline,
                target);
}

// Start-up is measured as users meet it: with a settings file that holds every key, as the
// program leaves it after a run.
constexpr char kUsersSettings[] =
    "[options]\r\ncopy=17155\r\nmemo1=255\r\nmemo2=65280\r\nmemo3=16711680\r\nmemo4=8421504\r\n"
    "memo5=16777215\r\nmemo6=0\r\nformat=#RGB\r\ntransparent=0\r\nzoomupdate=50\r\nzoomrate=4\r\n"
    "web=0\r\nuseshift=0\r\nshiftx=0\r\nshifty=0\r\nx=600\r\ny=500\r\nzoom=0\r\n";

}  // namespace

int main() {
    const std::string folder = Folder();
    ColorWindow fixture(kFixture, RGB(1, 2, 3));

    // Start-up: the picker and the two dialog baselines, in turn, median of several runs.
    const std::string plainDialog = folder + "\\baseline_dialog.exe";
    const std::string styledDialog = folder + "\\baseline_styled_dialog.exe";
    std::vector<double> startProgram, startBaseline, startStyled;
    for (int i = 0; i < kStartRuns; ++i) {
        Sandbox sandbox(kUsersSettings);
        for (auto [exe, times] : {std::pair{sandbox.exePath(), &startProgram}, std::pair{plainDialog, &startBaseline},
                                  std::pair{styledDialog, &startStyled}}) {
            Started started;
            Start(exe, times == &startProgram ? sandbox.folder() : folder, started);
            if (started.window) times->push_back(started.startMs);
        }
    }

    // Memory after start-up: the picker beside the smallest dialog program, the styled dialog and
    // the sampler baseline, all running at once.
    double memoryProgram = 0, memoryBaseline = 0, memoryStyled = 0, memorySampler = 0;
    {
        Sandbox sandbox;
        Started p, b, styled, s;
        Start(sandbox.exePath(), sandbox.folder(), p);
        Start(plainDialog, folder, b);
        Start(styledDialog, folder, styled);
        Start(folder + "\\baseline_sampler.exe", folder, s);
        Sleep(3000);
        memoryProgram = PrivateKiB(ProcFolderOf(sandbox));
        memoryBaseline = PrivateKiB(LinuxProcFolder("baseline_dialog.exe"));
        memoryStyled = PrivateKiB(LinuxProcFolder("baseline_styled_dialog.exe"));
        memorySampler = PrivateKiB(LinuxProcFolder("baseline_sampler.exe"));
    }

    // Latency: the picker, the picker with the largest square and the one-pixel baseline, side by
    // side over the same fixture.
    std::vector<double> latencyProgram, latencyAverage, latencyBaseline;
    {
        Sandbox plain, largest(kLargestAverageBeside);
        Started p, a, b;
        Start(plain.exePath(), plain.folder(), p);
        Start(largest.exePath(), largest.folder(), a);
        Start(folder + "\\baseline_sampler.exe", folder, b);
        SetWindowPos(b.window, HWND_TOPMOST, 0, 300, 0, 0, SWP_NOSIZE);
        const std::vector<std::vector<double>> latencies = Latencies({p.window, a.window, b.window}, fixture);
        latencyProgram = latencies[0];
        latencyAverage = latencies[1];
        latencyBaseline = latencies[2];
    }

    // CPU with the cursor resting: the picker and its baselines run side by side over the same
    // seconds, so that whatever else the machine does weighs on both alike.
    double cpuProgram = 0, cpuBaseline = 0;
    {
        Sandbox sandbox;
        Started p, b;
        Start(sandbox.exePath(), sandbox.folder(), p);
        Start(folder + "\\baseline_sampler.exe", folder, b);
        const std::vector<double> cpu = RestingCpuMs({ProcFolderOf(sandbox), LinuxProcFolder("baseline_sampler.exe")});
        cpuProgram = cpu[0];
        cpuBaseline = cpu[1];
    }
    // The same with the largest square, and with the contrast shown too.
    double cpuAverage[2] = {}, cpuAverageBaseline[2] = {};
    for (int i = 0; i < 2; ++i) {
        Sandbox sandbox(i == 0 ? kLargestAverage : kLargestAverageWithContrast);
        Started p, b;
        Start(sandbox.exePath(), sandbox.folder(), p);
        Start(folder + "\\baseline_sampler.exe", folder, b);
        const std::vector<double> cpu = RestingCpuMs({ProcFolderOf(sandbox), LinuxProcFolder("baseline_sampler.exe")});
        cpuAverage[i] = cpu[0];
        cpuAverageBaseline[i] = cpu[1];
    }
    double cpuZoom = 0, cpuZoomBaseline = 0;
    {
        Sandbox sandbox("[options]\r\nzoom=1\r\n");
        Started p, sampler, magnifier;
        Start(sandbox.exePath(), sandbox.folder(), p);
        Start(folder + "\\baseline_sampler.exe", folder, sampler);
        Start(folder + "\\baseline_magnifier.exe", folder, magnifier);
        const std::vector<double> cpu = RestingCpuMs(
            {ProcFolderOf(sandbox), LinuxProcFolder("baseline_sampler.exe"), LinuxProcFolder("baseline_magnifier.exe")});
        cpuZoom = cpu[0];
        cpuZoomBaseline = cpu[1] + cpu[2];
    }

    std::printf("| %-34s | %14s | %14s | %8s | %-28s |\n", "measure", "tintora", "baseline", "x or KiB", "target");
    std::printf("|%s|%s|%s|%s|%s|\n", std::string(36, '-').c_str(), std::string(16, '-').c_str(),
                std::string(16, '-').c_str(), std::string(10, '-').c_str(), std::string(30, '-').c_str());
    Row("readout latency p50", Percentile(latencyProgram, 0.5), Percentile(latencyBaseline, 0.5), "ms", "");
    Row("readout latency p95", Percentile(latencyProgram, 0.95), Percentile(latencyBaseline, 0.95), "ms",
        "p95 <= 25 ms");
    Row("readout latency max", Percentile(latencyProgram, 1.0), Percentile(latencyBaseline, 1.0), "ms", "");
    Row("readout latency p50, 31x31", Percentile(latencyAverage, 0.5), Percentile(latencyBaseline, 0.5), "ms", "");
    Row("readout latency p95, 31x31", Percentile(latencyAverage, 0.95), Percentile(latencyBaseline, 0.95), "ms",
        "p95 <= 25 ms");
    Row("readout latency mean", Mean(latencyProgram), Mean(latencyBaseline), "ms", "<= 1.1 x baseline");
    Row("readout latency mean, 31x31", Mean(latencyAverage), Mean(latencyBaseline), "ms", "<= 1.1 x baseline");
    Row("CPU at rest, ms per 10 s", cpuProgram, cpuBaseline, "ms", "<= 1.2 x baseline");
    Row("CPU at rest, 31x31", cpuAverage[0], cpuAverageBaseline[0], "ms", "<= 1.2 x baseline");
    Row("CPU at rest, 31x31 and contrast", cpuAverage[1], cpuAverageBaseline[1], "ms", "<= 1.2 x baseline");
    Row("CPU, magnifier shown, ms per 10 s", cpuZoom, cpuZoomBaseline, "ms", "<= 1.2 x baseline");
    Row("start-up to visible window, median", Percentile(startProgram, 0.5), Percentile(startBaseline, 0.5), "ms",
        "<= 1.3 x baseline");
    Row("start-up, styled dialog baseline", Percentile(startStyled, 0.5), Percentile(startBaseline, 0.5), "ms",
        "(not the picker)");
    Row("start-up, picker over styled", Percentile(startProgram, 0.5), Percentile(startStyled, 0.5), "ms", "");
    MemoryRow("private memory after start-up", memoryProgram, memoryBaseline, "<= baseline + 1024 KiB");
    MemoryRow("private memory, styled dialog", memoryStyled, memoryBaseline, "(not the picker)");
    MemoryRow("private memory, picker over styled", memoryProgram, memoryStyled, "");
    MemoryRow("private memory, sampler baseline", memorySampler, memoryBaseline, "(not the picker)");
    std::printf("(latency over %zu, %zu at 31x31 and %zu moves; start-up over %zu and %zu runs)\n",
                latencyProgram.size(), latencyAverage.size(), latencyBaseline.size(), startProgram.size(),
                startBaseline.size());
    return 0;
}
