// Driver structures, one definition each, laid out as the driver expects them on
// x86-64. The static_asserts pin sizes, field offsets and version words.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::uint32_t StructVersion(std::size_t size, std::uint32_t version) {
    return static_cast<std::uint32_t>(size) | (version << 16);
}

// Count reported by the driver, limited to the capacity of the array it describes.
constexpr std::uint32_t ClampCount(std::uint32_t count, std::uint32_t capacity) {
    return count < capacity ? count : capacity;
}

// ---------------------------------------------------------------- pstates 2.0 (published)

struct Pstates20Delta {
    std::int32_t value;
    std::int32_t min;
    std::int32_t max;
};

struct Pstates20Clock {
    std::uint32_t domainId;
    std::uint32_t typeId;  // 0 single frequency, 1 range
    std::uint32_t flags;
    Pstates20Delta freqDelta_kHz;
    std::uint32_t freq_kHz;  // single: the frequency; range: the minimum
    std::uint32_t maxFreq_kHz;
    std::uint32_t voltageDomainId;
    std::uint32_t minVoltage_uV;
    std::uint32_t maxVoltage_uV;
};

struct Pstates20Voltage {
    std::uint32_t domainId;
    std::uint32_t flags;
    std::uint32_t volt_uV;
    Pstates20Delta voltDelta_uV;
};

struct Pstates20Pstate {
    std::uint32_t pstateId;
    std::uint32_t flags;
    Pstates20Clock clocks[8];
    Pstates20Voltage baseVoltages[4];
};

struct Pstates20Info {
    std::uint32_t version;
    std::uint32_t flags;  // bit 0: editable
    std::uint32_t numPstates;
    std::uint32_t numClocks;
    std::uint32_t numBaseVoltages;
    Pstates20Pstate pstates[16];
    // Versions 2 and 3 only.
    std::uint32_t numOverVoltages;
    Pstates20Voltage overVoltages[4];
};

constexpr std::uint32_t kPstates20V1 = StructVersion(offsetof(Pstates20Info, numOverVoltages), 1);
constexpr std::uint32_t kPstates20V2 = StructVersion(sizeof(Pstates20Info), 2);
constexpr std::uint32_t kPstates20V3 = StructVersion(sizeof(Pstates20Info), 3);

static_assert(sizeof(Pstates20Clock) == 44 && sizeof(Pstates20Voltage) == 24 && sizeof(Pstates20Pstate) == 456);
static_assert(offsetof(Pstates20Pstate, clocks) == 8 && offsetof(Pstates20Pstate, baseVoltages) == 360);
static_assert(offsetof(Pstates20Clock, freqDelta_kHz) == 12 && offsetof(Pstates20Clock, freq_kHz) == 24 &&
              offsetof(Pstates20Clock, maxFreq_kHz) == 28);
static_assert(offsetof(Pstates20Info, pstates) == 20 && offsetof(Pstates20Info, overVoltages) == 7320);
static_assert(sizeof(Pstates20Info) == 7416);
static_assert(kPstates20V1 == 0x11C94 && kPstates20V2 == 0x21CF8 && kPstates20V3 == 0x31CF8);

// ---------------------------------------------------------------- pstate information (published)

struct PstatesInfoClock {
    std::uint32_t domainId;
    std::uint32_t flags;
    std::uint32_t freq_kHz;
};

struct PstatesInfoVoltage {
    std::uint32_t domainId;
    std::uint32_t flags;
    std::uint32_t mvolt;
};

// Versions 2 and 3.
struct PstatesInfo {
    std::uint32_t version;
    std::uint32_t flags;
    std::uint32_t numPstates;
    std::uint32_t numClocks;
    std::uint32_t numVoltages;
    struct Pstate {
        std::uint32_t pstateId;
        std::uint32_t flags;
        PstatesInfoClock clocks[32];
        PstatesInfoVoltage voltages[16];
    } pstates[16];
};

// Version 1: no voltage count, no voltage entries, shorter pstate entries from offset 16.
struct PstatesInfoV1 {
    std::uint32_t version;
    std::uint32_t flags;
    std::uint32_t numPstates;
    std::uint32_t numClocks;
    struct Pstate {
        std::uint32_t pstateId;
        std::uint32_t flags;
        PstatesInfoClock clocks[32];
    } pstates[16];
};

