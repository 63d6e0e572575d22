// nvapi64.dll of the simulated driver: nvapi_QueryInterface, and a few exports
// through which in-process tests steer it. Tests of the real programs choose the
// scenario with ZORVANE_SIM_SCENARIO (a built-in name or a file path) and keep
// state across processes in the file named by ZORVANE_SIM_STATE.
#include "board_functions.h"
#include "bus_functions.h"
#include "functions.h"
#include "sim_control.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unordered_map>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace sim {

World& TheWorld() {
    static World world;
    return world;
}

namespace {

std::string BuiltInScenario(const std::string& name) {
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    HMODULE module = reinterpret_cast<HMODULE>(&__ImageBase);
    HRSRC resource = ::FindResourceA(module, upper.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!resource) return {};
    HGLOBAL data = ::LoadResource(module, resource);
    const char* text = static_cast<const char*>(::LockResource(data));
    return text ? std::string(text, ::SizeofResource(module, resource)) : std::string();
}

std::string EnvironmentText(const char* name) {
    char value[1024] = {};
    const DWORD length = ::GetEnvironmentVariableA(name, value, sizeof(value));
    return length > 0 && length < sizeof(value) ? value : std::string();
}

void EnsureLoaded() {
    if (TheWorld().loaded) return;
    const std::string state = EnvironmentText("ZORVANE_SIM_STATE");
    TheWorld().statePath = std::wstring(state.begin(), state.end());
    const std::string control = EnvironmentText("ZORVANE_SIM_CONTROL");
    TheWorld().controlPath = std::wstring(control.begin(), control.end());
    const std::string scenario = EnvironmentText("ZORVANE_SIM_SCENARIO");
    if (!LoadScenario(scenario.empty() ? "demo" : scenario)) LoadScenario("nodriver");
}

using Function = void*;

const std::unordered_map<std::uint32_t, Function>& Functions() {
    static const std::unordered_map<std::uint32_t, Function> functions = {
        {0x0150E828, reinterpret_cast<Function>(&Initialize)},
        {0xE5AC921F, reinterpret_cast<Function>(&EnumPhysicalGPUs)},
        {0xD9930B07, reinterpret_cast<Function>(&EnumTCCPhysicalGPUs)},
        {0x6FF81213, reinterpret_cast<Function>(&GetPstates20)},
        {0x0F4DAE6B, reinterpret_cast<Function>(&SetPstates20)},
        {0x64B43A6A, reinterpret_cast<Function>(&GetClockDomainsInfo)},
        {0x507B4B59, reinterpret_cast<Function>(&GetVfPointsMask)},
        {0x23F1B133, reinterpret_cast<Function>(&GetVfPointsControl)},
        {0x0733E009, reinterpret_cast<Function>(&SetVfPointsControl)},
        {0x1EA54A3B, reinterpret_cast<Function>(&GetPerfClocks)},
        {0x07BCF4AC, reinterpret_cast<Function>(&SetPerfClocks)},
        {0xBA94C56E, reinterpret_cast<Function>(&GetPstatesInfo)},
        {0x843C0256, reinterpret_cast<Function>(&GetPstatesInfoEx)},
        {0x4D7B0709, reinterpret_cast<Function>(&I2cReadEx)},
        {0x283AC65A, reinterpret_cast<Function>(&I2cWriteEx)},
        {0x3DBF5764, reinterpret_cast<Function>(&GetIllumZonesControl)},
        {0x197D065E, reinterpret_cast<Function>(&SetIllumZonesControl)},
        {0x0694D52E, reinterpret_cast<Function>(&DrsCreateSession)},
        {0xDAD9CFF8, reinterpret_cast<Function>(&DrsDestroySession)},
        {0x375DBD6B, reinterpret_cast<Function>(&DrsLoadSettings)},
        {0xFCBC7E14, reinterpret_cast<Function>(&DrsSaveSettings)},
        {0xDA8466A0, reinterpret_cast<Function>(&DrsGetBaseProfile)},
        {0x577DD202, reinterpret_cast<Function>(&DrsSetSetting)},
        {0x73BF8338, reinterpret_cast<Function>(&DrsGetSetting)},
        {0xE4A26362, reinterpret_cast<Function>(&DrsDeleteProfileSetting)},
        {0x9DF23CA1, reinterpret_cast<Function>(&GetVoltageBoost)},
        {0xB9306D9B, reinterpret_cast<Function>(&SetVoltageBoost)},
        {0x28766157, reinterpret_cast<Function>(&GetVoltageStep)},
        {0xCDF27911, reinterpret_cast<Function>(&SetPstatesInfo)},
        {0x34206D86, reinterpret_cast<Function>(&GetPowerPoliciesInfo)},
        {0x70916171, reinterpret_cast<Function>(&GetPowerPoliciesStatus)},
        {0xAD95F5ED, reinterpret_cast<Function>(&SetPowerPoliciesStatus)},
        {0x0D258BB5, reinterpret_cast<Function>(&GetThermalPoliciesInfo)},
        {0xE9C425A1, reinterpret_cast<Function>(&GetThermalPoliciesStatus)},
        {0x34C0B13D, reinterpret_cast<Function>(&SetThermalPoliciesStatus)},
        {0xFB85B01E, reinterpret_cast<Function>(&GetFanCoolersInfo)},
        {0x35AED5E8, reinterpret_cast<Function>(&GetFanCoolersStatus)},
        {0x814B209F, reinterpret_cast<Function>(&GetFanCoolersControl)},
        {0xA58971A5, reinterpret_cast<Function>(&SetFanCoolersControl)},
        {0xDA141340, reinterpret_cast<Function>(&GetCoolerSettings)},
        {0x891FA0AE, reinterpret_cast<Function>(&SetCoolerLevels)},
        {0x8F6ED0FB, reinterpret_cast<Function>(&RestoreCoolerSettings)},
        {0xFAB69565, reinterpret_cast<Function>(&GetDriverControlInfo)},
        {0xF5E10439, reinterpret_cast<Function>(&GetDriverControl)},
        {0xF3B11E68, reinterpret_cast<Function>(&SetDriverControl)},
        {0xE3640A56, reinterpret_cast<Function>(&GetThermalSettings)},
        {0xDCB616C3, reinterpret_cast<Function>(&GetAllClockFrequencies)},
        {0x927DA4F6, reinterpret_cast<Function>(&GetCurrentPstate)},
        {0x60DED2ED, reinterpret_cast<Function>(&GetDynamicPstatesInfoEx)},
        {0x5F608315, reinterpret_cast<Function>(&GetTachReading)},
        {0x465F9BCF, reinterpret_cast<Function>(&GetCoreVoltageStatus)},
        {0xC16C7E2C, reinterpret_cast<Function>(&GetVoltageDomainsStatus)},
        {0xA4DFD3F2, reinterpret_cast<Function>(&GetPowerTopologyInfo)},
        {0xEDCF624E, reinterpret_cast<Function>(&GetPowerTopologyStatus)},
        {0xCEEE8E9F, reinterpret_cast<Function>(&GetFullName)},
        {0x2DDFB66E, reinterpret_cast<Function>(&GetPCIIdentifiers)},
        {0x1BB18724, reinterpret_cast<Function>(&GetBusType)},
        {0xE4715417, reinterpret_cast<Function>(&GetIRQ)},
        {0xACC3DA0A, reinterpret_cast<Function>(&GetVbiosRevision)},
        {0x2D43FB31, reinterpret_cast<Function>(&GetVbiosOEMRevision)},
        {0xD048C3B1, reinterpret_cast<Function>(&GetPCIEWidth)},
        {0x46FBEB03, reinterpret_cast<Function>(&GetFrameBufferSize)},
        {0x57F7CAAC, reinterpret_cast<Function>(&GetRamType)},
        {0x63E2F56F, reinterpret_cast<Function>(&GetShaderPipeCount)},
        {0x0BE17923, reinterpret_cast<Function>(&GetShaderSubPipeCount)},
        {0x86F05D7A, reinterpret_cast<Function>(&GetPartitionCount)},
        {0xC7026A87, reinterpret_cast<Function>(&GetGpuCoreCount)},
        {0x2926AAAD, reinterpret_cast<Function>(&GetDriverAndBranchVersion)},
    };
    return functions;
}

}  // namespace

