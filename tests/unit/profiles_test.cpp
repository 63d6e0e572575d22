// The settings store against Wine's registry in the test prefix, and the board
// feature word against the simulated driver.
#include "gpu/board_list.h"
#include "gpu/fans.h"
#include "gpu/frame_rate.h"
#include "gpu/led.h"
#include "gpu/voltage.h"
#include "profiles/board_features.h"
#include "profiles/board_settings.h"
#include "gpu/clock_mechanism.h"
#include "gpu/clocks.h"
#include "gpu/power_thermal.h"
#include "profiles/builtin_modes.h"
#include "profiles/settings_store.h"
#include "profiles/user_modes.h"
#include "sim_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr REGSAM kView32 = KEY_WOW64_32KEY;
const std::string kBoard1B06 = "[board]\npci_device = 0x1B0610DE\npci_subsystem = 0x00011234\n";

// Removes everything the store wrote, so each test starts from an empty registry.
void ClearStore() {
    HKEY software;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_ALL_ACCESS | kView32, &software) == ERROR_SUCCESS) {
        ::RegDeleteTreeW(software, L"Drelmont");
        ::RegCloseKey(software);
    }
}

// A key as a 32-bit program sees it; null when absent.
HKEY OpenAs32Bit(const std::wstring& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS | kView32, &key) != ERROR_SUCCESS) return nullptr;
    return key;
}

std::wstring StoredText(const std::wstring& path, const wchar_t* name) {
    HKEY key = OpenAs32Bit(path);
    if (!key) return L"(no key)";
    wchar_t text[64] = {};
    DWORD bytes = sizeof(text) - sizeof(wchar_t), type = 0;
    const LONG status = ::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS) return L"(no value)";
    if (type != REG_SZ || bytes != (std::wcslen(text) + 1) * sizeof(wchar_t)) return L"(not text with its terminator)";
    return text;
}

class Store : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.ok());
        ClearStore();
        SelectedBoard = 0;
        ASSERT_EQ(sim.UseText(kBoard1B06), 1);
    }
    void TearDown() override { ClearStore(); }

    static void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
        HKEY key;
        ASSERT_EQ(OpenBoardKey(0, &key), 0);
        ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes);
        ::RegCloseKey(key);
    }

    SimDriver sim;
};

const std::wstring kBoardPath = L"Software\\Drelmont\\Zorvane\\10DE1B0612340001\\0";

TEST_F(Store, BoardKeyIsNamedByPciIdentifiersAndIndex) {
    EXPECT_EQ(WriteBoardString(0, setting::Linked, L"1"), 0);
    EXPECT_EQ(StoredText(kBoardPath, setting::Linked), L"1");
    EXPECT_EQ(WriteBoardUnsigned(0, setting::LedCtrlColor, 4294967295ul), 0);
    EXPECT_EQ(StoredText(kBoardPath, setting::LedCtrlColor), L"4294967295");
    EXPECT_EQ(WriteSelectedBoardInt(setting::UserModeActive, -3), 0);
    EXPECT_EQ(StoredText(kBoardPath, setting::UserModeActive), L"-3");
    EXPECT_EQ(ReadBoardInt(0, setting::UserModeActive), -3);
    EXPECT_EQ(WriteProductInt(setting::TemperatureUnit, 1), 0);
    EXPECT_EQ(StoredText(L"Software\\Drelmont\\Zorvane", setting::TemperatureUnit), L"1");
    EXPECT_EQ(ReadProductInt(setting::TemperatureUnit), 1);
}

TEST_F(Store, IdenticalBoardsAreSiblingIndexKeys) {
    ASSERT_EQ(sim.UseText(kBoard1B06 + kBoard1B06), 2);
    EXPECT_EQ(WriteBoardUnsigned(0, setting::LedCtrlMode, 3), 0);
    EXPECT_EQ(WriteBoardUnsigned(1, setting::LedCtrlMode, 5), 0);
    EXPECT_EQ(StoredText(L"Software\\Drelmont\\Zorvane\\10DE1B0612340001\\0", setting::LedCtrlMode), L"3");
    EXPECT_EQ(StoredText(L"Software\\Drelmont\\Zorvane\\10DE1B0612340001\\1", setting::LedCtrlMode), L"5");
    EXPECT_EQ(ReadBoardInt(1, setting::LedCtrlMode), 5);
}