// Room for every version; the accepted version word tells which member is valid.
union PstatesInfoAnyVersion {
    std::uint32_t version;
    PstatesInfo v2;
    PstatesInfoV1 v1;
};

constexpr std::uint32_t kPstatesInfoV1 = StructVersion(sizeof(PstatesInfoV1), 1);
constexpr std::uint32_t kPstatesInfoV2 = StructVersion(sizeof(PstatesInfo), 2);
constexpr std::uint32_t kPstatesInfoV3 = StructVersion(sizeof(PstatesInfo), 3);

static_assert(sizeof(PstatesInfo::Pstate) == 584 && offsetof(PstatesInfo::Pstate, voltages) == 392);
static_assert(offsetof(PstatesInfo, pstates) == 20 && sizeof(PstatesInfo) == 9364);
static_assert(sizeof(PstatesInfoV1::Pstate) == 392 && offsetof(PstatesInfoV1, pstates) == 16);
static_assert(sizeof(PstatesInfoV1) == 6288);
static_assert(kPstatesInfoV1 == 0x11890 && kPstatesInfoV2 == 0x22494 && kPstatesInfoV3 == 0x32494);

// ---------------------------------------------------------------- voltage–frequency curve

struct ClockDomainsInfo {
    std::uint32_t version;
    std::uint32_t mask;  // bit i: entry i is valid
    std::uint8_t reserved[32];
    struct Entry {
        std::uint32_t notUsed;  // must be 0 for the entry to count
        std::uint32_t domain;
        std::uint8_t reserved1[32];
        std::int32_t maxOffset_kHz;
        std::int32_t minOffset_kHz;
        std::uint8_t firstPoint;
        std::uint8_t lastPoint;
        std::uint8_t reserved2[22];
    } entries[32];
};

constexpr std::uint32_t kClockDomainsInfoV1 = StructVersion(sizeof(ClockDomainsInfo), 1);
static_assert(sizeof(ClockDomainsInfo::Entry) == 72 && offsetof(ClockDomainsInfo, entries) == 40);
static_assert(offsetof(ClockDomainsInfo::Entry, maxOffset_kHz) == 40 &&
              offsetof(ClockDomainsInfo::Entry, minOffset_kHz) == 44 &&
              offsetof(ClockDomainsInfo::Entry, firstPoint) == 48 && offsetof(ClockDomainsInfo::Entry, lastPoint) == 49);
static_assert(kClockDomainsInfoV1 == 0x10928);

constexpr std::uint32_t kVfPointCount = 255;

struct VfPointsMask {
    std::uint32_t version;
    std::uint8_t mask[32];  // bit p: point p exists
    std::uint8_t reserved[32];
    struct Entry {
        std::uint32_t memoryDomain;  // set on the points of the memory domain
        std::uint8_t reserved[20];
    } entries[kVfPointCount];
};

constexpr std::uint32_t kVfPointsMaskV1 = StructVersion(sizeof(VfPointsMask), 1);
static_assert(offsetof(VfPointsMask, entries) == 68 && sizeof(VfPointsMask::Entry) == 24);
static_assert(kVfPointsMaskV1 == 0x1182C);

struct VfPointsControl {
    std::uint32_t version;
    std::uint8_t select[32];  // bit p: point p takes part in the call
    std::uint8_t reserved[32];
    struct Entry {
        std::uint32_t memoryDomain;  // set on the points of the memory domain
        std::uint8_t reserved1[16];
        std::int32_t freqOffset_kHz;
        std::uint8_t reserved2[12];
    } entries[kVfPointCount];
};

// Versions 1 and 2 share the layout.
constexpr std::uint32_t kVfPointsControlV2 = StructVersion(sizeof(VfPointsControl), 2);
constexpr std::uint32_t kVfPointsControlV1 = StructVersion(sizeof(VfPointsControl), 1);
static_assert(offsetof(VfPointsControl, entries) == 68 && sizeof(VfPointsControl::Entry) == 36);
static_assert(offsetof(VfPointsControl::Entry, freqOffset_kHz) == 20);
static_assert(kVfPointsControlV2 == 0x22420 && kVfPointsControlV1 == 0x12420);

inline bool MaskBit(const std::uint8_t (&mask)[32], std::uint32_t bit) {
    return bit < 256 && (mask[bit / 8] >> (bit % 8)) & 1;
}

// ---------------------------------------------------------------- performance levels

