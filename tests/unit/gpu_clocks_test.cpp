// The driver binding, the board list, the status conventions and the clock
// operations, against the simulated driver installed in the system directory.
#include "gpu/board_list.h"
#include "gpu/clock_mechanism.h"
#include "gpu/clocks.h"
#include "gpu/driver_calls.h"
#include "gpu/driver_structs.h"
#include "gpu/status.h"
#include "gpu/voltage.h"
#include "sim_driver.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

class Gpu : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.ok()) << "the simulated driver is not installed in the system directory";
        DebugModeWarningArmed = 1;
        notices = 0;
        SetDebugModeNotice([] { ++notices; });
    }
    void TearDown() override { SetDebugModeNotice(nullptr); }

    static int notices;
    SimDriver sim;
};

int Gpu::notices = 0;

// ---------------------------------------------------------------- binding and board list

// Each identifier takes its own block type and nothing else.
template <std::uint32_t Id, class Block>
constexpr bool kTakes = requires(NvPhysicalGpuHandle gpu, Block* block) { nvapi::Call<Id>(gpu, block); };
static_assert(kTakes<NvId_GetPstates20, Pstates20Info>);
static_assert(!kTakes<NvId_GetPstates20, VoltageBoost>);
static_assert(!kTakes<NvId_GetPstates20, void>);
static_assert(kTakes<NvId_GetPowerPoliciesInfo, PowerPoliciesInfoAnyVersion>);
static_assert(!kTakes<NvId_GetPowerPoliciesInfo, PowerPoliciesInfoV1>);

TEST_F(Gpu, BoardsInTheDriversOrderOrdinaryBeforeTcc) {
    ASSERT_EQ(sim.Use("multi"), 3);
    EXPECT_EQ(BoardCount, 3u);
    // The scenario lists the TCC board first; ordinary boards keep their order.
    EXPECT_EQ(GpuGetPstateClock(0, kGraphicsDomain, 0, 3), 250);
    EXPECT_EQ(GpuGetPstateClock(1, kGraphicsDomain, 0, 3), 150);
    EXPECT_NE(BoardHandle(2), nullptr);
    EXPECT_EQ(GpuGetPstateClock(2, kGraphicsDomain, 0, 3), 0);  // the driver refuses TCC handles here

    ASSERT_EQ(sim.Use("tcc"), 2);
    EXPECT_EQ(GpuGetPstateClock(0, kGraphicsDomain, 0, 3), 250);
}

