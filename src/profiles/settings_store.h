// The settings store: program-wide values in the product key and per-board values in
// a key per board, all in the current user's registry (32-bit view), every value a
// decimal number stored as REG_SZ text.
#pragma once

#include <windows.h>

// Value names and their defaults, one table for every caller.
namespace setting {
// Program-wide (product key).
constexpr const wchar_t* Interval = L"Interval";
constexpr const wchar_t* ToolTips = L"ToolTips";
constexpr const wchar_t* MeterMode = L"MeterMode";
constexpr const wchar_t* Tellix = L"TELLIX";
constexpr const wchar_t* TemperatureUnit = L"TemperatureUnit";
constexpr const wchar_t* BaseMode = L"BaseMode";
constexpr const wchar_t* BoostMode = L"BoostMode";
constexpr const wchar_t* QuitState = L"QuitState";
constexpr const wchar_t* TaskIcon = L"TaskIcon";
constexpr const wchar_t* DisableMeter = L"DisableMeter";
constexpr const wchar_t* GpuMaxVoltage = L"GPUMaxVoltage";
constexpr const wchar_t* MasterDefCoreOv = L"MasterDefCoreOV";
constexpr const wchar_t* RestorePending = L"RestorePending";  // 1 from a start-up restore until it has run 60 s
// Per board (board key).
constexpr const wchar_t* UserModeActive = L"UserModeActive";
constexpr const wchar_t* Linked = L"Linked";
constexpr const wchar_t* Overvoltaged = L"Overvoltaged";
constexpr const wchar_t* FanCtrlMode = L"FanCtrlMode";
constexpr const wchar_t* Fan2CtrlMode = L"Fan2CtrlMode";
constexpr const wchar_t* FanCrvPt = L"FanCrvPt%d";    // 1 to 4
constexpr const wchar_t* Fan2CrvPt = L"Fan2CrvPt%d";  // 1 to 4
constexpr const wchar_t* LedCtrlMode = L"LedCtrlMode";
constexpr const wchar_t* LedCtrlColor = L"LedCtrlColor";
constexpr const wchar_t* LedCtrlNvColor = L"LedCtrlNVColor";
constexpr const wchar_t* LedCtrlBreathColor = L"LedCtrlBreathColor";
constexpr const wchar_t* LedCtrlBreathColorB = L"LedCtrlBreathColorB";
constexpr const wchar_t* LedCtrlBreathSpeed = L"LedCtrlBreathSpeed";
constexpr const wchar_t* LedCtrlCycleSpeed = L"LedCtrlCycleSpeed";
constexpr const wchar_t* LedCtrlCycleDirection = L"LedCtrlCycleDirection";
constexpr const wchar_t* LedCtrlStrobeColor = L"LedCtrlStrobeColor";
constexpr const wchar_t* LedCtrlStrobeSpeed = L"LedCtrlStrobeSpeed";
constexpr const wchar_t* LedCtrlStrobeDirection = L"LedCtrlStrobeDirection";
}  // namespace setting

// The default a value reads as when it cannot be read (0 for names without one).
int SettingDefault(const wchar_t* name);

// ---- keys (each opened afresh; the caller closes what it gets)
// On entry `key` is an open HKEY_CURRENT_USER\Software; on success it is replaced by
// the product key (the Software handle is closed). 0 on success, 1 on failure.
int OpenProductKey(HKEY* key);
// The key of a board: product key \ "%04X%04X%04X%04X" of its PCI identifiers \ index.
int OpenBoardKey(int board, HKEY* key);

// ---- writers: 0 on success, 1 on failure
int WriteBoardString(int board, const wchar_t* name, const wchar_t* text);
int WriteBoardUnsigned(int board, const wchar_t* name, unsigned long value);
int WriteSelectedBoardInt(const wchar_t* name, int value);
int WriteProductString(const wchar_t* name, const wchar_t* text);
int WriteProductInt(const wchar_t* name, int value);

// ---- readers: the value's text as a decimal number, or its default when it cannot be read
int ReadProductInt(const wchar_t* name);
int ReadBoardInt(int board, const wchar_t* name);
// For names outside the table (mode fields): the caller's default.
int ReadBoardInt(int board, const wchar_t* name, int defaultValue);
// The stored text itself (at most 16 characters), for copies made text for text; false
// when the value is missing or not text.
bool ReadBoardText(int board, const wchar_t* name, wchar_t (&text)[35]);

// The base-10 reading of a stored text: leading blanks and a sign allowed, stops at
// the first non-digit; 0 without digits.
int ParseSettingText(const wchar_t* text);

// ---- values with a meaning of their own
// Monitoring interval in seconds: "Interval" below 1 (or missing) means 3; at most 99.
int MonitoringIntervalSeconds();

// Fan curve points: temperature position x and fan level y (0–100) as "%010d" of
// x * 10000000 + y * 100. `index` is 1 to 4; selector 1 uses "Fan2CrvPt%d", others "FanCrvPt%d".
int WriteFanCurvePoint(int board, int selector, int index, int x, int y);
// The stored point, or false when it is missing or reads as 0 (the caller's default).
bool ReadFanCurvePoint(int board, int selector, int index, int& x, int& y);