TEST_F(Store, WhatARegistryValueReadsAs) {
    struct Case {
        const char* what;
        DWORD type;
        std::wstring text;  // the stored bytes: the text, with its terminator unless said
        bool terminator;
        int expected;
    };
    const int fallback = SettingDefault(setting::LedCtrlColor);
    const Case cases[] = {
        {"plain", REG_SZ, L"12", true, 12},
        {"leading blanks", REG_SZ, L"   12", true, 12},
        {"a sign", REG_SZ, L"-5", true, -5},
        {"a plus", REG_SZ, L"+7", true, 7},
        {"trailing garbage", REG_SZ, L"12abc", true, 12},
        {"no digits", REG_SZ, L"abc", true, 0},
        {"empty", REG_SZ, L"", true, 0},
        {"16 digits, the most that fit", REG_SZ, L"9999999999999999", true, 2147483647},
        {"17 digits do not fit", REG_SZ, L"12345678901234567", true, fallback},
        {"20 digits do not fit", REG_SZ, L"12345678901234567890", true, fallback},
        {"no terminator", REG_SZ, L"42", false, 42},
        {"a number, not text", REG_DWORD, std::wstring(L"\x0007\x0000", 2), false, fallback},
        {"binary", REG_BINARY, L"12", false, fallback},
        {"expandable text", REG_EXPAND_SZ, L"12", true, fallback},
    };
    for (const Case& c : cases) {
        const DWORD bytes = static_cast<DWORD>((c.text.size() + (c.terminator ? 1 : 0)) * sizeof(wchar_t));
        SetRaw(setting::LedCtrlColor, c.type, c.text.c_str(), bytes);
        EXPECT_EQ(ReadBoardInt(0, setting::LedCtrlColor), c.expected) << c.what;
    }
    ::RegDeleteValueW(OpenAs32Bit(kBoardPath), setting::LedCtrlColor);
    EXPECT_EQ(ReadBoardInt(0, setting::LedCtrlColor), 51269) << "missing";
}

TEST_F(Store, DefaultsLiveInOneTable) {
    const std::pair<const wchar_t*, int> cases[] = {
        {setting::LedCtrlColor, 51269},      {setting::LedCtrlNvColor, 2},   {setting::LedCtrlBreathColor, 51269},
        {setting::LedCtrlBreathSpeed, 255}, {setting::LedCtrlCycleSpeed, 4}, {setting::LedCtrlStrobeColor, 51269},
        {setting::LedCtrlStrobeSpeed, 4},   {setting::LedCtrlBreathColorB, 0}, {setting::FanCtrlMode, 0},
        {setting::QuitState, 0},             {setting::Interval, 0},
    };
    for (const auto& [name, value] : cases) {
        EXPECT_EQ(SettingDefault(name), value) << name;
        EXPECT_EQ(ReadBoardInt(0, name), value) << name;  // nothing stored: the default
    }
}

TEST_F(Store, ABoardWithoutPciIdentifiersHasNoKey) {
    ASSERT_EQ(sim.UseText("[board]\npstate20_clock = 0, 0, 1, -1000, 1000, 500000, 900000\n"), 1);
    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(OpenBoardKey(0, &key), 1);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(WriteBoardUnsigned(0, setting::LedCtrlMode, 3), 1);
    EXPECT_EQ(WriteSelectedBoardInt(setting::Linked, 1), 1);
    EXPECT_EQ(ReadBoardInt(0, setting::LedCtrlBreathSpeed), 255);
    EXPECT_EQ(OpenAs32Bit(L"Software\\Drelmont\\Zorvane\\0"), nullptr);
    EXPECT_EQ(WriteBoardUnsigned(5, setting::LedCtrlMode, 3), 1);  // no such board
}

TEST_F(Store, FanCurvePointsAsTenDigits) {
    EXPECT_EQ(WriteFanCurvePoint(0, 2, 1, 45, 60), 0);
    EXPECT_EQ(StoredText(kBoardPath, L"FanCrvPt1"), L"0450006000");
    EXPECT_EQ(WriteFanCurvePoint(0, 1, 4, 100, 100), 0);
    EXPECT_EQ(StoredText(kBoardPath, L"Fan2CrvPt4"), L"1000010000");
    int x = 0, y = 0;
    ASSERT_TRUE(ReadFanCurvePoint(0, 2, 1, x, y));
    EXPECT_EQ(x, 45);
    EXPECT_EQ(y, 60);
    ASSERT_TRUE(ReadFanCurvePoint(0, 1, 4, x, y));
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 100);
    EXPECT_FALSE(ReadFanCurvePoint(0, 2, 2, x, y));  // missing: the caller's default point
    WriteBoardString(0, L"FanCrvPt3", L"0000000000");
    EXPECT_FALSE(ReadFanCurvePoint(0, 2, 3, x, y));  // zero: the default point as well
}