TEST_F(Gpu, WithoutBoardsEveryOperationFailsWithoutCallingTheDriver) {
    ASSERT_EQ(sim.Use("nodriver"), 0);
    EXPECT_EQ(BoardCount, 0u);
    struct Case {
        const char* name;
        std::function<int()> call;
        int failure;
    };
    const Case cases[] = {
        {"GpuGetBoostRange", [] { return GpuGetBoostRange(0, 0, 3); }, 0},
        {"GpuGetCurveOffset", [] { return GpuGetCurveOffset(0, 0); }, 0},
        {"GpuSetCurveOffset", [] { return GpuSetCurveOffset(0, 0, 10); }, 1},
        {"GpuGetPstateClock", [] { return GpuGetPstateClock(0, 0, 0, 3); }, 0},
        {"GpuSetClockOffset", [] { return GpuSetClockOffset(0, 0, 10); }, 0},
        {"GpuGetPerfLevelCount", [] { return GpuGetPerfLevelCount(0); }, 0},
        {"GpuGetPerfLevelClock", [] { return GpuGetPerfLevelClock(0, 0, 0, 0); }, 0},
        {"GpuSetPerfLevelClock", [] { return GpuSetPerfLevelClock(0, 0, 0, 400); }, 0},
        {"GpuGetPstateCount", [] { return GpuGetPstateCount(0); }, 0},
        {"GpuGetBoostRange, board -1", [] { return GpuGetBoostRange(-1, 0, 3); }, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(c.call(), c.failure) << c.name;
    EXPECT_EQ(sim.callCount(0), 0u) << "no driver call without boards";
}

TEST_F(Gpu, MissingLibraryAnswersMinusTwo) {
    RebindDriverLibraryForTesting(L"nvapi-not-installed.dll");
    EXPECT_EQ(nvapi::Call<NvId_Initialize>(), NvLibraryNotFound);
    EXPECT_EQ(GpuInitialize(), 0);
    RebindDriverLibraryForTesting(nullptr);
    SimDriver rebound;
    ASSERT_TRUE(rebound.ok());
    EXPECT_EQ(rebound.Use("curve"), 1);
}

TEST_F(Gpu, WithoutTheSearchFlagTheDriverIsLoadedByItsSystemPath) {
    // A system without the search-path update refuses the flag as an invalid parameter.
    static std::vector<std::wstring> asked;
    asked.clear();
    const DriverLibraryLoader previous =
        SetDriverLibraryLoaderForTesting([](const wchar_t* name, void* file, unsigned long flags) -> HINSTANCE__* {
            asked.push_back(name);
            if (flags & LOAD_LIBRARY_SEARCH_SYSTEM32) {
                ::SetLastError(ERROR_INVALID_PARAMETER);
                return nullptr;
            }
            return ::LoadLibraryExW(name, static_cast<HANDLE>(file), flags);
        });
    RebindDriverLibraryForTesting(nullptr);
    SimDriver driver;
    SetDriverLibraryLoaderForTesting(previous);
    EXPECT_TRUE(driver.ok());
    wchar_t system[MAX_PATH];
    ::GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"nvapi64.dll", std::wstring(system) + L"\\nvapi64.dll"}));
    EXPECT_EQ(driver.Use("curve"), 1);
    RebindDriverLibraryForTesting(nullptr);
}

TEST_F(Gpu, ALibraryPlantedBesideTheProgramIsIgnored) {
    // The build puts a decoy nvapi64.dll beside the test programs; it answers nothing.
    wchar_t exe[MAX_PATH], decoy[MAX_PATH], loaded[MAX_PATH], system[MAX_PATH];
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    *std::wcsrchr(exe, L'\\') = L'\0';
    std::swprintf(decoy, MAX_PATH, L"%ls\\nvapi64.dll", exe);
    ASSERT_NE(::GetFileAttributesW(decoy), INVALID_FILE_ATTRIBUTES) << "decoy missing";
    ASSERT_EQ(sim.Use("curve"), 1);
    ::GetModuleFileNameW(::GetModuleHandleW(L"nvapi64.dll"), loaded, MAX_PATH);
    ::GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(_wcsnicmp(loaded, system, std::wcslen(system)), 0) << "loaded from elsewhere";
}

TEST_F(Gpu, AFunctionTheDriverLacksFailsWithMinusThree) {
    ASSERT_EQ(sim.Use("perflevels"), 1);  // this driver has no curve functions
    ClockDomainsInfo info{};
    info.version = kClockDomainsInfoV1;
    EXPECT_EQ(nvapi::Call<NvId_GetClockDomainsInfo>(BoardHandle(0), &info), NvNoImplementation);
    EXPECT_EQ(GpuGetBoostRange(0, kGraphicsDomain, 3), 0);
    EXPECT_EQ(GpuClockMechanism(0, kGraphicsDomain), ClockMechanism::PerfLevels);
}

TEST_F(Gpu, TheSimulatedDriverRejectsWrongStructureVersions) {
    ASSERT_EQ(sim.Use("curve"), 1);
    const unsigned ids[] = {NvId_GetPstates20, NvId_SetPstates20, NvId_GetClockDomainsInfo, NvId_GetVfPointsMask,
                            NvId_GetVfPointsControl, NvId_SetVfPointsControl, NvId_GetPstatesInfo};
    for (unsigned id : ids) {
        std::vector<std::uint8_t> block(12000, 0);
        for (std::uint32_t word : {StructVersion(100, 1), StructVersion(7416, 9), kPstates20V1 + 4}) {
            *reinterpret_cast<std::uint32_t*>(block.data()) = word;
            EXPECT_EQ(RawDriverCall(id, BoardHandle(0), static_cast<void*>(block.data())), NvIncompatibleStructVersion)
                << std::hex << id << " word " << word;
        }
    }
}

