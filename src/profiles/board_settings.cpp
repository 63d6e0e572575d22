#include "board_settings.h"

#include "profiles/settings_store.h"

namespace {

// The selector whose curve values a fan group uses: 2 for the first group, 1 for the second.
constexpr int kGroupSelector[2] = {2, 1};
constexpr const wchar_t* kModeNames[2] = {setting::FanCtrlMode, setting::Fan2CtrlMode};

// The LED values with their fields, in one place for loading and saving.
template <class Settings, class Visit>
void ForEachLedValue(Settings& s, Visit visit) {
    visit(setting::LedCtrlColor, s.colour);
    visit(setting::LedCtrlNvColor, s.nvColour);
    visit(setting::LedCtrlBreathColor, s.breathColour);
    visit(setting::LedCtrlBreathColorB, s.breathColourB);
    visit(setting::LedCtrlBreathSpeed, s.breathSpeed);
    visit(setting::LedCtrlCycleSpeed, s.cycleSpeed);
    visit(setting::LedCtrlCycleDirection, s.cycleDirection);
    visit(setting::LedCtrlStrobeColor, s.strobeColour);
    visit(setting::LedCtrlStrobeSpeed, s.strobeSpeed);
    visit(setting::LedCtrlStrobeDirection, s.strobeDirection);
}

}  // namespace

FanSettings FanSettings::Load(int board) {
    FanSettings s;
    for (int group = 0; group < 2; ++group) {
        s.mode[group] = ReadBoardInt(board, kModeNames[group]);
        for (int i = 0; i < 4; ++i) {
            Point& p = s.curve[group][i];
            p.stored = ReadFanCurvePoint(board, kGroupSelector[group], i + 1, p.x, p.y);
        }
    }
    return s;
}

void FanSettings::Save(int board) const {
    for (int group = 0; group < 2; ++group) {
        WriteBoardUnsigned(board, kModeNames[group], static_cast<unsigned long>(mode[group]));
        for (int i = 0; i < 4; ++i) {
            const Point& p = curve[group][i];
            if (p.stored) WriteFanCurvePoint(board, kGroupSelector[group], i + 1, p.x, p.y);
        }
    }
}

LedSettings LedSettings::Load(int board) {
    LedSettings s;
    s.mode = ReadBoardInt(board, setting::LedCtrlMode);
    ForEachLedValue(s, [board](const wchar_t* name, unsigned long& value) {
        value = static_cast<unsigned long>(ReadBoardInt(board, name));
    });
    return s;
}

void LedSettings::Save(int board) const {
    WriteBoardUnsigned(board, setting::LedCtrlMode, static_cast<unsigned long>(mode));
    ForEachLedValue(*this, [board](const wchar_t* name, const unsigned long& value) {
        WriteBoardUnsigned(board, name, value);
    });
}

OverclockSwitches OverclockSwitches::Load(int board) {
    return {ReadBoardInt(board, setting::Linked, 1) != 0, ReadBoardInt(board, setting::Overvoltaged, 0) >= 1};
}

void OverclockSwitches::Save(int board) const {
    WriteBoardUnsigned(board, setting::Linked, linked ? 1 : 0);
    WriteBoardUnsigned(board, setting::Overvoltaged, overvoltaged ? 1 : 0);
}
