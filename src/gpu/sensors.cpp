#include "sensors.h"

#include "gpu/board_list.h"
#include "gpu/clocks.h"
#include "gpu/driver_calls.h"
#include "gpu/driver_structs.h"
#include "gpu/pstates_info.h"
#include "gpu/status.h"
#include "gpu/voltage.h"

#include <windows.h>

namespace {

constexpr std::uint32_t kThermalVersions[] = {kThermalSettingsV2, kThermalSettingsV1};
constexpr std::uint32_t kClockVersions[] = {kClockFrequenciesV3, kClockFrequenciesV2, kClockFrequenciesV1};

// One 32-bit value from a query that takes (handle, u32*); false on failure.
template <std::uint32_t Id>
bool ReadValue(int board, std::uint32_t& value) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    value = 0;
    return gpu && !GpuCheckStatus(nvapi::Call<Id>(gpu, &value));
}

template <std::uint32_t Id>
int ValueOrZero(int board) {
    std::uint32_t value;
    return ReadValue<Id>(board, value) ? static_cast<int>(value) : 0;
}

}  // namespace

namespace {

bool ReadThermalSettings(int board, ThermalSettings& settings) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return false;
    settings = {};
    const auto result = nvapi::CallVersioned(settings, kThermalVersions, [gpu](auto* block) {
        return nvapi::Call<NvId_GetThermalSettings>(gpu, kThermalTargetAll, block);
    });
    return !GpuCheckStatus(result.status);
}

}  // namespace

int GpuGetTemperature(int board, int, int field) {
    ThermalSettings settings;
    if (!ReadThermalSettings(board, settings)) return 0;
    switch (field) {
    case 2: return settings.sensor[0].defaultMinTemp;
    case 3: return settings.sensor[0].defaultMaxTemp;
    default: return settings.sensor[0].currentTemp;
    }
}

bool GpuReadTemperature(int board, int& celsius) {
    ThermalSettings settings;
    if (!ReadThermalSettings(board, settings)) return false;
    celsius = settings.sensor[0].currentTemp;
    return true;
}

int GpuGetUsage(int board, int which) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu || which < 0 || which > 7) return -1;
    DynamicPstatesInfo info;
    if (GpuCheckStatus(nvapi::CallFresh<NvId_GetDynamicPstatesInfoEx>(gpu, info, kDynamicPstatesInfoV1))) return -1;
    if (!(info.utilization[which].flags & 1)) return -1;
    return static_cast<int>(info.utilization[which].percentage);
}

int GpuGetFanRpm(int board) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    FanCoolersInfo info;
    if (GpuCheckStatus(nvapi::CallFresh<NvId_GetFanCoolersInfo>(gpu, info, kFanCoolersInfoV1))) {
        return ValueOrZero<NvId_GetTachReading>(board);
    }
    if (!(info.flags & 1)) return 0;
    FanCoolersStatus status;
    if (GpuCheckStatus(nvapi::CallFresh<NvId_GetFanCoolersStatus>(gpu, status, kFanCoolersStatusV1))) return 0;
    // The first cooler the driver reports, found in the status by its identifier.
    const std::uint32_t id = info.entries[0].coolerId;
    const std::uint32_t count = ClampCount(status.count, 32);
    std::uint32_t index = 0;
    while (index < count && status.entries[index].coolerId != id) ++index;
    return static_cast<int>(status.entries[index < count ? index : 0].rpm);
}

int GpuGetPowerDraw(int board) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    PowerTopologyInfo info;
    if (GpuCheckStatus(nvapi::CallFresh<NvId_GetPowerTopologyInfo>(gpu, info, kPowerTopologyInfoV1))) return 0;
    if (!info.supported || info.count == 0) return 0;
    const std::uint32_t count = ClampCount(info.count, 4);
    PowerTopologyStatus status{};
    status.version = kPowerTopologyStatusV1;
    status.count = static_cast<std::uint8_t>(count);
    for (std::uint32_t i = 0; i < count; ++i) status.entries[i].channel = info.channels[i];
    if (GpuCheckStatus(nvapi::Call<NvId_GetPowerTopologyStatus>(gpu, &status))) return 0;
    int value = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (status.entries[i].channel == 0) value = static_cast<int>(status.entries[i].power_pcm / 1000);
    }
    return value;
}