TEST_F(Store, SettingGroupsReadTheirDefaultsAndKeepWhatTheyStore) {
    const LedSettings fresh = LedSettings::Load(0);
    EXPECT_EQ(fresh.mode, 0);
    EXPECT_EQ(fresh.colour, 51269u);
    EXPECT_EQ(fresh.nvColour, 2u);
    EXPECT_EQ(fresh.breathSpeed, 255u);
    EXPECT_EQ(fresh.cycleSpeed, 4u);
    EXPECT_EQ(fresh.strobeDirection, 0u);

    LedSettings led = fresh;
    led.mode = 3;
    led.colour = 0x00FF8000;
    led.strobeDirection = 1;
    led.Save(0);
    EXPECT_EQ(StoredText(kBoardPath, L"LedCtrlColor"), L"16744448");
    const LedSettings back = LedSettings::Load(0);
    EXPECT_EQ(back.mode, 3);
    EXPECT_EQ(back.colour, 0x00FF8000u);
    EXPECT_EQ(back.strobeDirection, 1u);
    EXPECT_EQ(back.breathSpeed, 255u);

    FanSettings fans = FanSettings::Load(0);
    EXPECT_FALSE(fans.curve[0][0].stored);
    fans.mode[0] = 2;
    fans.mode[1] = 1;
    fans.curve[0][0] = {45, 60, true};
    fans.curve[1][3] = {90, 100, true};
    fans.Save(0);
    EXPECT_EQ(StoredText(kBoardPath, L"FanCtrlMode"), L"2");
    EXPECT_EQ(StoredText(kBoardPath, L"FanCrvPt1"), L"0450006000");
    EXPECT_EQ(StoredText(kBoardPath, L"Fan2CrvPt4"), L"0900010000");
    EXPECT_EQ(StoredText(kBoardPath, L"FanCrvPt2"), L"(no value)") << "a default point is not written";
    const FanSettings fansBack = FanSettings::Load(0);
    EXPECT_EQ(fansBack.mode[1], 1);
    EXPECT_EQ(fansBack.curve[1][3].x, 90);
    EXPECT_TRUE(fansBack.curve[0][0].stored);

    EXPECT_TRUE(OverclockSwitches::Load(0).linked) << "nothing stored: linked";
    OverclockSwitches{true, false}.Save(0);
    EXPECT_EQ(StoredText(kBoardPath, L"Linked"), L"1");
    EXPECT_TRUE(OverclockSwitches::Load(0).linked);
    EXPECT_FALSE(OverclockSwitches::Load(0).overvoltaged);
}

TEST_F(Store, MonitoringInterval) {
    EXPECT_EQ(MonitoringIntervalSeconds(), 3);  // missing
    const std::pair<const wchar_t*, int> cases[] = {{L"0", 3}, {L"-4", 3}, {L"1", 1}, {L"5", 5}, {L"99", 99}, {L"250", 99}};
    for (const auto& [text, seconds] : cases) {
        WriteProductString(setting::Interval, text);
        EXPECT_EQ(MonitoringIntervalSeconds(), seconds) << text;
    }
}

// ---------------------------------------------------------------- board features

class Features : public Store {
protected:
    std::uint32_t FeaturesOf(const std::string& scenario) {
        EXPECT_EQ(sim.UseText(scenario), 1) << scenario;
        RefreshBoardFeatures();
        return BoardFeatures;
    }
};

TEST_F(Features, BoardControllerSwitches) {
    using namespace feature;
    const std::string controller = "[board]\npci_device = 0x1E8710DE\npci_subsystem = 1\nboard_controller = 1\n";
    EXPECT_EQ(FeaturesOf(controller), I2cVoltageController | OverCurrentControl);
    EXPECT_EQ(FeaturesOf(controller + "i2c_set = 0x40, 0xDD, 4\n"), I2cVoltageController | OverCurrentControl | CoreOverVoltageOn);
    EXPECT_EQ(FeaturesOf(controller + "i2c_set = 0x40, 0xE2, 0x1F\n"), I2cVoltageController | OverCurrentControl | OverCurrentOn);
    EXPECT_EQ(FeaturesOf(controller + "i2c_set = 0x40, 0x99, 0x40\n"), 0u);  // another chip answers
    EXPECT_EQ(FeaturesOf(controller + "i2c_set = 0x40, 0xDD, 4\ni2c_fail = 0x40, 0xDD\n"),
              I2cVoltageController | OverCurrentControl);
    EXPECT_EQ(FeaturesOf("[board]\npci_device = 0x1E8710DE\n"), 0u);
}

TEST_F(Features, DriverControls) {
    using namespace feature;
    const std::string board = "[board]\npci_device = 0x1E8710DE\n";
    EXPECT_EQ(FeaturesOf(board + "control = 24, 1\n"), MemoryOverVoltageControl | MemoryOverVoltageOn);
    EXPECT_EQ(FeaturesOf(board + "control = 20, 0\n"), MemoryOverVoltageControl);
    EXPECT_EQ(FeaturesOf(board + "control = 11, 0\n"), FanFullSpeedControl | FanFullSpeedOn);
    EXPECT_EQ(FeaturesOf(board + "control = 11, 1\n"), FanFullSpeedControl);
}

