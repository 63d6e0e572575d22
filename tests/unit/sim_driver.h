// In-process access to the simulated driver that the binding loaded from the
// system directory: scenarios, faults, counters and state.
#pragma once

#include "gpu/board_list.h"
#include "gpu/nvapi.h"
#include "sim_control.h"

#include <windows.h>

#include <string>
#include <vector>

// Calls driver function `id` untyped, with raw blocks: for tests that read the
// simulated driver's answers at byte offsets. The program itself calls through the
// typed table (nvapi::Call<Id>).
template <class... Args>
int RawDriverCall(unsigned id, Args... args) {
    int status = NvOk;
    void* function = nvapi::Query(id, &status);
    if (!function) return status;
    return reinterpret_cast<int(__cdecl*)(Args...)>(function)(args...);
}

class SimDriver {
public:
    // Binds the driver (as the program would) and resolves the control exports.
    SimDriver() {
        int status;
        nvapi::Query(NvId_Initialize, &status);
        HMODULE module = ::GetModuleHandleW(L"nvapi64.dll");
        load = Resolve<SimLoadScenarioFn>(module, "SimLoadScenario");
        setStatePath = Resolve<SimSetStatePathFn>(module, "SimSetStatePath");
        injectFault = Resolve<SimInjectFaultFn>(module, "SimInjectFault");
        callCount = Resolve<SimCallCountFn>(module, "SimCallCount");
        resetCounters = Resolve<SimResetCountersFn>(module, "SimResetCounters");
        callLog = Resolve<SimCallLogFn>(module, "SimCallLog");
        stateValue = Resolve<SimStateValueFn>(module, "SimStateValue");
        i2cLog = Resolve<SimI2cLogFn>(module, "SimI2cLog");
    }

    bool ok() const { return load && injectFault && callCount && resetCounters && callLog && stateValue && i2cLog; }

    // Loads a built-in scenario or a file, lists the boards and clears the counters.
    int Use(const char* scenario) {
        if (!load(scenario)) return -1;
        const int boards = GpuInitialize();
        resetCounters();
        return boards;
    }

    // A scenario given as text, written to a temporary file for the driver to read.
    int UseText(const std::string& text) {
        wchar_t directory[MAX_PATH], file[MAX_PATH];
        ::GetTempPathW(MAX_PATH, directory);
        ::GetTempFileNameW(directory, L"scn", 0, file);
        HANDLE handle = ::CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        ::CloseHandle(handle);
        char path[MAX_PATH];
        ::WideCharToMultiByte(CP_ACP, 0, file, -1, path, MAX_PATH, nullptr, nullptr);
        const int boards = Use(path);
        ::DeleteFileW(file);
        return boards;
    }

    // The I2C transfers since the last reset, one "W addr reg data..." line each.
    std::string I2cLog() const {
        char buffer[8192] = {};
        i2cLog(buffer, sizeof buffer);
        return buffer;
    }

    // Calls since the last reset that change a board or the driver's settings.
    unsigned WriteCalls() const {
        unsigned writes = 0;
        for (unsigned id : {NvId_SetVfPointsControl, NvId_SetPstates20, NvId_SetPerfClocks, NvId_SetPstatesInfo,
                            NvId_SetVoltageBoost, NvId_SetPowerPoliciesStatus, NvId_SetThermalPoliciesStatus,
                            NvId_DrsSetSetting, NvId_I2cWriteEx, NvId_SetDriverControl, NvId_SetCoolerLevels,
                            NvId_SetFanCoolersControl, NvId_SetIllumZonesControl}) {
            writes += callCount(id);
        }
        return writes;
    }

    // Version words of the logged calls to `id`, in order.
    std::vector<unsigned> Versions(unsigned id) const {
        std::vector<unsigned> versions;
        const int count = callLog(0, nullptr, nullptr);
        for (int i = 0; i < count; ++i) {
            unsigned loggedId = 0, version = 0;
            callLog(static_cast<unsigned>(i), &loggedId, &version);
            if (loggedId == id) versions.push_back(version);
        }
        return versions;
    }

    SimLoadScenarioFn load = nullptr;
    SimSetStatePathFn setStatePath = nullptr;
    SimInjectFaultFn injectFault = nullptr;
    SimCallCountFn callCount = nullptr;
    SimResetCountersFn resetCounters = nullptr;
    SimCallLogFn callLog = nullptr;
    SimStateValueFn stateValue = nullptr;
    SimI2cLogFn i2cLog = nullptr;

private:
    template <class F>
    static F Resolve(HMODULE module, const char* name) {
        return module ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
    }
};
