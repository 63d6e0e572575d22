// The companion programs Zorvane starts, finds and stops: the overclock scanner and
// the display-panel companion. Both lie outside Zorvane; only their file names, how
// they are started and how they are found are fixed. The process work goes through
// one replaceable layer, so tests can watch it without real programs.
#pragma once

#include <windows.h>

#include <string>

struct ProcessLayer {
    // A process of that image name runs (compared without case); false when the list
    // cannot be taken.
    bool (*running)(const wchar_t* image);
    // Opens `file` through the shell (`verb` null for the default one), shown normally.
    void (*open)(const wchar_t* verb, const wchar_t* file, const wchar_t* arguments, const wchar_t* directory);
    void (*pause)(unsigned milliseconds);
    // A dialog ("#32770") of that title, or null.
    HWND (*findDialog)(const wchar_t* title);
    void (*close)(HWND window);
    // Ends every process of that image name with exit code 9.
    void (*terminateAll)(const wchar_t* image);
};

// The system's layer unless a test installed another; Install returns the previous one.
const ProcessLayer& Processes();
ProcessLayer InstallProcessLayer(const ProcessLayer& layer);
const ProcessLayer& SystemProcesses();

constexpr const wchar_t* kScannerExecutable = L"Fenrask.exe";
constexpr const wchar_t* kPanelCompanionExecutable = L"TELLIX.exe";

bool ScannerRunning();
// Opens "<directory>Fenrask.exe" with "/G<board>", working in that directory, then
// waits until its process shows (at most 15 looks, 200 ms apart). A missing
// executable fails silently and is waited for all the same.
void StartScanner(const std::wstring& directory, int board);

// The display-panel companion: started from the UI directory when enabled (unless it
// runs), waited for like the scanner; when disabled its window is asked to close and,
// still running 200 ms later, every copy is ended.
void UpdatePanelCompanion(const std::wstring& uiDirectory, bool enabled);