TEST_F(Features, BoardModelClassesAndTheirOverrides) {
    using namespace feature;
    EXPECT_EQ(FeaturesOf("[board]\npci_device = 0x118410DE\n"), NoMaxVoltageBoard);
    WriteProductInt(setting::GpuMaxVoltage, 1);
    EXPECT_EQ(FeaturesOf("[board]\npci_device = 0x118410DE\n"), 0u);

    const std::string maxBoard =
        "[board]\npci_device = 0x13C010DE\npstate20_clock = 0, 0, 1, -1000, 1000, 500000, 900000\n"
        "over_voltage = 0, 100000\n";
    EXPECT_EQ(FeaturesOf(maxBoard), MaxOverVoltageBoard);  // offset 0, maximum 100
    ASSERT_EQ(GpuSetOverVoltage(0, 100), 100);
    RefreshBoardFeatures();
    EXPECT_EQ(BoardFeatures, MaxOverVoltageBoard | CoreOverVoltageOn);  // offset at its maximum
    WriteProductInt(setting::MasterDefCoreOv, 1);
    EXPECT_EQ(FeaturesOf(maxBoard), 0u);
}

TEST_F(Features, VariantsWithBuiltInModes) {
    using namespace feature;
    struct Case {
        std::uint32_t device;
        int baseClock;
        bool memoryControl;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {0x1B0610DE, 1518, true, BuiltInModes},   {0x1B0610DE, 1556, true, BuiltInModes},
        {0x1B0610DE, 1594, true, BuiltInModes},   {0x1B0610DE, 1600, true, 0},
        {0x1B0610DE, 1518, false, 0},             {0x1B8210DE, 1708, true, BuiltInModes},
        {0x1B8210DE, 1607, true, BuiltInOc2Mode}, {0x1B8210DE, 1518, true, 0},
    };
    for (const Case& c : cases) {
        char scenario[256];
        std::snprintf(scenario, sizeof scenario, "[board]\npci_device = %u\nclock_base_0 = %d\ncontrol = 11, 1\n%s",
                      c.device, c.baseClock * 1000, c.memoryControl ? "control = 24, 0\n" : "");
        // The fan full-speed and memory over-voltage control bits are taken away on these boards.
        EXPECT_EQ(FeaturesOf(scenario), c.expected) << std::hex << c.device << std::dec << " " << c.baseClock;
    }
    // Only the control bit goes; a switched-on memory over-voltage stays in the word.
    EXPECT_EQ(FeaturesOf("[board]\npci_device = 0x1B0610DE\nclock_base_0 = 1518000\ncontrol = 24, 1\n"),
              BuiltInModes | MemoryOverVoltageOn);
}

TEST_F(Features, SwitchesAreWrittenInOrderWhateverFails) {
    using namespace feature;
    ASSERT_EQ(sim.UseText("[board]\npci_device = 0x1E8710DE\nboard_controller = 1\ncontrol = 24, 0\n"
                          "control = 11, 1\ncontrol_readonly = 11\n"
                          "fan_cooler = 1, 30, 100, 40, 3000\nfan_cooler = 2, 30, 100, 40, 3000\n"),
              1);
    ApplyFeatureSwitches(I2cVoltageController | CoreOverVoltageOn | OverCurrentOn | MemoryOverVoltageOn |
                         FanFullSpeedOn);
    std::vector<unsigned> writes;
    const int entries = sim.callLog(0, nullptr, nullptr);
    for (int i = 0; i < entries; ++i) {
        unsigned id = 0;
        sim.callLog(static_cast<unsigned>(i), &id, nullptr);
        if (id == NvId_I2cWriteEx || id == NvId_SetDriverControl || id == NvId_SetFanCoolersControl) writes.push_back(id);
    }
    const std::vector<unsigned> expected = {NvId_I2cWriteEx, NvId_I2cWriteEx, NvId_SetDriverControl,
                                            NvId_SetDriverControl, NvId_SetFanCoolersControl,
                                            NvId_SetFanCoolersControl};
    EXPECT_EQ(writes, expected);
    // Control 11 refused the write: both fans run at 100 % by hand.
    EXPECT_EQ(GpuGetFan(0, kFanFirst, 0), 100);
    EXPECT_EQ(GpuGetFan(0, kFanSecond, 0), 100);
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 1);
    // The word was rebuilt from what the board now reports.
    EXPECT_EQ(BoardFeatures, I2cVoltageController | OverCurrentControl | CoreOverVoltageOn | OverCurrentOn |
                                 MemoryOverVoltageControl | MemoryOverVoltageOn | FanFullSpeedControl);

    // A word without the switches turns them back; a board without the controller
    // still gets its driver controls written.
    ApplyFeatureSwitches(MaxOverVoltageBoard | I2cVoltageController | CoreOverVoltageOn);
    EXPECT_EQ(BoardFeatures, I2cVoltageController | OverCurrentControl | FanFullSpeedControl | MemoryOverVoltageControl);
    ASSERT_EQ(sim.UseText("[board]\npci_device = 0x1E8710DE\ncontrol = 24, 0\n"), 1);
    ApplyFeatureSwitches(MemoryOverVoltageOn);
    EXPECT_EQ(BoardFeatures, MemoryOverVoltageControl | MemoryOverVoltageOn);
    EXPECT_EQ(sim.callCount(NvId_I2cWriteEx), 0u);
}

