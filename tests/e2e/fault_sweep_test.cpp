// The real Zorvane.exe on `demo` while the simulated driver fails one group of
// interface identifiers after another with each status a real driver gives: every window
// is opened in turn and its main action taken. Whatever fails, the process keeps
// answering, shows no message box but the Debug Mode warning, a failed apply leaves the
// stored settings as they were, and no fan is left under manual control at the end.
#include "demo_board.h"
#include "driver_control_file.h"
#include "panel_driver.h"

#include "../unit/product_key.h"
#include "gpu/nvapi.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr const wchar_t* kDialogClass = L"#32770";
constexpr const wchar_t* kTitle = L"Zorvane";
constexpr int kStatuses[] = {-1, -3, -5, -9, -104, -217};

struct Group {
    const char* name;
    std::vector<std::uint32_t> ids;
};

// Every identifier the program calls, by the part of the board it concerns. The
// binding's calls happen only at start-up: that group fails from the start.
const std::vector<Group>& Groups() {
    static const std::vector<Group> groups = {
        {"binding", {NvId_Initialize, NvId_EnumPhysicalGPUs, NvId_EnumTCCPhysicalGPUs}},
        {"clocks",
         {NvId_GetPstates20, NvId_SetPstates20, NvId_GetClockDomainsInfo, NvId_GetVfPointsMask, NvId_GetVfPointsControl,
          NvId_SetVfPointsControl, NvId_GetPerfClocks, NvId_SetPerfClocks, NvId_GetPstatesInfo, NvId_GetPstatesInfoEx,
          NvId_SetPstatesInfo}},
        {"voltage",
         {NvId_GetVoltageStep, NvId_GetVoltageBoost, NvId_SetVoltageBoost, NvId_GetCoreVoltageStatus,
          NvId_GetVoltageDomainsStatus}},
        {"power, thermal",
         {NvId_GetPowerPoliciesInfo, NvId_GetPowerPoliciesStatus, NvId_SetPowerPoliciesStatus,
          NvId_GetThermalPoliciesInfo, NvId_GetThermalPoliciesStatus, NvId_SetThermalPoliciesStatus,
          NvId_GetPowerTopologyInfo, NvId_GetPowerTopologyStatus}},
        {"fans",
         {NvId_GetFanCoolersInfo, NvId_GetFanCoolersStatus, NvId_GetFanCoolersControl, NvId_SetFanCoolersControl,
          NvId_GetCoolerSettings, NvId_SetCoolerLevels, NvId_RestoreCoolerSettings, NvId_GetTachReading}},
        {"LED, I2C", {NvId_I2cReadEx, NvId_I2cWriteEx, NvId_GetIllumZonesControl, NvId_SetIllumZonesControl}},
        {"settings sessions",
         {NvId_DrsCreateSession, NvId_DrsDestroySession, NvId_DrsLoadSettings, NvId_DrsSaveSettings,
          NvId_DrsGetBaseProfile, NvId_DrsSetSetting, NvId_DrsGetSetting, NvId_DrsDeleteProfileSetting}},
        {"driver controls", {NvId_GetDriverControlInfo, NvId_GetDriverControl, NvId_SetDriverControl}},
        {"sensors",
         {NvId_GetThermalSettings, NvId_GetAllClockFrequencies, NvId_GetCurrentPstate, NvId_GetDynamicPstatesInfoEx}},
        {"information",
         {NvId_GetFullName, NvId_GetPCIIdentifiers, NvId_GetBusType, NvId_GetIRQ, NvId_GetVbiosRevision,
          NvId_GetVbiosOEMRevision, NvId_GetCurrentPCIEDownstreamWidth, NvId_GetPhysicalFrameBufferSize,
          NvId_GetRamType, NvId_GetShaderPipeCount, NvId_GetShaderSubPipeCount, NvId_GetPartitionCount,
          NvId_GetGpuCoreCount, NvId_GetDriverAndBranchVersion}},
        // Reads answer, writes fail: the applies, the mode, the restore and the curve
        // passes get as far as writing.
        {"every write",
         {NvId_SetPstates20, NvId_SetVfPointsControl, NvId_SetPerfClocks, NvId_SetPstatesInfo, NvId_SetVoltageBoost,
          NvId_SetPowerPoliciesStatus, NvId_SetThermalPoliciesStatus, NvId_SetFanCoolersControl,
          NvId_SetCoolerLevels, NvId_RestoreCoolerSettings, NvId_I2cWriteEx, NvId_SetIllumZonesControl,
          NvId_DrsSetSetting, NvId_DrsSaveSettings, NvId_DrsDeleteProfileSetting, NvId_SetDriverControl}},
    };
    return groups;
}

