// An hour of the real Zorvane.exe on `demo` as a user leaves it running: a 1-second
// interval, the status dialog open, the LED rainbow and a fan curve running, and every
// other dialog opened and closed once a minute. Reports private memory, USER objects
// (windows) and GDI objects after the first minute and every ten minutes, the driver
// calls and I2C transfers of each minute, and the growth after the warm-up (the first ten
// minutes, in which Wine's heap and caches settle), which must be zero. Not part of the
// test run: script/soak runs it.
//   ZORVANE_SOAK_MINUTES: the length in minutes (default 60).
#include "bench.h"
#include "process_figures.h"
#include "../e2e/demo_board.h"
#include "../e2e/driver_control_file.h"
#include "../e2e/process.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Dialog {
    int button;
    const wchar_t* title;
};

// Opened and closed once a minute (the status dialog stays open throughout).
constexpr Dialog kDialogs[] = {
    {12339, L"Overclock - Zorvane"}, {12322, L"Fan Control - Zorvane"}, {12371, L"LED Control - Zorvane"},
    {12315, L"Information - Zorvane"}, {12309, L"Setting - Zorvane"},
};
constexpr int kStatusButton = 12310;

bool WaitShown(const ChildProcess& zorvane, const wchar_t* title, bool shown) {
    for (int i = 0; i < 100; ++i) {
        HWND window = zorvane.FindWindow(L"#32770", title);
        if ((window && ::IsWindowVisible(window)) == shown) return true;
        ::Sleep(50);
    }
    return false;
}

// Opens a dialog from its front-panel button, lets it run a second and closes it with
// its Cancel (close) button; false when it did not open or close.
bool OpenAndClose(const ChildProcess& zorvane, HWND main, const Dialog& dialog) {
    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(dialog.button, BN_CLICKED), 0);
    if (!WaitShown(zorvane, dialog.title, true)) return false;
    ::Sleep(1000);
    ::PostMessageW(zorvane.FindWindow(L"#32770", dialog.title), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return WaitShown(zorvane, dialog.title, false);
}

struct Footprint {
    double privateKiB;
    int windows;
    DWORD gdiObjects;
};

Footprint Measure(const std::string& process, const ChildProcess& zorvane) {
    int windows = CountWindows(nullptr, zorvane.id());
    // Child windows of every top-level window of the process.
    struct Tops {
        DWORD id;
        int children;
    } tops{zorvane.id(), 0};
    ::EnumWindows(
        [](HWND window, LPARAM p) -> BOOL {
            auto& t = *reinterpret_cast<Tops*>(p);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == t.id) t.children += CountWindows(window, t.id);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tops));
    return {PrivateBytes(process) / 1024, windows + tops.children, GdiObjects(zorvane.handle())};
}

void ReportFootprint(int minute, const Footprint& f) {
    char name[96];
    std::snprintf(name, sizeof name, "minute %d: private bytes", minute);
    Report(name, "KiB", f.privateKiB);
    std::snprintf(name, sizeof name, "minute %d: USER objects (windows)", minute);
    Report(name, "objects", f.windows);
    std::snprintf(name, sizeof name, "minute %d: GDI objects", minute);
    Report(name, "objects", f.gdiObjects);
}

}  // namespace

int main() {
    wchar_t text[16] = L"";
    const int minutes = ::GetEnvironmentVariableW(L"ZORVANE_SOAK_MINUTES", text, 16) > 0 ? _wtoi(text) : 60;
    if (minutes < 1) return 1;

    ClearProductKey();
    if (!SetProductValue(L"MonitoringInterval", L"1") || !SetProductValue(L"Interval", L"1") || !StoreDemoFanCurve() ||
        !StoreDemoRainbow()) {
        std::printf("the settings could not be stored\n");
        return 1;
    }
    DriverControlFile control(L"zorvane-soak.txt");
    ::SetEnvironmentVariableW(L"ZORVANE_SIM_SCENARIO", L"demo");
    ::SetEnvironmentVariableW(L"ZORVANE_SIM_CONTROL", control.path().c_str());

    ChildProcess zorvane = ChildProcess::Start(StageDirectory() + L"\\Zorvane.exe", L"");
    HWND main = zorvane.WaitForWindow(L"#32770", L"Zorvane", 20000);
    const std::string process = main ? LinuxProcess("Zorvane.exe") : std::string();
    if (!main || process.empty()) {
        std::printf("Zorvane did not start, or its Linux process is not in /proc\n");
        return 1;
    }
    ::Sleep(2000);
    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(kStatusButton, BN_CLICKED), 0);
    if (!WaitShown(zorvane, L"Status - Zorvane", true)) {
        std::printf("the status dialog did not open\n");
        return 1;
    }

    std::printf("%d minutes on demo: 1 s interval, status dialog open, LED rainbow, fan curve\n", minutes);
    const int warmUp = minutes >= 20 ? 10 : 1;
    Footprint first{}, warm{}, last{};
    unsigned long long calls = 0, transfers = 0, minCalls = ~0ull, maxCalls = 0, minI2c = ~0ull, maxI2c = 0;
    int dialogFaults = 0;
    for (int minute = 0; minute <= minutes; ++minute) {
        const ULONGLONG end = ::GetTickCount64() + 60000;
        for (const Dialog& dialog : kDialogs) {
            if (!OpenAndClose(zorvane, main, dialog)) ++dialogFaults;
        }
        while (::GetTickCount64() < end) ::Sleep(200);
        if (zorvane.WaitForExit(0)) {
            std::printf("Zorvane ended in minute %d\n", minute);
            return 1;
        }
        // The driver's totals, reported at its next call after the control file changes.
        control.Clear();
        const DriverControlFile::Report report = control.LastReport(3000);
        if (minute > 0 && report.answered >= 0) {
            const unsigned long long c = report.calls - calls, t = report.i2cTransfers - transfers;
            minCalls = std::min(minCalls, c), maxCalls = std::max(maxCalls, c);
            minI2c = std::min(minI2c, t), maxI2c = std::max(maxI2c, t);
            std::printf("minute %3d: %llu driver calls, %llu I2C transfers\n", minute, c, t);
        }
        calls = report.calls, transfers = report.i2cTransfers;
        if (minute == 0 || minute == warmUp || minute % 10 == 0 || minute == minutes) {
            last = Measure(process, zorvane);
            ReportFootprint(minute, last);
            if (minute == 0) first = last;
            if (minute == warmUp) warm = last;
        }
        std::fflush(stdout);
    }
    Report("driver calls per minute (least)", "calls", static_cast<double>(minCalls));
    Report("driver calls per minute (most)", "calls", static_cast<double>(maxCalls));
    Report("I2C transfers per minute (least)", "transfers", static_cast<double>(minI2c));
    Report("I2C transfers per minute (most)", "transfers", static_cast<double>(maxI2c));
    char name[96];
    std::snprintf(name, sizeof name, "change in the first %d minutes: private bytes", warmUp);
    Report(name, "KiB", warm.privateKiB - first.privateKiB);
    std::snprintf(name, sizeof name, "change in the first %d minutes: GDI objects", warmUp);
    Report(name, "objects", static_cast<double>(warm.gdiObjects) - first.gdiObjects);
    Report("growth after warm-up: private bytes", "KiB", last.privateKiB - warm.privateKiB);
    Report("growth after warm-up: USER objects", "objects", last.windows - warm.windows);
    Report("growth after warm-up: GDI objects", "objects", static_cast<double>(last.gdiObjects) - warm.gdiObjects);
    Report("dialogs that did not open or close", "times", dialogFaults);

    zorvane.Close(main);
    ClearProductKey();
    return 0;
}