TEST_F(Features, NoRegisterIsWrittenWhereAnotherChipAnswersAtTheControllersAddress) {
    using namespace feature;
    // A stored word that claims the controller, on a board whose chip at that address is
    // something else: nothing is written to it.
    ASSERT_EQ(sim.UseText("[board]\npci_device = 0x1E8710DE\nboard_controller = 1\ni2c_set = 0x40, 0x99, 0x40\n"), 1);
    ApplyFeatureSwitches(I2cVoltageController | CoreOverVoltageOn | OverCurrentOn);
    EXPECT_EQ(sim.callCount(NvId_I2cWriteEx), 0u);
}

// User modes: what a slot keeps and gives back, on the simulated driver.
class Modes : public Store {
protected:
    struct RecordingHost : ModeHost {
        int lit = -1, fanReloads = 0, ledReloads = 0, refreshes = 0, fansAutomatic = 0, ledTemperature = 0;
        void LightModeButton(int slot) override { lit = slot; }
        void SetFansAutomatic() override { ++fansAutomatic; }
        void SetLedTemperatureEffect() override { ++ledTemperature; }
        void ReloadFanDialog() override { ++fanReloads; }
        void ReloadLedDialog() override { ++ledReloads; }
        void RefreshReadouts() override { ++refreshes; }
        int FanCurveLevel(int, int, int) override { return 50; }
    };
    std::wstring Slot(int slot, const wchar_t* field, int point = 0) {
        wchar_t name[48];
        return StoredText(boardPath, SlotValueName(slot, field, name, point));
    }
    void Use(const char* scenario, const wchar_t* path) {
        ASSERT_EQ(sim.Use(scenario), 1) << scenario;
        boardPath = path;
    }
    RecordingHost host;
    std::wstring boardPath = kBoardPath;
};

TEST_F(Modes, EachClockMechanismGetsBackWhatWasSaved) {
    struct Case {
        const char* scenario;
        const wchar_t* path;
        ClockMechanism mechanism;
    };
    const Case cases[] = {
        {"curve", L"Software\\Drelmont\\Zorvane\\10DE1E8712340001\\0", ClockMechanism::Curve},
        {"pstates20", L"Software\\Drelmont\\Zorvane\\10DE1B8012340009\\0", ClockMechanism::Pstates20},
        {"perflevels", L"Software\\Drelmont\\Zorvane\\10DE10801234000A\\0", ClockMechanism::PerfLevels},
    };
    for (const Case& c : cases) {
        Use(c.scenario, c.path);
        const int top = std::max(GpuGetPstateCount(0) - 1, 0);
        int saved[2] = {};
        for (int d = 0; d < 2; ++d) {
            const int domain = d == 0 ? kGraphicsDomain : kMemoryDomain;
            const ClockSetting s = GpuGetClockSetting(0, domain, top);
            ASSERT_EQ(s.mechanism, c.mechanism) << c.scenario;
            // Performance states 2.0 save an offset of 0, which must still be written back.
            const int wanted = c.mechanism == ClockMechanism::Pstates20 ? 0 : s.minimum + (s.maximum - s.minimum) / 4;
            GpuApplyClock(0, domain, top, wanted);
            saved[d] = GpuGetClockSetting(0, domain, top).current;
        }
        SaveUserMode(1);
        EXPECT_EQ(StoredText(boardPath, L"UserModeActive"), L"1") << c.scenario;
        for (int d = 0; d < 2; ++d) {
            const int domain = d == 0 ? kGraphicsDomain : kMemoryDomain;
            const ClockSetting s = GpuGetClockSetting(0, domain, top);
            GpuApplyClock(0, domain, top, s.minimum + 3 * (s.maximum - s.minimum) / 4);
            ASSERT_NE(GpuGetClockSetting(0, domain, top).current, saved[d]) << c.scenario;
        }
        ApplyMode(host, 0, 1);
        EXPECT_EQ(GpuGetClockSetting(0, kGraphicsDomain, top).current, saved[0]) << c.scenario;
        EXPECT_EQ(GpuGetClockSetting(0, kMemoryDomain, top).current, saved[1]) << c.scenario;
        if (c.mechanism == ClockMechanism::Curve) {
            EXPECT_EQ(GpuGetCurveOffset(0, 0), saved[0]) << "every graphics point moves";
        }
        EXPECT_EQ(host.fanReloads, 1);
        EXPECT_EQ(host.ledReloads, 1);
        EXPECT_GE(host.refreshes, 1);
        host = RecordingHost();
        ClearStore();
    }
}