struct PerfClocks {
    std::uint32_t version;
    std::uint32_t numLevels;
    std::uint32_t reserved1;
    std::uint32_t numDomains;  // domain entries per level
    std::uint32_t reserved2;
    struct Level {
        std::uint32_t level;
        std::uint32_t reserved;
        struct Domain {
            std::uint32_t domain;
            std::uint32_t reserved;
            std::uint32_t current_kHz;
            std::uint32_t default_kHz;
            std::uint32_t min_kHz;
            std::uint32_t max_kHz;
            std::uint32_t flags;  // bit 0 on a write: set this frequency
        } domains[32];
    } levels[12];
};

constexpr std::uint32_t kPerfClocksV1 = StructVersion(sizeof(PerfClocks), 1);
constexpr std::uint32_t kPerfClocksV2 = StructVersion(sizeof(PerfClocks), 2);
static_assert(sizeof(PerfClocks::Level::Domain) == 28 && sizeof(PerfClocks::Level) == 904);
static_assert(offsetof(PerfClocks, numDomains) == 12 && offsetof(PerfClocks, levels) == 20);
static_assert(kPerfClocksV1 == 0x12A74 && kPerfClocksV2 == 0x22A74);

// ---------------------------------------------------------------- voltage

struct VoltageBoost {
    std::uint32_t version;
    std::uint8_t percent;
    std::uint8_t reserved[35];
};
constexpr std::uint32_t kVoltageBoostV1 = StructVersion(sizeof(VoltageBoost), 1);
static_assert(kVoltageBoostV1 == 0x10028);

// Voltage step (0x28766157) and voltage domains status (0xC16C7E2C) share this form.
struct VoltageDomainList {
    std::uint32_t version;
    std::uint32_t flags;
    std::uint32_t count;
    struct Entry {
        std::uint32_t domain;
        std::uint32_t value_uV;
    } entries[16];
};
constexpr std::uint32_t kVoltageDomainListV1 = StructVersion(sizeof(VoltageDomainList), 1);
static_assert(offsetof(VoltageDomainList, entries) == 12 && kVoltageDomainListV1 == 0x1008C);

struct CoreVoltageStatus {
    std::uint32_t version;
    std::uint32_t reserved[8];
    std::uint32_t invalid;  // must be 0 for the value to count
    std::uint32_t value_uV;
    std::uint32_t reserved2[8];
};
constexpr std::uint32_t kCoreVoltageStatusV1 = StructVersion(sizeof(CoreVoltageStatus), 1);
static_assert(offsetof(CoreVoltageStatus, value_uV) == 40 && kCoreVoltageStatusV1 == 0x1004C);

// ---------------------------------------------------------------- power policies

struct PowerPoliciesInfo {
    std::uint32_t version;
    std::uint8_t supported;
    std::uint8_t count;
    std::uint8_t reserved[2];
    struct Entry {
        std::uint32_t policyId;
        std::uint32_t reserved1;
        std::uint32_t notUsed;  // must be 0 for the entry to count
        std::uint32_t reserved2;
        std::uint32_t min_pcm;  // per-cent-mille of the default limit
        std::uint32_t reserved3[2];
        std::uint32_t default_pcm;
        std::uint32_t reserved4[2];
        std::uint32_t max_pcm;
        std::uint8_t reserved5[516];
    } entries[4];
};
// Version 1: 44-byte entries with the limits 12 bytes apart from +12, and no field
// that marks an entry unused.
struct PowerPoliciesInfoV1 {
    std::uint32_t version;
    std::uint8_t supported;
    std::uint8_t count;
    std::uint8_t reserved[2];
    struct Entry {
        std::uint32_t policyId;
        std::uint32_t reserved1[2];
        std::uint32_t min_pcm;
        std::uint32_t reserved2[2];
        std::uint32_t default_pcm;
        std::uint32_t reserved3[2];
        std::uint32_t max_pcm;
        std::uint32_t reserved4;
    } entries[4];
};
union PowerPoliciesInfoAnyVersion {
    std::uint32_t version;
    PowerPoliciesInfo v2;
    PowerPoliciesInfoV1 v1;
};
constexpr std::uint32_t kPowerPoliciesInfoV2 = StructVersion(sizeof(PowerPoliciesInfo), 2);
constexpr std::uint32_t kPowerPoliciesInfoV1 = StructVersion(sizeof(PowerPoliciesInfoV1), 1);
static_assert(sizeof(PowerPoliciesInfo::Entry) == 560 && offsetof(PowerPoliciesInfo::Entry, max_pcm) == 40 &&
              offsetof(PowerPoliciesInfo::Entry, default_pcm) == 28 && offsetof(PowerPoliciesInfo, entries) == 8);