// ---------------------------------------------------------------- structure versions

TEST_F(Gpu, MinusNineStepsDownAndTheOlderAnswerCounts) {
    ASSERT_EQ(sim.Use("fallback"), 1);
    EXPECT_EQ(GpuGetPstateClock(0, kGraphicsDomain, 0, 3), 250);
    EXPECT_EQ(sim.Versions(NvId_GetPstates20), (std::vector<unsigned>{kPstates20V3, kPstates20V1}));
    EXPECT_EQ(GpuGetPerfLevelCount(0), 2);
    EXPECT_EQ(GpuGetPerfLevelClock(0, kGraphicsDomain, 1, 0), 500);
    EXPECT_EQ(GpuGetPstateCount(0), 5);
    EXPECT_EQ(sim.Versions(NvId_GetPstatesInfo),
              (std::vector<unsigned>{kPstatesInfoV3, kPstatesInfoV2, kPstatesInfoV1}));

    // Any other status ends the attempt at once.
    sim.resetCounters();
    sim.injectFault(NvId_GetPstates20, NvNotSupported, 1);
    EXPECT_EQ(GpuGetPstateClock(0, kGraphicsDomain, 0, 3), 0);
    EXPECT_EQ(sim.callCount(NvId_GetPstates20), 1u);
}

TEST_F(Gpu, AMinusNineFromANewerDriverFallsBackToo) {
    ASSERT_EQ(sim.Use("curve"), 1);
    sim.injectFault(NvId_GetPstates20, NvIncompatibleStructVersion, 1);
    EXPECT_EQ(GpuGetPstateClock(0, kGraphicsDomain, 0, 3), 1000);
    EXPECT_EQ(sim.Versions(NvId_GetPstates20), (std::vector<unsigned>{kPstates20V3, kPstates20V1}));
}

// ---------------------------------------------------------------- Debug Mode

TEST_F(Gpu, DebugModeIsShownOncePerApplySequence) {
    ASSERT_EQ(sim.Use("debugmode"), 1);
    EXPECT_EQ(GpuSetClockOffset(0, kGraphicsDomain, 100), 0);
    EXPECT_EQ(GpuSetCurveOffset(0, 3, 100), 1);
    EXPECT_EQ(GpuSetClockOffset(0, kMemoryDomain, 100), 0);
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(DebugModeWarningArmed, 0);

    DebugModeWarningArmed = 1;  // the end of an apply sequence
    GpuSetClockOffset(0, kGraphicsDomain, 100);
    EXPECT_EQ(notices, 2);

    // Other refusals are silent.
    EXPECT_EQ(GpuCheckDebugMode(NvError), 0);
    EXPECT_EQ(GpuCheckDebugMode(NvOk), 0);
    EXPECT_EQ(GpuCheckStatus(NvOk), 0);
    EXPECT_EQ(GpuCheckStatus(NvInvalidArgument), 1);
    EXPECT_EQ(notices, 2);
}

// ---------------------------------------------------------------- voltage–frequency curve

TEST_F(Gpu, CurveRangesPerDomain) {
    ASSERT_EQ(sim.Use("curve"), 1);
    struct Case {
        int domain, field, expected;
    };
    const Case cases[] = {
        {kGraphicsDomain, 2, -200}, {kGraphicsDomain, 3, 1000}, {kGraphicsDomain, 6, 0}, {kGraphicsDomain, 7, 79},
        {kMemoryDomain, 2, -500},   {kMemoryDomain, 3, 1500},   {kMemoryDomain, 6, 80},  {kMemoryDomain, 7, 81},
        {7, 3, 0},                  {kGraphicsDomain, 5, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GpuGetBoostRange(0, c.domain, c.field), c.expected) << "domain " << c.domain << " field " << c.field;
    }
}