TEST_F(Modes, AutomaticFansSaveZeroAndALevelAboveTheMaximumIsTheMaximum) {
    Use("curve", L"Software\\Drelmont\\Zorvane\\10DE1E8712340001\\0");
    GpuSetFan(0, 0, kFanFirst, GpuGetFan(0, kFanFirst, 2));
    SaveUserMode(1);
    EXPECT_EQ(Slot(1, L"FS"), L"0");
    GpuSetFan(0, 1, kFanFirst, 60);
    ASSERT_EQ(GpuGetFanMode(0, kFanFirst, 0), 1);
    ApplyMode(host, 0, 1);
    EXPECT_NE(GpuGetFanMode(0, kFanFirst, 0), 1) << "back to automatic";

    WriteBoardString(0, L"UserMode2FS", L"150");
    ApplyMode(host, 0, 2);
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 1);
    EXPECT_EQ(GpuGetFan(0, kFanFirst, 0), GpuGetFan(0, kFanFirst, 3));
    EXPECT_EQ(StoredText(boardPath, L"UserModeActive"), L"2");
}

TEST_F(Modes, CopiesAreTextForTextAndTheLedsAreSentAgainWithoutLedValues) {
    Use("ledrgb", L"Software\\Drelmont\\Zorvane\\10DE1E8712340007\\0");
    LedDetectController(0);
    WriteBoardString(0, setting::FanCtrlMode, L"02");
    WriteBoardString(0, L"FanCrvPt1", L"0100000000");
    WriteBoardString(0, L"FanCrvPt2", L"0");
    SaveUserMode(3);
    EXPECT_EQ(Slot(3, L"FanCtrlMode"), L"02");
    EXPECT_EQ(Slot(3, L"FanCrvPt%d", 1), L"0100000000");
    EXPECT_EQ(Slot(3, L"FanCrvPt%d", 2), L"(no value)") << "a point of 0 is not kept";
    EXPECT_EQ(Slot(3, L"LedCtrlMode"), L"(no value)");

    WriteBoardString(0, setting::FanCtrlMode, L"0");
    WriteBoardString(0, setting::LedCtrlMode, L"1");
    WriteBoardString(0, setting::LedCtrlColor, std::to_wstring(0x123456).c_str());
    sim.resetCounters();
    ApplyMode(host, 0, 3);
    EXPECT_EQ(StoredText(boardPath, L"FanCtrlMode"), L"02");
    EXPECT_EQ(StoredText(boardPath, L"LedCtrlMode"), L"1") << "the effect is left as it is";
    const std::string still = "W 92 E0 00\nW 92 60 01\nW 92 6C 56\nW 92 6D 34\nW 92 6E 12\nW 92 6F 64\n";
    const std::string log = sim.I2cLog();  // after the board controller's switches
    ASSERT_GE(log.size(), 2 * still.size());
    EXPECT_EQ(log.substr(log.size() - 2 * still.size()), still + still) << "and sent again";
}

TEST_F(Modes, SlotButtonsSaveApplyOrOnlyForgetTheActiveSlot) {
    Use("curve", L"Software\\Drelmont\\Zorvane\\10DE1E8712340001\\0");
    EXPECT_EQ(PressSlotButton(host, 4, true, true), 4);
    EXPECT_EQ(StoredText(boardPath, L"UserModeActive"), L"4");
    EXPECT_NE(Slot(4, L"CClkDelta2"), L"(no value)");
    EXPECT_EQ(PressSlotButton(host, 4, false, true), 4);
    EXPECT_EQ(host.ledReloads, 1) << "a checked button applies";
    sim.resetCounters();
    EXPECT_EQ(PressSlotButton(host, 4, false, false), 0);
    EXPECT_EQ(StoredText(boardPath, L"UserModeActive"), L"0");
    EXPECT_EQ(sim.callCount(0), sim.callCount(NvId_GetPCIIdentifiers)) << "nothing is sent to the board";
}

