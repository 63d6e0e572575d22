// The real Zorvane.exe on the `curve` board: time from start to the first painted
// frame (against the smallest Win32 dialog started the same way, the median of three),
// process CPU time shown and hidden in the tray at the default 3-second and at a
// 1-second monitoring interval, and private bytes and GDI/USER objects after start and
// after a long run (they must not grow). Wine reports neither another
// process's times and memory nor any process's GDI/USER counts, so the figures come
// from the Linux process behind Zorvane.exe (/proc) and from its windows; the GDI
// count is printed where the system gives it.
//   ZORVANE_BENCH_FULL=1: a minute of CPU time per case and ten minutes of run
//   (script/bench); otherwise 10 seconds per case and 20 of run, so the test run stays short.
#include "bench.h"
#include "../e2e/process.h"
#include "../unit/product_key.h"
#include "process_figures.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::wstring TestDirectory() {
    wchar_t path[MAX_PATH] = L"";
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory = path;
    return directory.substr(0, directory.find_last_of(L'\\') + 1);
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Starts the program and waits until `shown` says its window is painted; seconds, or -1.
template <class Shown>
double StartToFirstFrame(const std::wstring& executable, const wchar_t* title, ChildProcess& child, Shown shown) {
    LARGE_INTEGER start, now;
    ::QueryPerformanceCounter(&start);
    child = ChildProcess::Start(executable, L"");
    if (!child.started()) return -1;
    for (int i = 0; i < 6000; ++i) {
        HWND window = child.FindWindow(L"#32770", title);
        if (window && shown(window)) {
            ::QueryPerformanceCounter(&now);
            return Seconds(start, now);
        }
        ::Sleep(2);
    }
    return -1;
}

struct Footprint {
    double privateBytes;
    DWORD gdiObjects;
    int windows;
};

Footprint Measure(const std::string& process, const ChildProcess& child, HWND panel) {
    return Footprint{PrivateBytes(process), GdiObjects(child.handle()),
                     CountWindows(nullptr, child.id()) + CountWindows(panel, child.id())};
}

}  // namespace

int main() {
    wchar_t full[8] = L"";
    const bool fullRun = ::GetEnvironmentVariableW(L"ZORVANE_BENCH_FULL", full, 8) > 0 && full[0] == L'1';
    const DWORD run = fullRun ? 600000 : 20000;
    ::SetEnvironmentVariableW(L"ZORVANE_SIM_SCENARIO", L"curve");
    ClearProductKey();

    // Start-up: three of each, the median counts.
    std::vector<double> minimal, zorvane;
    for (int i = 0; i < 3; ++i) {
        ChildProcess dialog;
        minimal.push_back(StartToFirstFrame(TestDirectory() + L"minimal_dialog.exe", L"Minimal dialog", dialog,
                                            [](HWND window) { return ::IsWindowVisible(window) != FALSE; }));
        dialog.Close(dialog.FindWindow(L"#32770", L"Minimal dialog"));
        ChildProcess panel;
        zorvane.push_back(StartToFirstFrame(StageDirectory() + L"\\Zorvane.exe", L"Zorvane", panel, IsShownShaped));
        panel.Close(panel.FindWindow(L"#32770", L"Zorvane"));
    }
    std::sort(minimal.begin(), minimal.end());
    std::sort(zorvane.begin(), zorvane.end());
    if (minimal[1] <= 0 || zorvane[1] <= 0) {
        std::printf("a window did not appear\n");
        return 1;
    }
    Report("start to first painted frame: minimal dialog", "ms", 1000 * minimal[1]);
    Report("start to first painted frame: Zorvane", "ms", 1000 * zorvane[1]);
    Report("start to first painted frame: Zorvane / minimal dialog", "x", zorvane[1] / minimal[1]);

    // CPU with the panel shown and hidden (in the tray), at the default interval and at 1 s;
    // the long run for memory and windows at 1 s.
    const DWORD window = fullRun ? 60000 : 10000;
    double cpu[2][2] = {};  // [interval 3 s, 1 s][shown, hidden]
    Footprint before{}, after{};
    for (int i = 0; i < 2; ++i) {
        SetProductValue(L"Interval", i == 0 ? L"3" : L"1");
        ChildProcess panel = ChildProcess::Start(StageDirectory() + L"\\Zorvane.exe", L"");
        HWND main = panel.WaitForWindow(L"#32770", L"Zorvane", 20000);
        if (!main) {
            std::printf("Zorvane did not start\n");
            return 1;
        }
        ::Sleep(3000);  // settled: skin loaded, first samples taken
        const std::string process = LinuxProcess("Zorvane.exe");
        if (process.empty()) {
            std::printf("the Linux process of Zorvane.exe is not in /proc\n");
            panel.Close(main);
            return 1;
        }
        if (i == 1) before = Measure(process, panel, main);
        for (int hidden = 0; hidden < 2; ++hidden) {
            if (hidden) {
                ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(12313, BN_CLICKED), 0);  // to the tray
                ::Sleep(1000);
            }
            const double start = CpuSeconds(process);
            ::Sleep(window);
            cpu[i][hidden] = (CpuSeconds(process) - start) / (window / 1000.0);
        }
        ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(32773, 0), 0);  // back from the tray
        if (i == 1) {
            if (run > 2 * window) ::Sleep(run - 2 * window);
            after = Measure(process, panel, main);
        }
        panel.Close(main);
    }

    char name[96];
    for (int i = 0; i < 2; ++i) {
        for (int hidden = 0; hidden < 2; ++hidden) {
            std::snprintf(name, sizeof name, "CPU over %lu s, %s, %d s interval (of one core)", window / 1000,
                          hidden ? "hidden" : "shown", i == 0 ? 3 : 1);
            Report(name, "%", 100 * cpu[i][hidden]);
        }
    }
    Report("private bytes after start", "KiB", before.privateBytes / 1024);
    std::snprintf(name, sizeof name, "private bytes after %lu s", run / 1000);
    Report(name, "KiB", after.privateBytes / 1024);
    if (before.gdiObjects > 0) {
        Report("GDI objects after start", "objects", before.gdiObjects);
        std::snprintf(name, sizeof name, "GDI objects after %lu s", run / 1000);
        Report(name, "objects", after.gdiObjects);
    } else {
        std::printf("BENCH GDI objects: not readable here (no count from the system, no handle table)\n");
    }
    Report("USER objects (windows) after start", "objects", before.windows);
    std::snprintf(name, sizeof name, "USER objects (windows) after %lu s", run / 1000);
    Report(name, "objects", after.windows);

    ClearProductKey();
    return 0;
}
