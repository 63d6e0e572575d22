#include "start_with_windows.h"

#include "startup/logon_task.h"
#include "framework/text.h"
#include "profiles/registry_key.h"

#include <windows.h>

#include <cwchar>
#include <string>

const wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kRunValueName[] = L"Zorvane";

namespace {

constexpr const wchar_t* kAutostartArgument = L"/A";

// Full access in the 32-bit view; never created.
RegistryKey OpenRunKey(const wchar_t* runKeyPath) { return RegistryKey::Open(HKEY_CURRENT_USER, runKeyPath); }

void WriteRunValue(const RegistryKey& key, const std::wstring& command) {
    ::RegSetValueExW(key.get(), kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                     static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

std::wstring StartCommand(const wchar_t* executablePath) {
    // Quotes, a blank and the switch around a path of at most MAX_PATH - 1 characters.
    wchar_t command[MAX_PATH + 8];
    FormatText(command, L"\"%s\" %s", executablePath, kAutostartArgument);
    return command;
}

bool CheckStartWithWindows(const wchar_t* executablePath, const wchar_t* runKeyPath) {
    const RegistryKey key = OpenRunKey(runKeyPath);
    if (!key) return false;
    wchar_t stored[130] = {};
    DWORD bytes = 259;
    if (::RegQueryValueExW(key.get(), kRunValueName, nullptr, nullptr, reinterpret_cast<BYTE*>(stored), &bytes) !=
        ERROR_SUCCESS) {
        return false;
    }
    // Another installation's path, or an older form of this one: this one, as registered.
    const std::wstring command = StartCommand(executablePath);
    if (command != stored) WriteRunValue(key, command);
    return true;
}

StartRegistration RegisterStartWithWindows(const wchar_t* executablePath, const wchar_t* runKeyPath) {
    const RegistryKey key = OpenRunKey(runKeyPath);
    if (!key) return StartRegistration::KeyNotOpened;

    WriteRunValue(key, StartCommand(executablePath));
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