bool GpuGetPciIds(int board, std::uint32_t& device, std::uint32_t& subsystem) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    std::uint32_t revision = 0, external = 0;
    device = subsystem = 0;
    return gpu && !GpuCheckStatus(nvapi::Call<NvId_GetPCIIdentifiers>(gpu, &device, &subsystem, &revision, &external));
}

CoreCounts GpuGetCoreCounts(int board) {
    return {ValueOrZero<NvId_GetShaderPipeCount>(board), ValueOrZero<NvId_GetShaderSubPipeCount>(board),
            ValueOrZero<NvId_GetGpuCoreCount>(board)};
}

int GpuGetMemoryBusWidth(int board) { return ValueOrZero<NvId_GetPartitionCount>(board) * 64; }

int GpuGetMemoryType(int board) { return ValueOrZero<NvId_GetRamType>(board); }

const wchar_t* MemoryTypeName(int code) {
    static const wchar_t* const kNames[] = {L" ",      L"SDRAM", L"DDR",  L"DDR2",  L"GDDR2", L"GDDR3",
                                            L"GDDR4",  L"DDR3",  L"GDDR5", L"LPDDR2", L"GDDR5X", L"HBM",
                                            L"HBM2",   L"SDDR4", L"GDDR6", L"GDDR6X"};
    return code >= 0 && code < 16 ? kNames[code] : L"-";
}

bool GpuGetVbiosVersion(int board, std::uint32_t& revision, std::uint32_t& oemRevision) {
    if (!ReadValue<NvId_GetVbiosRevision>(board, revision)) return false;
    if (!ReadValue<NvId_GetVbiosOEMRevision>(board, oemRevision)) oemRevision = 0;
    return true;
}

int GpuGetIrq(int board) { return ValueOrZero<NvId_GetIRQ>(board); }

int GpuGetBusType(int board, int& lanes) {
    lanes = 0;
    const int type = ValueOrZero<NvId_GetBusType>(board);
    if (type == 3) lanes = ValueOrZero<NvId_GetCurrentPCIEDownstreamWidth>(board);
    return type;
}

int GpuGetClockFrequency(int domain, int clockType) {
    NvPhysicalGpuHandle gpu = BoardHandle(SelectedBoard);
    if (!gpu || domain < 0 || domain > 31) return 0;
    ClockFrequencies clocks{};
    clocks.clockType = static_cast<std::uint32_t>(clockType) & 0xF;
    const auto result = nvapi::CallVersioned(clocks, kClockVersions, [gpu](auto* block) {
        return nvapi::Call<NvId_GetAllClockFrequencies>(gpu, block);
    });
    if (GpuCheckStatus(result.status)) return 0;
    // Version 1 has no clock type: its answer is the current clock, never base or boost.
    if (result.version == kClockFrequenciesV1 && clockType != kClockCurrent) return 0;
    const auto& entry = clocks.domain[domain];
    if (!(entry.flags & 1) || entry.frequency_kHz == 0) return 0;
    return static_cast<int>(entry.frequency_kHz / 1000);
}

int GpuGetCurrentPstate() { return ValueOrZero<NvId_GetCurrentPstate>(SelectedBoard); }

int GpuGetPstateFrequency(int pstate, int domain) {
    NvPhysicalGpuHandle gpu = BoardHandle(SelectedBoard);
    if (!gpu) return 0;
    PstatesInfoAnyVersion read;
    if (GpuCheckStatus(ReadPstatesInfo(gpu, read, &kPstatesInfoV3, 1).status)) return 0;
    const PstatesInfo& info = read.v2;
    const std::uint32_t pstates = ClampCount(info.numPstates, 16);
    const std::uint32_t clocks = ClampCount(info.numClocks, 32);
    std::uint32_t value = 0;
    for (std::uint32_t p = 0; p < pstates; ++p) {
        if (info.pstates[p].pstateId != static_cast<std::uint32_t>(pstate)) continue;
        for (std::uint32_t c = 0; c < clocks; ++c) {
            if (info.pstates[p].clocks[c].domainId == static_cast<std::uint32_t>(domain)) {
                value = info.pstates[p].clocks[c].freq_kHz;
            }
        }
    }
    return static_cast<int>(value / 1000);
}