TEST_F(Gpu, CurvePointsWriteAndReadBack) {
    ASSERT_EQ(sim.Use("curve"), 1);
    EXPECT_EQ(GpuSetCurveOffset(0, 5, 120), 0);
    EXPECT_EQ(GpuGetCurveOffset(0, 5), 120);
    EXPECT_EQ(GpuGetCurveOffset(0, 6), 0);
    EXPECT_EQ(GpuSetCurveOffset(0, 5, -45), 0);
    EXPECT_EQ(GpuGetCurveOffset(0, 5), -45);
    EXPECT_EQ(GpuSetCurveOffset(0, 5, 5000), 1);  // outside the range: the driver refuses
    EXPECT_EQ(GpuGetCurveOffset(0, 5), -45);
}

TEST_F(Gpu, CurvePointsOutsideTheMaskNeverReachTheDriver) {
    ASSERT_EQ(sim.UseText("[board]\ncurve = 0, -100000, 100000, 0, 9\nunwritable_point = 4\n"), 1);
    for (int point : {10, 200, 255, 300, -1}) {
        EXPECT_EQ(GpuSetCurveOffset(0, point, 50), 1) << "point " << point;
    }
    EXPECT_EQ(sim.callCount(NvId_SetVfPointsControl), 0u);
    EXPECT_EQ(GpuSetCurveOffset(0, 3, 50), 0);
    EXPECT_EQ(GpuSetCurveOffset(0, 4, 50), 1);  // the driver refuses this one
    EXPECT_EQ(sim.callCount(NvId_SetVfPointsControl), 2u);
}

TEST_F(Gpu, MemoryCurvePointsAreWrittenAndReadBack) {
    ASSERT_EQ(sim.Use("curve"), 1);  // memory points 80 and 81
    // The driver marks memory-domain points in word 0 of their entries, as a real board does.
    VfPointsMask mask{};
    mask.version = kVfPointsMaskV1;
    ASSERT_EQ(nvapi::Call<NvId_GetVfPointsMask>(BoardHandle(0), &mask), NvOk);
    EXPECT_EQ(mask.entries[80].memoryDomain, 1u);
    EXPECT_EQ(mask.entries[79].memoryDomain, 0u);

    GpuApplyClock(0, kMemoryDomain, 0, 300);
    EXPECT_EQ(sim.callCount(NvId_SetVfPointsControl), 2u);
    EXPECT_EQ(GpuGetCurveOffset(0, 80), 300);
    EXPECT_EQ(GpuGetClockSetting(0, kMemoryDomain, 0).current, 300);
    EXPECT_EQ(GpuGetCurveOffset(0, 79), 0);  // graphics untouched
}

TEST_F(Gpu, CurvePointOffsetsFallBackToVersionOne) {
    ASSERT_EQ(sim.UseText("max_version = 0x23F1B133, 1\nmax_version = 0x0733E009, 1\n"
                          "[board]\ncurve = 0, -100000, 100000, 0, 9\n"),
              1);
    EXPECT_EQ(GpuSetCurveOffset(0, 5, 40), 0);
    EXPECT_EQ(GpuGetCurveOffset(0, 5), 40);
    EXPECT_EQ(sim.Versions(NvId_SetVfPointsControl), std::vector<unsigned>{kVfPointsControlV1});
    EXPECT_EQ(sim.Versions(NvId_GetVfPointsControl).front(), kVfPointsControlV2);
    EXPECT_EQ(sim.Versions(NvId_GetVfPointsControl).back(), kVfPointsControlV1);
}

// ---------------------------------------------------------------- performance states 2.0