static_assert(sizeof(PowerPoliciesInfoV1::Entry) == 44 && offsetof(PowerPoliciesInfoV1::Entry, min_pcm) == 12 &&
              offsetof(PowerPoliciesInfoV1::Entry, default_pcm) == 24 &&
              offsetof(PowerPoliciesInfoV1::Entry, max_pcm) == 36 && offsetof(PowerPoliciesInfoV1, entries) == 8);
static_assert(kPowerPoliciesInfoV2 == 0x208C8 && kPowerPoliciesInfoV1 == 0x100B8);

struct PowerPoliciesStatus {
    std::uint32_t version;
    std::uint8_t count;
    std::uint8_t reserved[3];
    struct Entry {
        std::uint32_t policyId;
        std::uint32_t reserved1;
        std::uint32_t flags;  // bit 0 cleared on a write
        std::uint32_t target_pcm;
        std::uint8_t reserved2[324];
    } entries[4];
};
// Version 1: 16-byte entries, the target at +8.
struct PowerPoliciesStatusV1 {
    std::uint32_t version;
    std::uint8_t count;
    std::uint8_t reserved[3];
    struct Entry {
        std::uint32_t policyId;
        std::uint32_t reserved1;
        std::uint32_t target_pcm;
        std::uint32_t reserved2;
    } entries[4];
};
union PowerPoliciesStatusAnyVersion {
    std::uint32_t version;
    PowerPoliciesStatus v2;
    PowerPoliciesStatusV1 v1;
};
constexpr std::uint32_t kPowerPoliciesStatusV2 = StructVersion(sizeof(PowerPoliciesStatus), 2);
constexpr std::uint32_t kPowerPoliciesStatusV1 = StructVersion(sizeof(PowerPoliciesStatusV1), 1);
static_assert(sizeof(PowerPoliciesStatus::Entry) == 340 && offsetof(PowerPoliciesStatus::Entry, target_pcm) == 12);
static_assert(offsetof(PowerPoliciesStatusV1::Entry, target_pcm) == 8 && offsetof(PowerPoliciesStatusV1, entries) == 8);
static_assert(kPowerPoliciesStatusV2 == 0x20558 && kPowerPoliciesStatusV1 == 0x10048);

// ---------------------------------------------------------------- thermal policies

constexpr std::uint32_t kGpuThermalController = 1;

struct ThermalPoliciesInfo {
    std::uint32_t version;
    std::uint8_t flags;  // bit 0: supported
    std::uint8_t count;
    std::uint8_t reserved[2];
    struct Entry {
        std::uint32_t controller;
        std::uint32_t reserved1[2];
        std::int32_t min_256;  // 1/256 °C
        std::int32_t default_256;
        std::int32_t max_256;
        std::uint8_t reserved2[324];
    } entries[4];
};
// Version 2: the count at byte 4 (no supported bit), 24-byte entries with the
// limits from +8.
struct ThermalPoliciesInfoV2 {
    std::uint32_t version;
    std::uint8_t count;
    std::uint8_t reserved[3];
    struct Entry {
        std::uint32_t controller;
        std::uint32_t reserved1;
        std::int32_t min_256;
        std::int32_t default_256;
        std::int32_t max_256;
        std::uint32_t defaultFlags;
    } entries[4];
};
// Version 1: 20-byte entries, which end before a maximum.
struct ThermalPoliciesInfoV1 {
    std::uint32_t version;
    std::uint8_t flags;
    std::uint8_t count;
    std::uint8_t reserved[2];
    struct Entry {
        std::uint32_t controller;
        std::uint32_t reserved1[2];
        std::int32_t min_256;
        std::int32_t default_256;
    } entries[4];
};
union ThermalPoliciesInfoAnyVersion {
    std::uint32_t version;
    ThermalPoliciesInfo v3;
    ThermalPoliciesInfoV2 v2;
    ThermalPoliciesInfoV1 v1;
};
constexpr std::uint32_t kThermalPoliciesInfoV3 = StructVersion(sizeof(ThermalPoliciesInfo), 3);
constexpr std::uint32_t kThermalPoliciesInfoV2 = StructVersion(sizeof(ThermalPoliciesInfoV2), 2);
constexpr std::uint32_t kThermalPoliciesInfoV1 = StructVersion(sizeof(ThermalPoliciesInfoV1), 1);
static_assert(sizeof(ThermalPoliciesInfo::Entry) == 348 && offsetof(ThermalPoliciesInfo::Entry, max_256) == 20);
static_assert(sizeof(ThermalPoliciesInfoV2::Entry) == 24 && offsetof(ThermalPoliciesInfoV2::Entry, min_256) == 8 &&
              offsetof(ThermalPoliciesInfoV2::Entry, max_256) == 16 && offsetof(ThermalPoliciesInfoV2, count) == 4);
