// Start-up benchmark: starts glimcfg.exe with a profile and a bare Win32
// program the same way, several times each, alternating, and measures the
// time from CreateProcess until the window shows its final caption (for
// glimcfg.exe the one naming the loaded profile). Prints the medians, their
// ratio, and glimcfg.exe's peak private memory after the load.
//
//   bench_startup.exe PROFILE [RUNS]

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/Title.h"
#include "forms/Paths.h"

namespace {

std::string Beside(const char* name) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return forms::FolderOf(self) + name;
}

struct Run {
    double ms = -1;
    SIZE_T peakPrivate = 0;
};

// Starts command and waits for a visible top-level window of that process
// with the caption; then reads its memory and closes it.
Run StartAndTime(const std::string& command, const std::string& caption) {
    Run run;
    std::string line = command;
    STARTUPINFOA si{sizeof si};
    PROCESS_INFORMATION pi{};
    auto start = std::chrono::steady_clock::now();
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return run;
    HWND found = nullptr;
    while (!found && std::chrono::steady_clock::now() - start < std::chrono::seconds(30)) {
        HWND hwnd = FindWindowA(nullptr, caption.c_str());
        DWORD pid = 0;
        if (hwnd) GetWindowThreadProcessId(hwnd, &pid);
        if (hwnd && pid == pi.dwProcessId && IsWindowVisible(hwnd))
            found = hwnd;
        else
            Sleep(1);
    }
    if (found) {
        run.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        Sleep(200);  // let it settle before reading its memory
        PROCESS_MEMORY_COUNTERS_EX counters{};
        if (GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
            run.peakPrivate = counters.PeakPagefileUsage;
        PostMessageA(found, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return run;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_startup PROFILE [RUNS]\n");
        return 2;
    }
    const std::string profile = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    const std::string name = profile.substr(profile.find_last_of("\\/:") + 1);
    const std::string program = "\"" + Beside("glimcfg.exe") + "\" \"" + profile + "\"";
    const std::string bare = "\"" + Beside("bench_bare.exe") + "\"";

    // One start of each first, so neither pays for a cold file cache.
    StartAndTime(program, std::string(glim::kTitle) + " : " + name);
    StartAndTime(bare, "Bare window");

    std::vector<double> programTimes, bareTimes;
    SIZE_T peak = 0;
    for (int i = 0; i < runs; ++i) {
        Run p = StartAndTime(program, std::string(glim::kTitle) + " : " + name);
        Run b = StartAndTime(bare, "Bare window");
        if (p.ms < 0 || b.ms < 0) {
            std::fprintf(stderr, "a window did not show\n");
            return 1;
        }
        programTimes.push_back(p.ms);
        bareTimes.push_back(b.ms);
        peak = std::max(peak, p.peakPrivate);
    }
    const double programMedian = Median(programTimes), bareMedian = Median(bareTimes);
    std::printf("start-up to the loaded caption, median of %d runs each\n", runs);
    std::printf("  glimcfg.exe with the profile: %8.1f ms\n", programMedian);
    std::printf("  bare Win32 window:            %8.1f ms\n", bareMedian);
    std::printf("  ratio glimcfg / bare:         %8.2f   (goal: at most 1.25)\n", programMedian / bareMedian);
    std::printf("peak private memory of glimcfg.exe after the load: %.2f MiB (goal: under 8 MiB)\n",
                peak / (1024.0 * 1024.0));
    return 0;
}