void PollControlFile() {
    World& world = TheWorld();
    if (world.controlPath.empty()) return;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(world.controlPath.c_str(), GetFileExInfoStandard, &data)) return;
    const unsigned long long stamp =
        ((static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime) ^
        (static_cast<unsigned long long>(data.nFileSizeLow) << 48);
    if (stamp == world.controlStamp) return;
    world.controlStamp = stamp;
    std::ifstream file(world.controlPath.c_str());
    std::string line;
    unsigned generation = 0;
    while (std::getline(file, line)) {
        std::istringstream words(line);
        std::string verb, id;
        int status = 0, count = 0;
        words >> verb;
        if (verb == "#") {
            words >> generation;
        } else if (verb == "clear") {
            world.faults.clear();
        } else if (verb == "fail" && words >> id >> status >> count) {
            if (id == "*") {
                for (const auto& [known, function] : Functions()) world.faults[known] = {status, count};
            } else {
                world.faults[static_cast<std::uint32_t>(std::strtoul(id.c_str(), nullptr, 16))] = {status, count};
            }
        }
    }
    std::ofstream((world.controlPath + L".report").c_str(), std::ios::trunc)
        << "generation " << generation << " answered " << world.faultsAnswered << " calls " << world.calls << " i2c "
        << world.i2cTransfers << "\n";
    world.faultsAnswered = 0;
}

