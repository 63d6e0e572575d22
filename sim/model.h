// The simulated driver's world: boards described by a scenario, their state, and
// the bookkeeping tests read (counters, call log, injected faults).
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace sim {

struct CurveDomain {
    std::uint32_t domain;
    std::int32_t minOffset_kHz;
    std::int32_t maxOffset_kHz;
    int firstPoint;
    int lastPoint;
};

struct Pstate20Clock {
    std::uint32_t domain;
    std::uint32_t type;  // 0 single, 1 range
    std::int32_t minOffset_kHz;
    std::int32_t maxOffset_kHz;
    std::uint32_t freq_kHz;     // single: frequency; range: minimum
    std::uint32_t maxFreq_kHz;  // range: maximum
    std::int32_t offset_kHz = 0;
};

struct Pstate20 {
    std::uint32_t id;
    std::vector<Pstate20Clock> clocks;
};

struct LevelDomain {
    std::uint32_t domain;
    std::uint32_t current_kHz;
    std::uint32_t default_kHz;
    std::uint32_t min_kHz;
    std::uint32_t max_kHz;
};

struct PerfLevel {
    std::uint32_t number;
    std::vector<LevelDomain> domains;
};

struct FanCooler {
    std::uint32_t id;
    std::uint32_t minLevel;
    std::uint32_t maxLevel;
    std::uint32_t level;  // where the fan is now
    std::uint32_t maxRpm;
    bool manual = false;
    std::uint32_t manualLevel = 0;
};

// The per-board cooler of older boards (the per-fan information answers -104).
struct OlderCooler {
    bool present = false;
    std::uint32_t lower1, upper1, lower2, upper2;
    std::uint32_t level;
    std::uint32_t defaultPolicy = 32;
    std::uint32_t currentPolicy = 32;
    std::uint32_t target = 0;  // level asked for
    int lagReads = 0;          // reads before the fan gets there (0: at once)
    int readsLeft = 0;
};

// A chip on the board's I2C bus (port 1).
struct I2cDevice {
    enum class Kind { FirstGenerationLed, SecondGenerationLed, BoardController };
    Kind kind = Kind::FirstGenerationLed;
    std::uint8_t address = 0;  // 8-bit form
    std::uint8_t registers[256] = {};
    std::set<int> failingRegisters;  // -1: every register
    bool locked = false;             // first generation: the tag shows only after the unlock
    int powerOnMagic = 0;            // first generation: how much of 55 AA 55 AA has arrived
    bool powerOnStored = false;
};

struct IllumZone {
    std::uint32_t type = 0;
    std::uint32_t mode = 0;
    std::uint8_t data[128] = {};
    std::uint32_t defaultMode = 0;
    std::uint8_t defaultData[128] = {};
};

struct PowerPolicy {
    bool present = false;
    std::uint32_t min_pcm, default_pcm, max_pcm, target_pcm;
};

struct ThermalPolicy {
    bool present = false;
    std::int32_t min_256, default_256, max_256, target_256;
    bool priority = false;
};

struct VoltageDelta {
    bool present = false;
    std::uint32_t volt_uV = 0;
    std::int32_t min_uV, max_uV;
    std::int32_t value_uV = 0;
};

// Values a query answers; absent ones answer -104.
using Readings = std::map<std::string, long long>;

struct Board {
    bool tcc = false;
    bool live = false;  // load, temperature, fans and clocks move with time
    bool debugMode = false;  // clock and curve writes answer -217

    std::vector<CurveDomain> curve;
    std::set<int> unwritablePoints;  // the driver refuses writes to these
    std::map<int, std::int32_t> pointOffset_kHz;

    bool pstates20Editable = true;
    std::vector<Pstate20> pstates20;

    std::vector<PerfLevel> levels;
    std::uint32_t pstateCount = 0;

    // Counts the board reports in place of the true ones, by name (pstates20,
    // fan_coolers, ...), to check that the program never trusts them beyond its arrays.
    std::map<std::string, std::uint32_t> reported;
    std::vector<std::uint32_t> powerChannels;  // in the scenario's order

    int voltageBoost = -1;  // percent; -1: no boost control
    VoltageDelta baseVoltage;
    VoltageDelta overVoltage;
    std::uint32_t voltageStep_uV = 0;  // 0: the step query fails
    std::map<std::uint32_t, std::uint32_t> pstateVoltage_mV;

    PowerPolicy power;
    ThermalPolicy thermal;

    std::vector<FanCooler> coolers;  // per-fan interface
    OlderCooler olderCooler;
    std::map<std::uint32_t, std::uint32_t> controls;  // driver controls present
    std::set<std::uint32_t> readOnlyControls;

    std::vector<I2cDevice> i2c;
    std::vector<IllumZone> zones;  // none: the driver offers no illumination zones

    Readings readings;  // sensors and identity, by name (see scenario.cpp)
    std::string name;
    std::uint64_t lastTick = 0;

    bool PointExists(int point) const;
    // A point of a memory-domain curve, which the driver marks in word 0 of its entries.
    bool MemoryPoint(int point) const;
};

struct Driver {
    std::string scenario;
    std::map<std::uint32_t, std::uint32_t> settings;  // the driver settings database (base profile)
    int initializeStatus = 0;
    std::uint32_t driverVersion = 0;
    std::vector<Board> boards;
    std::map<std::uint32_t, std::uint32_t> maxVersion;  // id -> newest structure version accepted
    std::set<std::uint32_t> absent;                     // ids that answer no pointer
};

struct Fault {
    int status;
    int remaining;
};

struct CallRecord {
    std::uint32_t id;
    std::uint32_t version;  // first word of the structure argument, 0 when none
};

struct World {
    Driver driver;
    std::map<std::uint32_t, Fault> faults;
    std::map<std::uint32_t, unsigned> counts;
    std::vector<CallRecord> log;
    std::string i2cLog;  // one line per transfer: "W 92 E0 01 00 04 1F", "R 10 07 5A"
    std::map<std::uintptr_t, std::map<std::uint32_t, std::uint32_t>> sessions;  // settings sessions
    std::uintptr_t nextSession = 0x7000;
    std::wstring statePath;
    std::wstring controlPath;         // ZORVANE_SIM_CONTROL, see PollControlFile
    unsigned long long controlStamp = 0;  // its last write time and size when last read
    unsigned faultsAnswered = 0;          // calls failed since the control file last changed
    unsigned long long calls = 0;         // every call since the process loaded the driver
    unsigned long long i2cTransfers = 0;  // every I2C transfer since then
    bool loaded = false;
};

World& TheWorld();

// Parses scenario text into a driver; false with `error` set on a bad line.
bool ParseScenario(const std::string& text, Driver& driver, std::string& error);

// Loads a scenario by name (built in) or by file path; false when none is found.
bool LoadScenario(const std::string& nameOrPath);

// The control file (ZORVANE_SIM_CONTROL): faults for a running process, read again
// whenever it changes. Lines: "fail <id in hex, or *> <status> <count>" (the next
// `count` calls of that id, * every id), "clear" (no faults), "# <generation>". On each
// change the file "<control>.report" gets "generation <g> answered <n> calls <c> i2c <t>":
// the new content's generation, how many calls the faults before it failed, and every
// call and I2C transfer since the driver was loaded.
void PollControlFile();

// The state file: what outlives a process (offsets and level clocks as written).
void SaveState();
void ApplySavedState();
// One value of the state by its key in the state file ("b0.point5", "b1.p20.0.4", ...).
bool StateValue(const std::string& key, long long& value);

}  // namespace sim
