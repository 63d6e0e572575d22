#include "companions.h"

#include "framework/text.h"
#include "platform/unique_handle.h"

#include <shellapi.h>
#include <tlhelp32.h>

namespace {

void CloseKernelHandle(HANDLE handle) { ::CloseHandle(handle); }
using KernelHandle = UniqueHandle<HANDLE, &CloseKernelHandle>;

// Calls `visit` with every process of that image name until it answers false.
template <class Visit>
bool ForEachProcess(const wchar_t* image, Visit visit) {
    HANDLE taken = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (taken == INVALID_HANDLE_VALUE) return false;
    const KernelHandle snapshot(taken);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
        if (::lstrcmpiW(entry.szExeFile, image) == 0 && !visit(entry.th32ProcessID)) return true;
    }
    return true;
}

bool SystemRunning(const wchar_t* image) {
    bool found = false;
    ForEachProcess(image, [&found](DWORD) {
        found = true;
        return false;  // one is enough
    });
    return found;
}

void SystemOpen(const wchar_t* verb, const wchar_t* file, const wchar_t* arguments, const wchar_t* directory) {
    ::ShellExecuteW(nullptr, verb, file, arguments, directory, SW_SHOWNORMAL);
}

void SystemPause(unsigned milliseconds) { ::Sleep(milliseconds); }

HWND SystemFindDialog(const wchar_t* title) { return ::FindWindowW(L"#32770", title); }

void SystemClose(HWND window) { ::SendMessageW(window, WM_CLOSE, 0, 0); }

void SystemTerminateAll(const wchar_t* image) {
    ForEachProcess(image, [](DWORD id) {
        if (const KernelHandle process{::OpenProcess(PROCESS_TERMINATE, FALSE, id)}) ::TerminateProcess(process.get(), 9);
        return true;
    });
}

constexpr ProcessLayer kSystem{&SystemRunning, &SystemOpen, &SystemPause, &SystemFindDialog, &SystemClose,
                               &SystemTerminateAll};
ProcessLayer g_layer = kSystem;

// Looks for the process up to 15 times, 200 ms apart.
void WaitUntilListed(const wchar_t* image) {
    for (int look = 0; look < 15 && !g_layer.running(image); ++look) g_layer.pause(200);
}

}  // namespace

const ProcessLayer& Processes() { return g_layer; }
const ProcessLayer& SystemProcesses() { return kSystem; }

ProcessLayer InstallProcessLayer(const ProcessLayer& layer) {
    const ProcessLayer previous = g_layer;
    g_layer = layer;
    return previous;
}

bool ScannerRunning() { return g_layer.running(kScannerExecutable); }

void StartScanner(const std::wstring& directory, int board) {
    wchar_t file[MAX_PATH], argument[16];
    FormatText(file, L"%sFenrask.exe", directory.c_str());
    FormatText(argument, L"/G%d", board);
    g_layer.open(L"open", file, argument, directory.c_str());
    WaitUntilListed(kScannerExecutable);
}

void UpdatePanelCompanion(const std::wstring& uiDirectory, bool enabled) {
    if (enabled) {
        if (g_layer.running(kPanelCompanionExecutable)) return;
        wchar_t file[MAX_PATH];
        FormatText(file, L"%sTELLIX.exe", uiDirectory.c_str());
        g_layer.open(nullptr, file, nullptr, nullptr);
        WaitUntilListed(kPanelCompanionExecutable);
        return;
    }
    HWND window = g_layer.findDialog(L"Q2V");
    if (!window) window = g_layer.findDialog(L"TELLIX");
    // Nothing to stop (the usual case at every start): no 200 ms wait.
    if (!window && !g_layer.running(kPanelCompanionExecutable)) return;
    g_layer.close(window);
    g_layer.pause(200);
    if (g_layer.running(kPanelCompanionExecutable)) g_layer.terminateAll(kPanelCompanionExecutable);
}