TEST_F(Modes, BuiltInModesOfTheKnownVariants) {
    struct Case {
        const char* device;
        int baseClock;
        int slot;
        std::uint32_t feature;
        int offset, power;
    };
    const Case cases[] = {
        {"0x1B0610DE", 1556, kSlotGaming, feature::BuiltInModes, -25, 90},
        {"0x1B0610DE", 1518, kSlotSilence, feature::BuiltInModes, -100, 80},
        {"0x1B8210DE", 1607, kSlotOc, feature::BuiltInOc2Mode, 202, 120},
    };
    for (const Case& c : cases) {
        ClearStore();
        const std::string board = std::string("[board]\npci_device = ") + c.device +
                                  "\npci_subsystem = 0x00011234\nclock_base_0 = " + std::to_string(c.baseClock * 1000) +
                                  "\ncontrol = 24, 0\ncurve = 0, -200000, 1000000, 0, 79\n"
                                  "power = 50000, 100000, 124000, 100000\nfan_cooler = 1, 30, 100, 35, 3000\n";
        ASSERT_EQ(sim.UseText(board), 1);
        boardPath = std::wstring(L"Software\\Drelmont\\Zorvane\\10DE") + std::wstring(c.device + 2, c.device + 6) +
                L"12340001\\0";
        RefreshBoardFeatures();
        ASSERT_EQ(BoardFeatures & (feature::BuiltInModes | feature::BuiltInOc2Mode), c.feature) << c.device;
        GpuSetFan(0, 1, kFanFirst, 70);
        PressBuiltInModeButton(host, c.slot);
        EXPECT_EQ(host.lit, c.slot);
        EXPECT_EQ(Slot(c.slot, L"CClkDelta2"), std::to_wstring(c.offset)) << c.device << " " << c.baseClock;
        EXPECT_EQ(Slot(c.slot, L"PowerLimit"), std::to_wstring(c.power));
        EXPECT_EQ(StoredText(boardPath, L"UserModeActive"), std::to_wstring(c.slot));
        EXPECT_EQ(GpuGetCurveOffset(0, 0), c.offset);
        EXPECT_EQ(GpuGetCurveOffset(0, 79), c.offset);
        EXPECT_EQ(GpuGetPowerTarget(0), c.power);
        EXPECT_NE(GpuGetFanMode(0, kFanFirst, 0), 1) << "the fans go to automatic";
    }
    // Any other board: the slot is left alone.
    ClearStore();
    ASSERT_EQ(sim.Use("curve"), 1);
    RefreshBoardFeatures();
    PrepareBuiltInMode(kSlotGaming);
    EXPECT_EQ(StoredText(L"Software\\Drelmont\\Zorvane\\10DE1E8712340001\\0", L"UserMode98FS"), L"(no key)");
}

TEST_F(Modes, TheStartReappliesEachBoardsModeAndLightsTheSelectedOne) {
    Use("curve", L"Software\\Drelmont\\Zorvane\\10DE1E8712340001\\0");
    for (const auto& [active, lit] : {std::pair{L"98", 98}, {L"99", 99}, {L"5", 5}, {L"50", -1}, {L"0", -1}}) {
        host = RecordingHost();
        WriteBoardString(0, setting::UserModeActive, active);
        RestoreAtStart(host, 0);
        EXPECT_EQ(host.lit, lit) << active;
        EXPECT_EQ(host.ledReloads, 0) << "a board switch applies nothing";
    }
    WriteBoardString(0, L"UserMode2CClkDelta2", L"60");
    WriteBoardString(0, setting::UserModeActive, L"2");
    host = RecordingHost();
    RestoreAtStart(host, 1);
    EXPECT_EQ(GpuGetCurveOffset(0, 40), 60);
    EXPECT_EQ(host.lit, 2);
}

