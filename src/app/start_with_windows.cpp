#include "start_with_windows.h"

#include "app/logon_task.h"
#include "framework/text.h"
#include "profiles/registry_key.h"

#include <windows.h>

#include <cwchar>

const wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kRunValueName[] = L"Zorvane";

namespace {

constexpr const wchar_t* kAutostartArgument = L"/A";

// Full access in the 32-bit view; never created.
RegistryKey OpenRunKey(const wchar_t* runKeyPath) { return RegistryKey::Open(HKEY_CURRENT_USER, runKeyPath); }

}  // namespace

StartRegistration RegisterStartWithWindows(const wchar_t* executablePath, const wchar_t* runKeyPath) {
    const RegistryKey key = OpenRunKey(runKeyPath);
    if (!key) return StartRegistration::KeyNotOpened;

    // Quotes, a blank and the switch around a path of at most MAX_PATH - 1 characters.
    wchar_t command[MAX_PATH + 8];
    FormatText(command, L"\"%s\" %s", executablePath, kAutostartArgument);
    const DWORD bytes = static_cast<DWORD>((std::wcslen(command) + 1) * sizeof(wchar_t));
    ::RegSetValueExW(key.get(), kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command), bytes);
    const int task = RegisterLogonTask(executablePath, kAutostartArgument, false);
    return task == 0 ? StartRegistration::Done : StartRegistration::TaskFailed;
}

StartRegistration UnregisterStartWithWindows(const wchar_t* runKeyPath) {
    const RegistryKey key = OpenRunKey(runKeyPath);
    if (!key) return StartRegistration::KeyNotOpened;
    ::RegDeleteValueW(key.get(), kRunValueName);
    const int task = RegisterLogonTask(L"", L"", true);
    return task == 0 ? StartRegistration::Done : StartRegistration::TaskFailed;
}

int RegistrationExitCode(StartRegistration result) {
    switch (result) {
    case StartRegistration::Done: return 0;
    case StartRegistration::TaskFailed: return 1;
    case StartRegistration::KeyNotOpened: return 2;
    }
    return 2;
}