int GpuGetCoreVoltage() {
    NvPhysicalGpuHandle gpu = BoardHandle(SelectedBoard);
    if (!gpu) return 0;
    CoreVoltageStatus status;
    if (GpuCheckStatus(nvapi::CallFresh<NvId_GetCoreVoltageStatus>(gpu, status, kCoreVoltageStatusV1))) return 0;
    return status.invalid == 0 ? static_cast<int>(status.value_uV / 1000) : 0;
}

int GpuGetRailVoltage() {
    NvPhysicalGpuHandle gpu = BoardHandle(SelectedBoard);
    if (!gpu) return 0;
    VoltageDomainList domains;
    if (GpuCheckStatus(nvapi::CallFresh<NvId_GetVoltageDomainsStatus>(gpu, domains, kVoltageDomainListV1))) return 0;
    const std::uint32_t count = ClampCount(domains.count, 16);
    return count == 0 ? 0 : static_cast<int>(domains.entries[count - 1].value_uV / 1000);
}

int GpuGetMemorySizeMB() {
    std::uint32_t kilobytes;
    if (!ReadValue<NvId_GetPhysicalFrameBufferSize>(SelectedBoard, kilobytes)) return 0;
    return static_cast<int>((kilobytes + 512) / 1024);
}

int GpuGetFullName(wchar_t* text, int size) {
    NvPhysicalGpuHandle gpu = BoardHandle(SelectedBoard);
    if (!gpu || !text || size <= 0) return 0;
    char name[260] = {};
    if (GpuCheckStatus(nvapi::Call<NvId_GetFullName>(gpu, &name[0]))) return 0;
    name[sizeof(name) - 1] = '\0';
    if (::MultiByteToWideChar(CP_ACP, 0, name, -1, text, size) == 0) {
        text[size - 1] = L'\0';  // cut to the caller's buffer
        ::MultiByteToWideChar(CP_ACP, 0, name, size - 1, text, size - 1);
    }
    return 1;
}

namespace {

// The user's offset that base and boost clocks are shown with: the domain's last curve
// point, for graphics the P0 offset when that is 0.
int UserClockOffset(int domain) {
    const int offset = GpuGetCurveOffset(SelectedBoard, GpuGetBoostRange(SelectedBoard, domain, 7));
    if (domain == kGraphicsDomain && offset == 0) return GpuGetPstateClock(SelectedBoard, kGraphicsDomain, 0, 0);
    return offset;
}

}  // namespace

int GpuGetClockWithOffset(int domain, int clockType, bool asDriverGives) {
    const int clock = GpuGetClockFrequency(domain, clockType);
    if (asDriverGives || clock == 0 || clockType == kClockCurrent) return clock;
    return clock + UserClockOffset(domain);
}

NominalClocks GpuGetNominalClocks(int domain, bool baseAsDriverGives, bool boostAsDriverGives) {
    NominalClocks clocks{GpuGetClockFrequency(domain, kClockBase), GpuGetClockFrequency(domain, kClockBoost)};
    const bool baseShifts = !baseAsDriverGives && clocks.base != 0;
    const bool boostShifts = !boostAsDriverGives && clocks.boost != 0;
    if (baseShifts || boostShifts) {
        const int offset = UserClockOffset(domain);
        if (baseShifts) clocks.base += offset;
        if (boostShifts) clocks.boost += offset;
    }
    return clocks;
}

int GpuGetDisplayCoreVoltage() {
    if (const int core = GpuGetCoreVoltage()) return core;
    if (const int rail = GpuGetRailVoltage()) return rail;
    return GpuGetPstateVoltage(SelectedBoard, GpuGetCurrentPstate());
}

std::uint32_t GpuGetDriverVersion() {
    std::uint32_t version = 0;
    char branch[64] = {};
    return GpuCheckStatus(nvapi::Call<NvId_GetDriverAndBranchVersion>(&version, &branch[0])) ? 0 : version;
}