// Every value under the product key, by key path and name, as raw bytes.
using Settings = std::map<std::wstring, std::wstring>;

void ReadSettings(HKEY key, const std::wstring& path, Settings& out) {
    wchar_t name[256];
    BYTE data[2048];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 256, dataLength = sizeof(data), type = 0;
        if (::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS) break;
        out[path + L"\\" + name] = std::wstring(reinterpret_cast<wchar_t*>(data), dataLength / sizeof(wchar_t));
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 256;
        if (::RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        HKEY child;
        if (::RegOpenKeyExW(key, name, 0, KEY_READ | KEY_WOW64_32KEY, &child) != ERROR_SUCCESS) continue;
        ReadSettings(child, path + L"\\" + name, out);
        ::RegCloseKey(child);
    }
}

Settings StoredSettings() {
    Settings settings;
    HKEY key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kProductKeyPath, 0, KEY_READ | KEY_WOW64_32KEY, &key) == ERROR_SUCCESS) {
        ReadSettings(key, L"", settings);
        ::RegCloseKey(key);
    }
    return settings;
}

// What changed between two readings, as one line. Every apply ends a user mode
// ("UserModeActive"), as designed; nothing else may change.
std::string Changes(const Settings& before, const Settings& after) {
    std::string changes;
    for (const auto& [name, value] : after) {
        if (name.ends_with(L"\\UserModeActive")) continue;
        const auto it = before.find(name);
        if (it == before.end() || it->second != value) changes += " " + Narrow(name) + "='" + Narrow(value.c_str()) + "'";
    }
    for (const auto& [name, value] : before) {
        if (!after.count(name)) changes += " " + Narrow(name) + " removed";
    }
    return changes;
}

// Zorvane on `demo` with the driver's control and state files.
class Sweep {
public:
    Sweep(const std::wstring& control, std::wstring state)
        : m_state(std::move(state)), m_panel(StageDirectory() + L"\\Zorvane.exe") {
        ::SetEnvironmentVariableW(L"ZORVANE_SIM_SCENARIO", L"demo");
        ::SetEnvironmentVariableW(L"ZORVANE_SIM_CONTROL", control.c_str());
        ::SetEnvironmentVariableW(L"ZORVANE_SIM_STATE", m_state.c_str());
    }
    ~Sweep() {
        for (const wchar_t* name : {L"ZORVANE_SIM_SCENARIO", L"ZORVANE_SIM_CONTROL", L"ZORVANE_SIM_STATE"}) {
            ::SetEnvironmentVariableW(name, nullptr);
        }
        ::DeleteFileW(m_state.c_str());
    }

    bool Start(Observation& seen) {
        ::DeleteFileW(m_state.c_str());
        return m_panel.Start(seen);
    }
    bool Alive() const { return m_panel.Alive(); }
    void Press(Observation& seen, int id) { m_panel.Press(seen, id); }

    // Every window in turn with its main action; `firstApply`: what was not stored yet
    // may be stored now.
    void Cycle(Observation& seen, bool firstApply = false) {
        const Settings before = StoredSettings();
        m_panel.OpenAndPress(seen, IDC_BUTTON_OC, L"Overclock - Zorvane", IDOK);
        m_panel.OpenAndPress(seen, IDC_BUTTON_FANDUTYDEC, L"Fan Control - Zorvane", IDOK);
        m_panel.OpenAndPress(seen, IDC_BUTTON_LEDCTRL, L"LED Control - Zorvane", IDOK);
        m_panel.OpenAndPress(seen, IDC_BUTTON_STATUS, L"Status - Zorvane", IDCANCEL, 1200);
        m_panel.OpenAndPress(seen, IDC_BUTTON_INFO, L"Information - Zorvane", IDCANCEL, 300);
        m_panel.OpenAndPress(seen, IDC_BUTTON_SETTING, L"Setting - Zorvane", IDOK);
        const std::string changed = Changes(before, StoredSettings());
        if (!changed.empty() && !firstApply) seen.Fault("an apply without changes altered the settings:" + changed);
        // Save a mode into slot 1, then restore the defaults.
        m_panel.Press(seen, IDC_BUTTON_SAVE);
        m_panel.Press(seen, IDC_BUTTON_USERMODE1);
        m_panel.Press(seen, IDC_BUTTON_RESTORE);
    }

    // Quits the way a user does; no fan may be left under manual control.
    void Quit(Observation& seen) {
        m_panel.Quit(seen);
        const std::string manual = ManualFans();
        if (!manual.empty()) seen.Fault("fan left manual:" + manual);
    }

    // The fans the driver holds under manual control now, from the state file.
    std::string ManualFans() const {
        std::ifstream file(m_state.c_str());
        std::string line, manual;
        while (std::getline(file, line)) {
            if (line.find(".manual=1") != std::string::npos) manual += " " + line;
        }
        return manual;
    }

private:
    std::wstring m_state;
    PanelDriver m_panel;
};