bool LoadScenario(const std::string& nameOrPath) {
    std::string text = BuiltInScenario(nameOrPath);
    if (text.empty()) {
        std::ifstream file(nameOrPath);
        if (!file) return false;
        std::stringstream content;
        content << file.rdbuf();
        text = content.str();
    }
    Driver driver;
    std::string error;
    if (!ParseScenario(text, driver, error)) return false;
    driver.scenario = nameOrPath;

    World& world = TheWorld();
    world.driver = std::move(driver);
    world.faults.clear();
    world.counts.clear();
    world.log.clear();
    world.i2cLog.clear();
    world.sessions.clear();
    world.loaded = true;
    ResetInitialized();
    ApplySavedState();
    return true;
}

}  // namespace sim

extern "C" {

__declspec(dllexport) void* __cdecl nvapi_QueryInterface(unsigned int id) {
    sim::EnsureLoaded();
    if (sim::TheWorld().driver.absent.count(id)) return nullptr;
    const auto& functions = sim::Functions();
    const auto it = functions.find(id);
    return it == functions.end() ? nullptr : it->second;
}

__declspec(dllexport) int __cdecl SimLoadScenario(const char* nameOrPath) {
    return nameOrPath && sim::LoadScenario(nameOrPath) ? 1 : 0;
}

__declspec(dllexport) void __cdecl SimSetStatePath(const wchar_t* path) {
    sim::TheWorld().statePath = path ? path : L"";
}

__declspec(dllexport) void __cdecl SimInjectFault(unsigned int id, int status, int count) {
    sim::TheWorld().faults[id] = {status, count};
}

__declspec(dllexport) unsigned int __cdecl SimCallCount(unsigned int id) {
    const auto& counts = sim::TheWorld().counts;
    if (id == 0) {
        unsigned total = 0;
        for (const auto& [key, count] : counts) total += count;
        return total;
    }
    const auto it = counts.find(id);
    return it == counts.end() ? 0 : it->second;
}

__declspec(dllexport) void __cdecl SimResetCounters() {
    sim::TheWorld().counts.clear();
    sim::TheWorld().log.clear();
    sim::TheWorld().i2cLog.clear();
}

__declspec(dllexport) int __cdecl SimI2cLog(char* buffer, int size) {
    const std::string& log = sim::TheWorld().i2cLog;
    if (buffer && size > 0) {
        const std::size_t copied = std::min(log.size(), static_cast<std::size_t>(size - 1));
        log.copy(buffer, copied);
        buffer[copied] = '\0';
    }
    return static_cast<int>(log.size());
}

__declspec(dllexport) int __cdecl SimCallLog(unsigned int index, unsigned int* id, unsigned int* version) {
    const auto& log = sim::TheWorld().log;
    if (index < log.size()) {
        if (id) *id = log[index].id;
        if (version) *version = log[index].version;
    }
    return static_cast<int>(log.size());
}

__declspec(dllexport) int __cdecl SimStateValue(const char* key, long long* value) {
    return key && value && sim::StateValue(key, *value) ? 1 : 0;
}

}  // extern "C"
