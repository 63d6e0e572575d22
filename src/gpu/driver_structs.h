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
        std::uint32_t notWritable;  // must be 0 for the point to be written
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
        std::uint32_t notUsed;  // must be 0 for the entry to be read
        std::uint8_t reserved1[16];
        std::int32_t freqOffset_kHz;
        std::uint8_t reserved2[12];
    } entries[kVfPointCount];
};

constexpr std::uint32_t kVfPointsControlV2 = StructVersion(sizeof(VfPointsControl), 2);
static_assert(offsetof(VfPointsControl, entries) == 68 && sizeof(VfPointsControl::Entry) == 36);
static_assert(offsetof(VfPointsControl::Entry, freqOffset_kHz) == 20);
static_assert(kVfPointsControlV2 == 0x22420);

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
