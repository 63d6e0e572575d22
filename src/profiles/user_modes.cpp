#include "user_modes.h"

#include "framework/text.h"
#include "gpu/board_list.h"
#include "gpu/clock_mechanism.h"
#include "gpu/clocks.h"
#include "gpu/fans.h"
#include "gpu/power_thermal.h"
#include "gpu/status.h"
#include "gpu/voltage.h"
#include "profiles/board_features.h"
#include "profiles/builtin_modes.h"
#include "profiles/settings_store.h"

#include <algorithm>
#include <string>

namespace {

// Names of the clock fields per domain, in the order of the levels L, L-1, L-2, L-3.
struct ClockNames {
    int domain;
    const wchar_t* curve;   // voltage-frequency: the last point's offset
    const wchar_t* pstate;  // pstates 2.0: the P0 offset
    const wchar_t* levels[4];
};
constexpr ClockNames kClocks[] = {
    {kGraphicsDomain, L"CClkDelta2", L"CClkDelta", {L"CClk", L"CClkL3D", L"CClkVD", L"CClk2D"}},
    {kMemoryDomain, L"MClkDelta2", L"MClkDelta", {L"MClk", L"MClkL3D", L"MClkVD", L"MClk2D"}},
};

enum class Direction { IntoSlot, OutOfSlot };

class Slot {
public:
    Slot(int board, int slot) : m_board(board), m_slot(slot) {}

    void Write(const wchar_t* field, int value, int point = 0) {
        wchar_t text[16];
        FormatText(text, L"%d", value);
        WriteBoardString(m_board, Name(field, point), text);
    }
    // The slot's value, or false when it is absent.
    bool Read(const wchar_t* field, int& value, int point = 0) const {
        wchar_t text[35];
        if (!ReadBoardText(m_board, Name(field, point), text)) return false;
        value = ParseSettingText(text);
        return true;
    }
    // Copies a board value into the slot or back, text for text, when the source exists
    // (and reads as non-zero when `nonZero`).
    void Copy(Direction direction, const wchar_t* boardName, const wchar_t* field, bool nonZero, int point = 0) {
        const wchar_t* slotName = Name(field, point);
        const bool intoSlot = direction == Direction::IntoSlot;
        wchar_t text[35];
        if (ReadBoardText(m_board, intoSlot ? boardName : slotName, text) && !(nonZero && ParseSettingText(text) == 0)) {
            WriteBoardString(m_board, intoSlot ? slotName : boardName, text);
        }
    }

private:
    const wchar_t* Name(const wchar_t* field, int point) const { return SlotValueName(m_slot, field, m_name, point); }
    int m_board;
    int m_slot;
    mutable wchar_t m_name[48] = {};
};

// The fan curve points and modes that a slot copies, for both fans.
struct FanCopy {
    const wchar_t* mode;
    const wchar_t* point;  // "%d" takes the point number
    const wchar_t* slotMode;
    const wchar_t* slotPoint;
};
constexpr FanCopy kFanCopies[] = {
    {setting::FanCtrlMode, setting::FanCrvPt, L"FanCtrlMode", L"FanCrvPt%d"},
    {setting::Fan2CtrlMode, setting::Fan2CrvPt, L"Fan2CtrlMode", L"Fan2CrvPt%d"},
};

// Both fans' modes and curve points (a point only when it is not 0).
void CopyFanValues(Slot& slot, Direction direction) {
    for (const FanCopy& fan : kFanCopies) {
        slot.Copy(direction, fan.mode, fan.slotMode, false);
        for (int point = 1; point <= 4; ++point) {
            wchar_t boardName[32];
            FormatText(boardName, fan.point, point);
            slot.Copy(direction, boardName, fan.slotPoint, true, point);
        }
    }
}

void CopyLedValues(Slot& slot, Direction direction) {
    slot.Copy(direction, setting::LedCtrlMode, L"LedCtrlMode", false);
    slot.Copy(direction, setting::LedCtrlColor, L"LedCtrlColor", false);
}

void WriteActiveSlot(int board, int slot) { WriteBoardUnsigned(board, setting::UserModeActive, static_cast<unsigned long>(slot)); }

void SaveFan(int board, Slot& slot, int selector, const wchar_t* field) {
    slot.Write(field, GpuGetFanMode(board, selector, 0) == 1 ? GpuGetFan(board, selector, 0) : 0);
}

void ApplyFan(int board, const Slot& slot, int selector, const wchar_t* field) {
    int level = 0;
    if (!slot.Read(field, level)) return;
    const int minimum = GpuGetFan(board, selector, 2);
    if (level != 0) {
        GpuSetFan(board, 1, selector, std::clamp(level, minimum, std::max(minimum, GpuGetFan(board, selector, 3))));
    } else {
        GpuSetFan(board, 0, selector, minimum);
    }
}

void SaveClock(int board, Slot& slot, const ClockNames& names, int top) {
    switch (GpuClockMechanism(board, names.domain)) {
    case ClockMechanism::Curve:
        slot.Write(names.curve, GpuGetCurveOffset(board, GpuGetBoostRange(board, names.domain, 7)));
        break;
    case ClockMechanism::Pstates20: slot.Write(names.pstate, GpuGetPstateClock(board, names.domain, 0, 0)); break;
    case ClockMechanism::PerfLevels:
        for (int step = 0; step < 4; ++step) {
            if (!ModeLevelKept(step, top)) continue;
            const int level = top - step;
            slot.Write(names.levels[step], level >= 0 ? GpuGetPerfLevelClock(board, names.domain, level, 0) : 0);
        }
        break;
    }
}

void ApplyClock(int board, const Slot& slot, const ClockNames& names, int top) {
    int mhz = 0;
    switch (GpuClockMechanism(board, names.domain)) {
    case ClockMechanism::Curve:
        if (slot.Read(names.curve, mhz)) GpuSetDomainCurveOffset(board, names.domain, mhz, CurvePoints::Every);
        break;
    case ClockMechanism::Pstates20:
        if (slot.Read(names.pstate, mhz)) GpuSetClockOffset(board, names.domain, mhz);
        break;
    case ClockMechanism::PerfLevels:
        for (int step = 0; step < 4; ++step) {
            const int level = top - step;
            // A slot saved on a board with more levels names none below the first here.
            if (ModeLevelKept(step, top) && level >= 0 && slot.Read(names.levels[step], mhz) && mhz > 0) {
                GpuSetPerfLevelClock(board, names.domain, level, mhz);
            }
        }
        break;
    }
}

}  // namespace

