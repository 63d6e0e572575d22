// Clock offsets and performance states: the voltage–frequency curve, performance
// states 2.0 and the older performance levels. Clocks in MHz, domains 0 (graphics)
// and 4 (memory).
#pragma once

constexpr int kGraphicsDomain = 0;
constexpr int kMemoryDomain = 4;

// Voltage–frequency curve. Fields: 2 minimum offset, 3 maximum offset (MHz),
// 6 first point, 7 last point of the domain. 0 when unknown.
int GpuGetBoostRange(int board, int domain, int field);
// The offset of one point in MHz, 0 when unknown.
int GpuGetCurveOffset(int board, int point);
// Sets one point's offset. 0 on success, 1 on failure (note the sense).
int GpuSetCurveOffset(int board, int point, int mhz);
// One offset on every point of a domain's curve: every point written, or only the
// points that carry another offset.
enum class CurvePoints { Every, Changed };
void GpuSetDomainCurveOffset(int board, int domain, int mhz, CurvePoints which);

// Performance states 2.0, P0. Fields: 0 offset, 2 offset minimum, 3 offset maximum,
// 8 frequency (range: minimum), 9 frequency (range: maximum). 0 when unknown.
int GpuGetPstateClock(int board, int domain, int ignored, int field);
// Sets the P0 offset of a domain; returns the offset now in effect, 0 on failure.
int GpuSetClockOffset(int board, int domain, int mhz);

// Performance levels (older boards).
int GpuGetPerfLevelCount(int board);
// Fields: 0 current, 1 default, 2 minimum, 3 maximum frequency of `level`, in MHz.
int GpuGetPerfLevelClock(int board, int domain, int level, int field);
// Sets a level's frequency; returns the current frequency read back, 0 on failure.
int GpuSetPerfLevelClock(int board, int domain, int level, int mhz);
// The pstate number that the level at `position` stands for.
int GpuPerfLevelPstate(int board, int position);

// Number of pstates from the pstate information, 0 on failure.
int GpuGetPstateCount(int board);