TEST_F(Gpu, PstateClockFields) {
    ASSERT_EQ(sim.Use("pstates20"), 1);
    struct Case {
        int domain, field, expected;
    };
    const Case cases[] = {
        {kGraphicsDomain, 0, 0},    {kGraphicsDomain, 2, -250}, {kGraphicsDomain, 3, 250},
        {kGraphicsDomain, 8, 540},  {kGraphicsDomain, 9, 1911},  // range: minimum and maximum
        {kMemoryDomain, 8, 3505},   {kMemoryDomain, 9, 3505},    // single: the frequency twice
        {kMemoryDomain, 3, 1000},   {7, 3, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GpuGetPstateClock(0, c.domain, 0, c.field), c.expected) << "domain " << c.domain << " field " << c.field;
    }
}

TEST_F(Gpu, PstateClocksOfANonEditableTableAreAllZero) {
    ASSERT_EQ(sim.Use("perflevels"), 1);
    for (int field : {0, 2, 3, 8, 9}) EXPECT_EQ(GpuGetPstateClock(0, kGraphicsDomain, 0, field), 0) << field;
}

TEST_F(Gpu, ClockOffsetWriteReadsBack) {
    ASSERT_EQ(sim.Use("pstates20"), 1);
    EXPECT_EQ(GpuSetClockOffset(0, kGraphicsDomain, 100), 100);
    EXPECT_EQ(GpuSetClockOffset(0, kMemoryDomain, -200), -200);
    EXPECT_EQ(GpuGetPstateClock(0, kGraphicsDomain, 0, 0), 100);
    EXPECT_EQ(GpuSetClockOffset(0, kGraphicsDomain, 900), 0);  // refused: outside the range
    EXPECT_EQ(GpuGetPstateClock(0, kGraphicsDomain, 0, 0), 100);
    EXPECT_EQ(sim.Versions(NvId_SetPstates20), (std::vector<unsigned>{kPstates20V1, kPstates20V1, kPstates20V1}));
}

// ---------------------------------------------------------------- performance levels

TEST_F(Gpu, PerfLevelsReadWriteAndFields) {
    ASSERT_EQ(sim.Use("perflevels"), 1);
    EXPECT_EQ(GpuGetPerfLevelCount(0), 3);
    EXPECT_EQ(GpuGetPerfLevelClock(0, kGraphicsDomain, 1, 0), 405);
    EXPECT_EQ(GpuGetPerfLevelClock(0, kGraphicsDomain, 1, 1), 405);
    EXPECT_EQ(GpuGetPerfLevelClock(0, kGraphicsDomain, 1, 2), 300);
    EXPECT_EQ(GpuGetPerfLevelClock(0, kGraphicsDomain, 1, 3), 500);
    EXPECT_EQ(GpuGetPerfLevelClock(0, kMemoryDomain, 2, 0), 900);
    EXPECT_EQ(GpuGetPerfLevelClock(0, kGraphicsDomain, 3, 0), 0);  // no such level
    EXPECT_EQ(GpuGetPerfLevelClock(0, 7, 1, 0), 0);                // no such domain

    EXPECT_EQ(GpuSetPerfLevelClock(0, kGraphicsDomain, 1, 450), 450);
    EXPECT_EQ(GpuGetPerfLevelClock(0, kGraphicsDomain, 1, 1), 405);  // the default stays
    EXPECT_EQ(GpuSetPerfLevelClock(0, kGraphicsDomain, 1, 999), 0);  // outside the level's range
    EXPECT_EQ(GpuGetPerfLevelClock(0, kGraphicsDomain, 1, 0), 450);
}