int ModeTopLevel(int board) { return std::max(GpuGetPstateCount(board) - 1, 0); }

bool ModeLevelKept(int step, int top) {
    static constexpr int kAbove[] = {-1, 1, 2, 0};
    return step >= 0 && step < 4 && top > kAbove[step];
}

const wchar_t* SlotValueName(int slot, const wchar_t* field, wchar_t (&name)[48], int point) {
    wchar_t fieldText[24];
    FormatText(fieldText, field, point);
    FormatText(name, L"UserMode%d%s", slot, fieldText);
    return name;
}

void SaveUserMode(int slot) {
    const int board = SelectedBoard;
    const int top = ModeTopLevel(board);
    WriteActiveSlot(board, slot);
    Slot mode(board, slot);
    SaveFan(board, mode, kFanFirst, L"FS");
    if (GpuGetFanMode(board, kFanGeneric, 10) > 1) SaveFan(board, mode, kFanSecond, L"FS2");
    for (const ClockNames& names : kClocks) SaveClock(board, mode, names, top);

    const int boost = GpuGetVoltageBoost(board);
    if (boost >= 0) {
        mode.Write(L"CVoltPct", boost);
    } else if (GpuGetBaseVoltageDelta(board, 3) != 0) {
        mode.Write(L"CVolt", GpuGetBaseVoltageDelta(board, 0));
    }
    if (GpuGetPowerLimitInfo(board, 1) > 0) mode.Write(L"PowerLimit", GpuGetPowerTarget(board));
    if (const int target = GpuGetTempTarget(board); target > 0) {
        mode.Write(L"GPUTempTarget", target);
        mode.Write(L"GPUTempPriority", GpuGetTempPriority(board));
    }
    if (GpuGetOverVoltage(board, 3) > 0) mode.Write(L"GPUMaxVolt", GpuGetOverVoltage(board, 0));

    RefreshBoardFeatures();
    if (BoardFeatures & feature::AnySwitch) {
        wchar_t name[48];
        WriteBoardUnsigned(board, SlotValueName(slot, L"MasterMode", name), BoardFeatures);
    }
    CopyFanValues(mode, Direction::IntoSlot);
    CopyLedValues(mode, Direction::IntoSlot);
}

void ApplyMode(ModeHost& host, int board, int slot) {
    const int top = ModeTopLevel(board);
    WriteActiveSlot(board, slot);
    Slot mode(board, slot);
    ApplyFan(board, mode, kFanFirst, L"FS");
    if (GpuGetFanMode(board, kFanGeneric, 10) > 1) ApplyFan(board, mode, kFanSecond, L"FS2");
    for (const ClockNames& names : kClocks) ApplyClock(board, mode, names, top);

    int value = 0;
    if (GpuGetVoltageBoost(board) >= 0) {
        if (mode.Read(L"CVoltPct", value)) GpuSetVoltageBoost(board, value);
    } else if (GpuGetBaseVoltageDelta(board, 3) != 0) {
        if (mode.Read(L"CVolt", value)) GpuSetBaseVoltageDelta(board, value);
    }
    if (GpuGetPowerLimitInfo(board, 1) > 0 && mode.Read(L"PowerLimit", value) && value > 0) {
        GpuSetPowerTarget(board, value);
    }
    if (GpuGetTempTarget(board) > 0) {
        if (mode.Read(L"GPUTempTarget", value) && value > 0) GpuSetTempTarget(board, value);
        if (mode.Read(L"GPUTempPriority", value)) GpuSetTempPriority(board, value);
    }
    if (GpuGetOverVoltage(board, 3) >= 1 && mode.Read(L"GPUMaxVolt", value) && value > 0) {
        GpuSetOverVoltage(board, value);
    }

    // The feature word and the switches work on the selected board: for another board
    // (the start-up restore) it is selected for this step only.
    const int selected = SelectedBoard;
    SelectedBoard = board;
    RefreshBoardFeatures();
    if (BoardFeatures & feature::AnySwitch) {
        std::uint32_t features = BoardFeatures;
        if (mode.Read(L"MasterMode", value) && value > 0) features = static_cast<std::uint32_t>(value);
        ApplyFeatureSwitches(features);
    }
    if (selected != board) {
        SelectedBoard = selected;
        RefreshBoardFeatures();
    }

    CopyFanValues(mode, Direction::OutOfSlot);
    ApplyFanModes(host, true);
    CopyLedValues(mode, Direction::OutOfSlot);
    ApplyLedSettings(host, true);
    // One sample for the fan, clock and other read-outs, after everything is applied.
    host.RefreshReadouts();
    DebugModeWarningArmed = 1;
}

int PressSlotButton(ModeHost& host, int slot, bool saveArmed, bool nowChecked) {
    if (saveArmed) {
        SaveUserMode(slot);
        return slot;
    }
    if (nowChecked) {
        ApplyMode(host, SelectedBoard, slot);
        return slot;
    }
    WriteActiveSlot(SelectedBoard, 0);
    return 0;
}