static_assert(kThermalPoliciesInfoV3 == 0x30578 && kThermalPoliciesInfoV2 == 0x20068 &&
              kThermalPoliciesInfoV1 == 0x10058);

struct ThermalPoliciesStatus {
    std::uint32_t version;
    std::uint8_t count;
    std::uint8_t reserved[3];
    struct Entry {
        std::uint32_t controller;
        std::uint32_t reserved1;
        std::int32_t target_256;
        std::uint8_t flags;  // bit 0: priority
        std::uint8_t reserved2[323];
    } entries[4];
};
// Version 2: 12-byte entries.
struct ThermalPoliciesStatusV2 {
    std::uint32_t version;
    std::uint8_t count;
    std::uint8_t reserved[3];
    struct Entry {
        std::uint32_t controller;
        std::int32_t target_256;
        std::uint32_t flags;  // bit 0: priority
    } entries[4];
};
union ThermalPoliciesStatusAnyVersion {
    std::uint32_t version;
    ThermalPoliciesStatus v3;
    ThermalPoliciesStatusV2 v2;
};
constexpr std::uint32_t kThermalPoliciesStatusV3 = StructVersion(sizeof(ThermalPoliciesStatus), 3);
constexpr std::uint32_t kThermalPoliciesStatusV2 = StructVersion(sizeof(ThermalPoliciesStatusV2), 2);
static_assert(sizeof(ThermalPoliciesStatus::Entry) == 336 && offsetof(ThermalPoliciesStatus::Entry, target_256) == 8);
static_assert(offsetof(ThermalPoliciesStatusV2::Entry, target_256) == 4 && offsetof(ThermalPoliciesStatusV2, entries) == 8);
static_assert(kThermalPoliciesStatusV3 == 0x30548 && kThermalPoliciesStatusV2 == 0x20038);

// ---------------------------------------------------------------- fans

struct FanCoolersInfo {
    std::uint32_t version;
    std::uint32_t flags;  // bit 0: supported
    std::uint8_t count;
    std::uint8_t reserved[35];
    struct Entry {
        std::uint32_t coolerId;
        std::uint8_t reserved[44];
    } entries[32];
};
constexpr std::uint32_t kFanCoolersInfoV1 = StructVersion(sizeof(FanCoolersInfo), 1);
static_assert(offsetof(FanCoolersInfo, entries) == 44 && kFanCoolersInfoV1 == 0x1062C);

struct FanCoolersStatus {
    std::uint32_t version;
    std::uint8_t count;
    std::uint8_t reserved[35];
    struct Entry {
        std::uint32_t coolerId;
        std::uint32_t rpm;
        std::uint32_t minLevel;
        std::uint32_t maxLevel;
        std::uint32_t level;
        std::uint32_t reserved[8];
    } entries[32];
};
constexpr std::uint32_t kFanCoolersStatusV1 = StructVersion(sizeof(FanCoolersStatus), 1);
static_assert(offsetof(FanCoolersStatus, entries) == 40 && kFanCoolersStatusV1 == 0x106A8);

struct FanCoolersControl {
    std::uint32_t version;
    std::uint32_t flags;  // bit 0 cleared when returning to automatic
    std::uint8_t count;
    std::uint8_t reserved[35];
    struct Entry {
        std::uint32_t coolerId;
        std::uint32_t level;
        std::uint32_t flags;  // bit 0: manual
        std::uint32_t reserved[8];
    } entries[32];
};
constexpr std::uint32_t kFanCoolersControlV1 = StructVersion(sizeof(FanCoolersControl), 1);
static_assert(offsetof(FanCoolersControl, entries) == 44 && kFanCoolersControlV1 == 0x105AC);

