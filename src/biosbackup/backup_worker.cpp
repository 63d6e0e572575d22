// The worker's sequence, and the system calls behind it.
#include "biosbackup/backup_worker.h"

#include "biosbackup/backup_core.h"
#include "biosbackup/devices.h"

#include <sddl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

namespace {

bool CreateWorkDirectory(const char* temp, char* directory, std::size_t capacity) {
    LARGE_INTEGER counter{};
    for (int attempt = 0; attempt < 16; ++attempt) {
        QueryPerformanceCounter(&counter);
        const int length = std::snprintf(directory, capacity, "%sKelvor%08lX%04X\\", temp, GetCurrentProcessId(),
                                         static_cast<unsigned>((counter.QuadPart + attempt) & 0xFFFF));
        if (length <= 0 || static_cast<std::size_t>(length) >= capacity) break;
        if (CreatePrivateDirectory(directory)) return true;
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    directory[0] = '\0';
    return false;
}

// Starts `program` minimised and detached and waits for it to end.
long RunAndWait(const char* program, const char* commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_MINIMIZE;
    PROCESS_INFORMATION process{};
    char line[1024];
    std::snprintf(line, sizeof line, "%s", commandLine);
    const BOOL started = CreateProcessA(program, line, nullptr, nullptr, FALSE,
                                        DETACHED_PROCESS | CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr, &startup,
                                        &process);
    SecureZeroMemory(line, sizeof line);
    if (!started) return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.hProcess, &exitCode)) exitCode = static_cast<DWORD>(-1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(exitCode);
}

// Deletes a file or a whole folder, silently.
void DeletePath(const char* path) {
    char from[MAX_PATH + 2] = {};
    std::snprintf(from, MAX_PATH, "%s", path);
    const std::size_t length = std::strlen(from);
    if (length > 0 && from[length - 1] == '\\') from[length - 1] = '\0';  // the folder itself
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from;
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
    SHFileOperationA(&operation);
}

WORD NativeArchitecture() {
    SYSTEM_INFO info{};
    using GetNativeSystemInfoFn = void(WINAPI*)(SYSTEM_INFO*);
    const auto native = reinterpret_cast<GetNativeSystemInfoFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetNativeSystemInfo")));
    if (native != nullptr) {
        native(&info);
    } else {
        GetSystemInfo(&info);
    }
    return info.wProcessorArchitecture;
}

// Unpacks the utility into `directory` and runs it; true when it ran.
bool UnpackAndRunUtility(const BackupActions& actions, const char* exePath, const char* directory,
                         const char* imagePath, const char* logPath) {
    char payload[MAX_PATH];
    std::snprintf(payload, sizeof payload, "%s", directory);
    if (!actions.extractPayload(exePath, payload, sizeof payload)) return false;
    char password[kMaxPasswordBytes + 1];
    UnscramblePassword(password);
    char line[MAX_PATH + 64];
    std::snprintf(line, sizeof line, "-o%s -p%s -y", directory, password);
    SecureZeroMemory(password, sizeof password);
    const long extracted = actions.runAndWait(payload, line);
    SecureZeroMemory(line, sizeof line);
    actions.deletePath(payload);
    if (extracted != 0) return false;

    const char* utility = FlashUtilityName(actions.nativeArchitecture());
    if (utility == nullptr) return false;
    char program[MAX_PATH];
    std::snprintf(program, sizeof program, "%sBIN\\%s", directory, utility);
    char save[3 * MAX_PATH];
    std::snprintf(save, sizeof save, " --index=0 --save --auto \"%s\" --log \"%s\"", imagePath, logPath);
    return actions.runAndWait(program, save) != -1;
}

}  // namespace

const char kPrivateDirectoryAccess[] = "D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)";

bool CreatePrivateDirectory(const char* path) {
    SECURITY_ATTRIBUTES attributes{};
    attributes.nLength = sizeof attributes;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(kPrivateDirectoryAccess, SDDL_REVISION_1,
                                                              &attributes.lpSecurityDescriptor, nullptr)) {
        return false;
    }
    const BOOL created = CreateDirectoryA(path, &attributes);
    const DWORD error = GetLastError();
    LocalFree(attributes.lpSecurityDescriptor);
    SetLastError(error);
    return created != FALSE;
}

BackupOutcome RunBackup(const BackupActions& actions, const char* exePath, const char* temp, const char* imagePath,
                        const char* logPath) {
    BackupOutcome outcome;
    const DeviceChange disabled = actions.changeDevices(DICS_DISABLE);
    // Flashing tools must not meet a live driver: nothing runs unless every adapter went off.
    outcome.devicesNotDisabled = disabled.failed > 0;
    char directory[MAX_PATH];
    if (!outcome.devicesNotDisabled && actions.createWorkDirectory(temp, directory, sizeof directory)) {
        outcome.utilityRan = UnpackAndRunUtility(actions, exePath, directory, imagePath, logPath);
        actions.deletePath(directory);
    }
    outcome.devicesNotEnabled = actions.changeDevices(DICS_ENABLE).failed > 0;
    return outcome;
}

const BackupActions& SystemBackupActions() {
    static const BackupActions actions = {&ChangeNvidiaDisplayDevices, &CreateWorkDirectory, &ExtractPayload,
                                          &RunAndWait, &DeletePath, &NativeArchitecture};
    return actions;
}