TEST_F(Modes, RestoringDefaultsResetsEachMechanismAndTheControllerOnlyWhereThereIsOne) {
    struct Case {
        const char* scenario;
        const wchar_t* path;
        bool controller;
    };
    const Case cases[] = {
        {"curve", L"Software\\Drelmont\\Zorvane\\10DE1E8712340001\\0", true},
        {"pstates20", L"Software\\Drelmont\\Zorvane\\10DE1B8012340009\\0", false},
        {"perflevels", L"Software\\Drelmont\\Zorvane\\10DE10801234000A\\0", false},
    };
    for (const Case& c : cases) {
        ClearStore();
        Use(c.scenario, c.path);
        host = RecordingHost();
        const int top = ModeTopLevel(0);
        for (int domain : {kGraphicsDomain, kMemoryDomain}) {
            const ClockSetting s = GpuGetClockSetting(0, domain, top);
            GpuApplyClock(0, domain, top, s.minimum + 3 * (s.maximum - s.minimum) / 4);
        }
        if (GpuGetPowerLimitInfo(0, 1) > 0) GpuSetPowerTarget(0, GpuGetPowerLimitInfo(0, 3));
        if (GpuGetVoltageBoost(0) >= 0) GpuSetVoltageBoost(0, 50);
        GpuSetFrameRateTarget(60);
        WriteBoardString(0, setting::UserModeActive, L"3");
        RefreshBoardFeatures();
        sim.resetCounters();

        RestoreDefaults(host);
        EXPECT_EQ(StoredText(boardPath, L"UserModeActive"), L"0") << c.scenario;
        EXPECT_EQ(StoredText(boardPath, L"Linked"), L"1");
        EXPECT_EQ(host.lit, 0);
        EXPECT_EQ(host.fansAutomatic, 1);
        EXPECT_EQ(host.ledTemperature, 1);
        for (int domain : {kGraphicsDomain, kMemoryDomain}) {
            const ClockSetting s = GpuGetClockSetting(0, domain, top);
            const int expected = s.mechanism == ClockMechanism::PerfLevels ? GpuGetPerfLevelClock(0, domain, top, 1) : 0;
            EXPECT_EQ(s.current, expected) << c.scenario << " domain " << domain;
        }
        if (GpuGetPowerLimitInfo(0, 1) > 0) {
            EXPECT_EQ(GpuGetPowerTarget(0), GpuGetPowerLimitInfo(0, 1));
        }
        if (GpuGetVoltageBoost(0) >= 0) {
            EXPECT_EQ(GpuGetVoltageBoost(0), 0);
        }
        EXPECT_EQ(GpuGetFrameRateTarget(), 255);
        const bool wroteController = sim.I2cLog().find("W 40 DD 00\nW 40 E2 10\n") != std::string::npos;
        EXPECT_EQ(wroteController, c.controller) << c.scenario;
    }
}

TEST_F(Modes, AStartUpRestoreThatEndedTheProgramIsSkippedOnce) {
    Use("curve", L"Software\\Drelmont\\Zorvane\\10DE1E8712340001\\0");
    const std::wstring product = L"Software\\Drelmont\\Zorvane";
    EXPECT_EQ(RestoreAtStartGuarded(host, 1), StartRestore::NothingToApply);
    EXPECT_EQ(StoredText(product, L"RestorePending"), L"(no value)");

    WriteBoardString(0, L"UserMode2CClkDelta2", L"60");
    WriteBoardString(0, setting::UserModeActive, L"2");
    EXPECT_EQ(RestoreAtStartGuarded(host, 1), StartRestore::Applied);
    EXPECT_EQ(StoredText(product, L"RestorePending"), L"1");
    EXPECT_EQ(GpuGetCurveOffset(0, 40), 60);

    // The program died before the restore settled: the next start applies nothing.
    GpuSetCurveOffset(0, 40, 0);
    host = RecordingHost();
    EXPECT_EQ(RestoreAtStartGuarded(host, 1), StartRestore::Skipped);
    EXPECT_EQ(GpuGetCurveOffset(0, 40), 0);
    EXPECT_EQ(host.lit, 2) << "the active button is still lit";
    EXPECT_EQ(StoredText(product, L"RestorePending"), L"0");

    // The start after that restores again, and a settled restore clears the marker.
    EXPECT_EQ(RestoreAtStartGuarded(host, 1), StartRestore::Applied);
    EXPECT_EQ(GpuGetCurveOffset(0, 40), 60);
    RestoreSettled();
    EXPECT_EQ(StoredText(product, L"RestorePending"), L"0");
    EXPECT_EQ(RestoreAtStartGuarded(host, 1), StartRestore::Applied);
}

TEST_F(Modes, AModeAppliedToAnotherBoardDrivesThatBoardsSwitches) {
    ASSERT_EQ(sim.UseText("[board]\npci_device = 0x1E8710DE\npci_subsystem = 0x00011234\n"
                          "[board]\npci_device = 0x1E8710DE\npci_subsystem = 0x00021234\nboard_controller = 1\n"),
              2);
    SelectedBoard = 0;
    const std::uint32_t word = feature::I2cVoltageController | feature::CoreOverVoltageOn;
    WriteBoardString(1, L"UserMode5MasterMode", std::to_wstring(word).c_str());
    sim.resetCounters();
    ApplyMode(host, 1, 5);
    EXPECT_NE(sim.I2cLog().find("W 40 DD 04\n"), std::string::npos) << sim.I2cLog();
    EXPECT_EQ(SelectedBoard, 0);
    EXPECT_FALSE(BoardFeatures & feature::I2cVoltageController) << "the selected board's word again";
}

}  // namespace