// Older boards, one cooler block per board. Only entry 0's fields are used.
struct CoolerSettings {
    std::uint32_t version;
    std::uint32_t count;
    std::uint32_t reserved1[2];
    std::uint32_t lower1;
    std::uint32_t upper1;
    std::uint32_t lower2;
    std::uint32_t upper2;
    std::uint32_t level;
    std::uint32_t defaultPolicy;
    std::uint32_t currentPolicy;
    std::uint8_t reserved2[1324];
};
constexpr std::uint32_t kCoolerSettingsV4 = StructVersion(sizeof(CoolerSettings), 4);
constexpr std::uint32_t kCoolerSettingsV3 = StructVersion(1288, 3);
static_assert(offsetof(CoolerSettings, lower1) == 16 && offsetof(CoolerSettings, currentPolicy) == 40);
static_assert(kCoolerSettingsV4 == 0x40558 && kCoolerSettingsV3 == 0x30508);

struct CoolerLevels {
    std::uint32_t version;
    struct Entry {
        std::uint32_t level;
        std::uint32_t policy;  // 1 manual
    } entries[20];
};
constexpr std::uint32_t kCoolerLevelsV1 = StructVersion(sizeof(CoolerLevels), 1);
static_assert(kCoolerLevelsV1 == 0x100A4);

constexpr std::uint32_t kAllCoolers = 7;

struct DriverControlInfo {
    std::uint32_t version;
    std::uint32_t reserved[33];
};
struct DriverControlValue {
    std::uint32_t version;
    std::uint32_t control;
    std::uint32_t value;
    std::uint32_t flags;  // 1 on a write
};
constexpr std::uint32_t kDriverControlInfoV1 = StructVersion(sizeof(DriverControlInfo), 1);
constexpr std::uint32_t kDriverControlValueV1 = StructVersion(sizeof(DriverControlValue), 1);
static_assert(kDriverControlInfoV1 == 0x10088 && kDriverControlValueV1 == 0x10010);

// ---------------------------------------------------------------- sensors (published)

struct ThermalSettings {
    std::uint32_t version;
    std::uint32_t count;
    struct Sensor {
        std::int32_t controller;
        std::int32_t defaultMinTemp;
        std::int32_t defaultMaxTemp;
        std::int32_t currentTemp;
        std::int32_t target;
    } sensor[3];
};
constexpr std::uint32_t kThermalSettingsV2 = StructVersion(sizeof(ThermalSettings), 2);
constexpr std::uint32_t kThermalSettingsV1 = StructVersion(sizeof(ThermalSettings), 1);
constexpr std::uint32_t kThermalTargetAll = 15;
static_assert(offsetof(ThermalSettings, sensor) == 8 && kThermalSettingsV2 == 0x20044);

struct ClockFrequencies {
    std::uint32_t version;
    std::uint32_t clockType;  // low 4 bits (versions 2 and 3)
    struct Domain {
        std::uint32_t flags;  // bit 0: present
        std::uint32_t frequency_kHz;
    } domain[32];
};
constexpr std::uint32_t kClockFrequenciesV3 = StructVersion(sizeof(ClockFrequencies), 3);
constexpr std::uint32_t kClockFrequenciesV2 = StructVersion(sizeof(ClockFrequencies), 2);
constexpr std::uint32_t kClockFrequenciesV1 = StructVersion(sizeof(ClockFrequencies), 1);
static_assert(kClockFrequenciesV3 == 0x30108 && kClockFrequenciesV1 == 0x10108);

struct DynamicPstatesInfo {
    std::uint32_t version;
    std::uint32_t flags;
    struct Utilization {
        std::uint32_t flags;  // bit 0: present
        std::uint32_t percentage;
    } utilization[8];
};
constexpr std::uint32_t kDynamicPstatesInfoV1 = StructVersion(sizeof(DynamicPstatesInfo), 1);
static_assert(kDynamicPstatesInfoV1 == 0x10048);

struct PowerTopologyInfo {
    std::uint32_t version;
    std::uint8_t supported;
    std::uint8_t count;
    std::uint8_t reserved[2];
    std::uint32_t channels[4];
};
constexpr std::uint32_t kPowerTopologyInfoV1 = StructVersion(sizeof(PowerTopologyInfo), 1);
static_assert(kPowerTopologyInfoV1 == 0x10018);