TEST_F(Gpu, LevelToPstateTable) {
    struct Case {
        const char* scenario;
        std::vector<int> pstates;  // positions 0, 1, 2, ...
    };
    const Case cases[] = {
        {"perflevels1", {0, 0, 0, 0}},
        {"perflevels2", {12, 0, 0, 0}},
        {"perflevels", {12, 8, 0, 0}},
        {"perflevels4", {12, 8, 3, 0, 0}},
        {"perflevels5", {12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0}},
        {"pstates20", {12, 11, 10, 9}},  // no levels at all: the last row
    };
    for (const Case& c : cases) {
        ASSERT_EQ(sim.Use(c.scenario), 1);
        for (std::size_t position = 0; position < c.pstates.size(); ++position) {
            EXPECT_EQ(GpuPerfLevelPstate(0, static_cast<int>(position)), c.pstates[position])
                << c.scenario << " position " << position;
        }
    }
}

TEST_F(Gpu, PstateCount) {
    ASSERT_EQ(sim.Use("pstates20"), 1);
    EXPECT_EQ(GpuGetPstateCount(0), 3);
    sim.injectFault(NvId_GetPstatesInfo, NvError, 1);
    EXPECT_EQ(GpuGetPstateCount(0), 0);
}

TEST_F(Gpu, PstateInformationThroughThePublishedReadWhereTheOtherIsAbsent) {
    RebindDriverLibraryForTesting(nullptr);  // forget the functions found for earlier scenarios
    SimDriver driver;
    ASSERT_EQ(driver.UseText("absent = 0xBA94C56E\n[board]\npstate_count = 3\npstate_voltage = 0, 1000\n"), 1);
    EXPECT_EQ(GpuGetPstateCount(0), 3);
    EXPECT_EQ(GpuGetPstateVoltage(0, 0), 1000);
    EXPECT_EQ(driver.callCount(NvId_GetPstatesInfoEx), 2u);
    EXPECT_EQ(driver.callCount(NvId_GetPstatesInfo), 0u);  // the driver has no such function
    RebindDriverLibraryForTesting(nullptr);
    SimDriver usual;
    ASSERT_EQ(usual.Use("perflevels"), 1);  // where it exists, the usual read
    EXPECT_EQ(GpuGetPstateCount(0), 3);
    EXPECT_EQ(usual.callCount(NvId_GetPstatesInfoEx), 0u);
}

// ---------------------------------------------------------------- choosing the mechanism

