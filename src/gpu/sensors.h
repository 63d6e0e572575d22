// Read-only queries behind every display: temperature, loads, fan speed, power
// draw, clocks, voltages and the board's identity. Failure values: 0 (or -1 where said).
#pragma once

#include <cstdint>

// Clock types of the clock frequency query.
constexpr int kClockCurrent = 0;
constexpr int kClockBase = 1;
constexpr int kClockBoost = 2;

// ---- on a board index
// Sensor 0: field 2 default minimum, 3 default maximum, any other the current °C.
int GpuGetTemperature(int board, int ignored, int field);
// The current temperature; false (and `celsius` untouched) when the driver gives none.
bool GpuReadTemperature(int board, int& celsius);
// which 0: graphics engine, 1: frame buffer; percent, or -1 when not present.
int GpuGetUsage(int board, int which);
int GpuGetFanRpm(int board);
// Power draw in percent of the default limit (channel 0).
int GpuGetPowerDraw(int board);
// Device (vendor low, device high) and subsystem identifiers; false on failure.
bool GpuGetPciIds(int board, std::uint32_t& device, std::uint32_t& subsystem);
struct CoreCounts {
    int shaderPipes;
    int shaderSubPipes;
    int cores;
};
CoreCounts GpuGetCoreCounts(int board);
int GpuGetMemoryBusWidth(int board);
int GpuGetMemoryType(int board);
// The name the information window shows for a memory type code.
const wchar_t* MemoryTypeName(int code);
// VBIOS revision and OEM revision (0 when unreadable); false when the revision fails.
bool GpuGetVbiosVersion(int board, std::uint32_t& revision, std::uint32_t& oemRevision);
int GpuGetIrq(int board);
// Bus type (3 = PCI Express, with `lanes` set); 0 on failure.
int GpuGetBusType(int board, int& lanes);

// ---- on the selected board
int GpuGetClockFrequency(int domain, int clockType);
int GpuGetCurrentPstate();
int GpuGetPstateFrequency(int pstate, int domain);
int GpuGetCoreVoltage();
int GpuGetRailVoltage();
int GpuGetMemorySizeMB();
// The board's name into `text` (UTF-16, cut to `size`); 1 on success.
int GpuGetFullName(wchar_t* text, int size);

// A base or boost clock with the user's offset added, unless `asDriverGives`
// (registry "BaseMode"/"BoostMode" = 1) says the driver's value already holds it.
int GpuGetClockWithOffset(int domain, int clockType, bool asDriverGives);
// A domain's base and boost clocks so, the user's offset read once for both.
struct NominalClocks {
    int base;
    int boost;
};
NominalClocks GpuGetNominalClocks(int domain, bool baseAsDriverGives, bool boostAsDriverGives);
// Core voltage for display: core voltage status, else the rail, else the current pstate's.
int GpuGetDisplayCoreVoltage();

// ---- without a board
std::uint32_t GpuGetDriverVersion();