// The binding's calls are made before the first report; -1 elsewhere: no report came.
std::string Counted(int failedCalls, bool atStart) {
    if (atStart) return "at start";
    return failedCalls < 0 ? std::string("no report") : std::to_string(failedCalls);
}

TEST(FaultSweep, EveryWindowAndActionWithEachGroupOfCallsFailing) {
    ASSERT_EQ(::FindWindowW(kDialogClass, kTitle), nullptr) << "a Zorvane window is left from elsewhere";
    ClearProductKey();
    ASSERT_TRUE(StoreDemoFanCurve());
    DriverControlFile control(L"zorvane-fault-sweep.txt");
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring state = std::wstring(temp) + L"zorvane-fault-sweep-state.txt";
    Sweep sweep(control.path(), state);

    // Samples every second, so that each combination's failed calls are counted soon.
    ASSERT_TRUE(SetProductValue(L"MonitoringInterval", L"1"));
    ASSERT_TRUE(SetProductValue(L"Interval", L"1"));

    // One cycle without faults first: the first applies store what was not stored yet.
    {
        Observation seen;
        ASSERT_TRUE(sweep.Start(seen)) << seen.Summary();
        sweep.Cycle(seen, true);
        sweep.Quit(seen);
        ASSERT_TRUE(seen.faults.empty()) << "without faults: " << seen.Summary();
    }

    std::printf("%-6s %-18s %12s  %s\n", "status", "failing calls", "calls failed", "result");
    int faults = 0, combinations = 0;
    for (int status : kStatuses) {
        // The binding fails from the start: a process without boards.
        {
            Observation seen;
            control.Fail(Groups().front().ids, status);
            if (sweep.Start(seen)) sweep.Cycle(seen);
            control.Clear();
            const int failed = control.LastReport(5000).answered;
            sweep.Quit(seen);
            std::printf("%-6d %-18s %12s  %s\n", status, Groups().front().name, Counted(failed, true).c_str(), seen.Summary().c_str());
            for (const std::string& fault : seen.faults) ADD_FAILURE() << status << " binding: " << fault;
            faults += static_cast<int>(seen.faults.size());
            ++combinations;
        }
        // The other groups in turn in one process, each failing while every window acts.
        Observation started;
        ASSERT_TRUE(sweep.Start(started)) << started.Summary();
        for (std::size_t g = 1; g < Groups().size(); ++g) {
            Observation seen;
            control.Fail(Groups()[g].ids, status);
            sweep.Cycle(seen);
            control.Clear();
            const int failed = control.LastReport(5000).answered;
            if (g + 1 == Groups().size()) sweep.Quit(seen);
            std::printf("%-6d %-18s %12s  %s\n", status, Groups()[g].name, Counted(failed, false).c_str(), seen.Summary().c_str());
            // A write refused for Debug Mode tells the user why.
            if (status == -217 && g + 1 == Groups().size()) {
                EXPECT_TRUE(seen.debugWarning) << "no Debug Mode warning when the writes answer -217";
            }
            for (const std::string& fault : seen.faults) ADD_FAILURE() << status << " " << Groups()[g].name << ": " << fault;
            faults += static_cast<int>(seen.faults.size());
            ++combinations;
            if (!sweep.Alive()) {
                Observation restarted;
                ASSERT_TRUE(sweep.Start(restarted)) << restarted.Summary();
            }
        }
        // The fans follow their curve, then go back to automatic while every write fails.
        {
            ASSERT_TRUE(StoreDemoFanCurve());
            Observation seen;
            if (sweep.Start(seen)) {
                ::Sleep(2500);  // curve passes: the fan is under the program's control
                control.Fail(Groups().back().ids, status);
                sweep.Press(seen, IDC_BUTTON_FANDUTYINC);
                ::Sleep(1500);
                control.Clear();
                ::Sleep(6000);  // a fan-mode pass (every 5 s) hands the refused fan back
                const std::string manual = sweep.ManualFans();
                if (!manual.empty()) seen.Fault("fan still manual while running:" + manual);
                sweep.Quit(seen);
            }
            std::printf("%-6d %-18s %12s  %s\n", status, "fans to automatic", "writes", seen.Summary().c_str());
            for (const std::string& fault : seen.faults) ADD_FAILURE() << status << " fans to automatic: " << fault;
            faults += static_cast<int>(seen.faults.size());
            ++combinations;
        }
        std::fflush(stdout);
    }
    std::printf("%d combinations, %d faults\n", combinations, faults);
    ClearProductKey();
}

}  // namespace