TEST_F(Gpu, MechanismPerBoardAndDomain) {
    struct Case {
        const char* scenario;
        int domain;
        ClockMechanism mechanism;
        ClockSetting expected;
    };
    const Case cases[] = {
        {"curve", kGraphicsDomain, ClockMechanism::Curve, {ClockMechanism::Curve, -200, 1000, 0}},
        {"curve", kMemoryDomain, ClockMechanism::Curve, {ClockMechanism::Curve, -500, 1500, 0}},
        {"pstates20", kGraphicsDomain, ClockMechanism::Pstates20, {ClockMechanism::Pstates20, -250, 250, 0}},
        {"perflevels", kGraphicsDomain, ClockMechanism::PerfLevels, {ClockMechanism::PerfLevels, 300, 500, 405}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(sim.Use(c.scenario), 1);
        const ClockSetting s = GpuGetClockSetting(0, c.domain, 1);
        EXPECT_EQ(s.mechanism, c.mechanism) << c.scenario;
        EXPECT_EQ(s.minimum, c.expected.minimum) << c.scenario;
        EXPECT_EQ(s.maximum, c.expected.maximum) << c.scenario;
        EXPECT_EQ(s.current, c.expected.current) << c.scenario;
    }
}

TEST_F(Gpu, ACurveReportingNoHeadroomFallsToPstates20) {
    ASSERT_EQ(sim.UseText("[board]\ncurve = 0, -100000, 0, 0, 9\n"
                          "pstate20_clock = 0, 0, 1, -250000, 250000, 540000, 1911000\n"),
              1);
    EXPECT_EQ(GpuClockMechanism(0, kGraphicsDomain), ClockMechanism::Pstates20);
}

TEST_F(Gpu, ApplyingWritesOnlyWhatDiffers) {
    ASSERT_EQ(sim.Use("curve"), 1);
    GpuApplyClock(0, kGraphicsDomain, 0, 150);
    EXPECT_EQ(sim.callCount(NvId_SetVfPointsControl), 80u);  // points 0 to 79
    EXPECT_EQ(GpuGetClockSetting(0, kGraphicsDomain, 0).current, 150);
    EXPECT_EQ(GpuGetCurveOffset(0, 0), 150);
    EXPECT_EQ(GpuGetCurveOffset(0, 80), 0);  // memory untouched
    sim.resetCounters();
    GpuApplyClock(0, kGraphicsDomain, 0, 150);
    EXPECT_EQ(sim.callCount(NvId_SetVfPointsControl), 0u);

    ASSERT_EQ(sim.Use("pstates20"), 1);
    GpuApplyClock(0, kMemoryDomain, 0, 300);
    GpuApplyClock(0, kMemoryDomain, 0, 300);
    EXPECT_EQ(sim.callCount(NvId_SetPstates20), 1u);
    EXPECT_EQ(GpuGetPstateClock(0, kMemoryDomain, 0, 0), 300);

    ASSERT_EQ(sim.Use("perflevels"), 1);
    GpuApplyClock(0, kMemoryDomain, 2, 1000);
    EXPECT_EQ(GpuGetPerfLevelClock(0, kMemoryDomain, 2, 0), 1000);
}

// ---------------------------------------------------------------- what a driver cannot make us do

TEST_F(Gpu, OversizedCountsStayInsideTheStructures) {
    ASSERT_EQ(sim.Use("oversize"), 1);
    // Read up to 16 pstates of 8 clocks: the zeroed entries past the real one look
    // like P0 graphics entries and, last match winning, give 0.
    EXPECT_EQ(GpuGetPstateClock(0, kGraphicsDomain, 0, 3), 0);
    EXPECT_EQ(GpuGetPerfLevelCount(0), 12);
    EXPECT_EQ(GpuGetPerfLevelClock(0, kGraphicsDomain, 0, 0), 300);
    EXPECT_EQ(GpuGetPerfLevelClock(0, kGraphicsDomain, 11, 0), 0);
    EXPECT_EQ(GpuGetPstateCount(0), 16);
    EXPECT_EQ(GpuGetBoostRange(0, kGraphicsDomain, 7), 255);
    EXPECT_EQ(GpuSetCurveOffset(0, 254, 10), 0);
    EXPECT_EQ(GpuGetCurveOffset(0, 254), 10);
    EXPECT_EQ(GpuSetCurveOffset(0, 255, 10), 1);  // past the point table
    GpuApplyClock(0, kGraphicsDomain, 0, 20);     // points 200 to 255: the last is skipped
    EXPECT_EQ(GpuGetCurveOffset(0, 200), 20);
}

TEST_F(Gpu, WrittenStateOutlivesTheDriverSession) {
    wchar_t directory[MAX_PATH], file[MAX_PATH];
    ::GetTempPathW(MAX_PATH, directory);
    ::GetTempFileNameW(directory, L"sim", 0, file);
    sim.setStatePath(file);
    ASSERT_EQ(sim.Use("pstates20"), 1);
    EXPECT_EQ(GpuSetClockOffset(0, kGraphicsDomain, 120), 120);
    long long value = 0;
    EXPECT_TRUE(sim.stateValue("b0.p20.0.0", &value));
    EXPECT_EQ(value, 120000);

    ASSERT_EQ(sim.Use("pstates20"), 1);  // as a new process would
    EXPECT_EQ(GpuGetPstateClock(0, kGraphicsDomain, 0, 0), 120);
    ASSERT_EQ(sim.Use("curve"), 1);  // another scenario does not take it over
    EXPECT_EQ(GpuGetPstateClock(0, kGraphicsDomain, 0, 0), 0);

    sim.setStatePath(nullptr);
    ::DeleteFileW(file);
}

}  // namespace
