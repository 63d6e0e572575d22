// The worker's steps: disable the NVIDIA display devices, unpack the flashing utility
// into a directory only administrators can write, run it, clean up, enable the devices.
// The system calls come in as actions, so the order and the refusals can be tested.
#pragma once

#include <windows.h>

#include <cstddef>

// What a device state change did: adapters that matched, and how many of them refused.
struct DeviceChange {
    int matched = 0;
    int failed = 0;
};

struct BackupActions {
    DeviceChange (*changeDevices)(DWORD state);
    // Creates a new directory under `temp` that only Administrators and SYSTEM can open
    // and writes its path, ending with a backslash, to `directory`; false when none could be made.
    bool (*createWorkDirectory)(const char* temp, char* directory, std::size_t capacity);
    bool (*extractPayload)(const char* exePath, char* directory, std::size_t capacity);
    // The program's exit code; -1 when it could not be started.
    long (*runAndWait)(const char* program, const char* commandLine);
    void (*deletePath)(const char* path);
    WORD (*nativeArchitecture)();
};

// What the report tells besides the BIOS lines.
struct BackupOutcome {
    bool devicesNotDisabled = false;  // the utility was not run
    bool devicesNotEnabled = false;
    bool utilityRan = false;
};

// The whole backup. The utility runs only when every matched display device was
// disabled and the extractor reported success; the devices are enabled again whatever
// happened in between.
BackupOutcome RunBackup(const BackupActions& actions, const char* exePath, const char* temp, const char* imagePath,
                        const char* logPath);

// The actions on this system.
const BackupActions& SystemBackupActions();

// The access list of the work directory, as a security descriptor text: full access
// for Administrators and SYSTEM, to the directory and what is made in it, nothing
// inherited from the temporary directory.
extern const char kPrivateDirectoryAccess[];

// A directory with that access list; false when it cannot be made or the name
// already exists.
bool CreatePrivateDirectory(const char* path);
