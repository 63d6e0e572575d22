// Which of the three clock mechanisms a board offers for a domain, and reading and
// applying a clock through it. Dialogs and modes call these; none re-derives the rule.
#pragma once

enum class ClockMechanism {
    Curve,       // voltage–frequency curve: one offset on every point of the domain
    Pstates20,   // performance states 2.0: the P0 offset
    PerfLevels,  // performance levels: an absolute frequency per level
};

struct ClockSetting {
    ClockMechanism mechanism;
    int minimum;  // MHz: offset range, or a level's frequency range
    int maximum;
    int current;  // MHz: the offset in effect, or the level's current frequency
};

ClockMechanism GpuClockMechanism(int board, int domain);

// Range and current value of a domain; `level` counts only for performance levels.
ClockSetting GpuGetClockSetting(int board, int domain, int level);

// Applies `mhz` through the board's mechanism, writing only what differs (a level's
// clock always, unless it is 0).
void GpuApplyClock(int board, int domain, int level, int mhz);
