// nvapi64.dll of the simulated driver: nvapi_QueryInterface, and a few exports
// through which in-process tests steer it. Tests of the real programs choose the
// scenario with ZORVANE_SIM_SCENARIO (a built-in name or a file path) and keep
// state across processes in the file named by ZORVANE_SIM_STATE.
#include "functions.h"
#include "sim_control.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
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
    };
    return functions;
}

}  // namespace

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
