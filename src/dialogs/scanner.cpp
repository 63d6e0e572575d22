#include "scanner.h"

#include "framework/text.h"
#include "platform/unique_handle.h"

#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

namespace {

void CloseKernelHandle(HANDLE handle) { ::CloseHandle(handle); }
using KernelHandle = UniqueHandle<HANDLE, &CloseKernelHandle>;

}  // namespace

bool ScannerRunning() {
    HANDLE taken = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (taken == INVALID_HANDLE_VALUE) return false;
    const KernelHandle snapshot(taken);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
        if (::lstrcmpiW(entry.szExeFile, kScannerExecutable) == 0) return true;
    }
    return false;
}

std::wstring ProgramDirectory() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path, length < MAX_PATH ? length : 0);
    directory.erase(directory.find_last_of(L'\\') + 1);
    return directory;
}

void StartScanner(const std::wstring& directory, int board) {
    wchar_t file[MAX_PATH], argument[16];
    FormatText(file, L"%sFenrask.exe", directory.c_str());
    FormatText(argument, L"/G%d", board);
    ::ShellExecuteW(nullptr, L"open", file, argument, directory.c_str(), SW_SHOWNORMAL);
    for (int look = 0; look < 15 && !ScannerRunning(); ++look) ::Sleep(200);
}