struct PowerTopologyStatus {
    std::uint32_t version;
    std::uint8_t count;
    std::uint8_t reserved[3];
    struct Entry {
        std::uint32_t channel;
        std::uint32_t reserved1;
        std::uint32_t power_pcm;
        std::uint32_t reserved2;
    } entries[4];
};
constexpr std::uint32_t kPowerTopologyStatusV1 = StructVersion(sizeof(PowerTopologyStatus), 1);
static_assert(kPowerTopologyStatusV1 == 0x10048);

// ---------------------------------------------------------------- I2C (published, version 3)

struct I2cInfo {
    std::uint32_t version;
    std::uint32_t displayMask;
    std::uint8_t isDdcPort;
    std::uint8_t deviceAddress;  // 7-bit address shifted left by one
    std::uint8_t* registerAddress;
    std::uint32_t registerAddressSize;
    std::uint8_t* data;
    std::uint32_t size;
    std::uint32_t speed;  // deprecated: 0xFFFF
    std::uint32_t speedKhz;
    std::uint8_t portId;
    std::uint32_t isPortIdSet;
};
constexpr std::uint32_t kI2cInfoV3 = StructVersion(sizeof(I2cInfo), 3);
static_assert(sizeof(void*) != 8 || (sizeof(I2cInfo) == 64 && offsetof(I2cInfo, data) == 32 &&
                                     offsetof(I2cInfo, portId) == 52 && kI2cInfoV3 == 0x30040));
static_assert(sizeof(void*) != 4 || (sizeof(I2cInfo) == 44 && kI2cInfoV3 == 0x3002C));

// ---------------------------------------------------------------- illumination zones (published)

struct IllumPiecewise {
    std::uint32_t cycleType;  // 2: repeat the full cycle
    std::uint8_t groupCount;
    std::uint8_t reserved;
    std::uint16_t riseMs;
    std::uint16_t fallMs;
    std::uint16_t aHoldMs;
    std::uint16_t bHoldMs;
    std::uint16_t idleMs;
    std::uint16_t phaseOffsetMs;
    std::uint16_t reserved2;
};

struct IllumZone {
    std::uint32_t type;      // 1 RGB, 2 fixed colour, 3 RGBW, 4 single colour
    std::uint32_t ctrlMode;  // 0 manual, 1 piecewise linear
    union {
        std::uint8_t raw[128];
        struct {
            std::uint8_t r, g, b, brightness;
        } rgb;
        struct {
            std::uint8_t r, g, b, w, brightness;
        } rgbw;
        struct {
            std::uint8_t brightness;
        } single;
        struct {
            std::uint8_t a[4];  // r, g, b, brightness
            std::uint8_t b[4];
            IllumPiecewise params;
        } rgbPiecewise;
    } data;
    std::uint8_t reserved[64];
};

struct IllumZonesControl {
    std::uint32_t version;
    std::uint32_t flags;  // bit 0: default values
    std::uint32_t count;
    std::uint8_t reserved[64];
    IllumZone zones[32];
};
constexpr std::uint32_t kIllumZonesControlV1 = StructVersion(sizeof(IllumZonesControl), 1);
constexpr std::uint32_t kIllumZoneRgb = 1;
constexpr std::uint32_t kIllumZoneRgbw = 3;
constexpr std::uint32_t kIllumZoneSingleColor = 4;
static_assert(sizeof(IllumPiecewise) == 20 && sizeof(IllumZone) == 200 && offsetof(IllumZonesControl, zones) == 76);
static_assert(offsetof(IllumZone, data) == 8 && kIllumZonesControlV1 == 0x1194C);

// ---------------------------------------------------------------- driver settings (published)

using NvDrsSessionHandle = struct NvDrsSession*;
using NvDrsProfileHandle = struct NvDrsProfile*;

struct DrsSetting {
    std::uint32_t version;
    std::uint16_t name[2048];
    std::uint32_t settingId;
    std::uint32_t type;  // 0: 32-bit value
    std::uint32_t location;
    std::uint32_t isCurrentPredefined;
    std::uint32_t isPredefinedValid;
    union Value {
        std::uint32_t u32;
        struct {
            std::uint32_t length;
            std::uint8_t data[4096];
        } binary;
        std::uint16_t text[2048];
    } predefined, current;
};
constexpr std::uint32_t kDrsSettingV1 = StructVersion(sizeof(DrsSetting), 1);
static_assert(offsetof(DrsSetting, settingId) == 4100 && offsetof(DrsSetting, current) == 8220);
static_assert(kDrsSettingV1 == 0x13020);
