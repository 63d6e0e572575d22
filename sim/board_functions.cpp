// Simulated voltage, power, thermal, fan, driver-control, sensor and identity calls.
#include "board_functions.h"

#include "call.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr int kNotSupported = -104;

bool Has(const Board& board, const char* key) { return board.readings.count(key) != 0; }

long long Reading(const Board& board, const std::string& key) {
    const auto it = board.readings.find(key);
    return it == board.readings.end() ? 0 : it->second;
}

// A live board moves with time: load follows a slow wave, the fans their target,
// the temperature the load and the fans, the clocks the load and the offsets.
void Tick(Board& board) {
    if (!board.live) return;
    const std::uint64_t now = ::GetTickCount64();
    const double dt = board.lastTick ? std::min(10.0, (now - board.lastTick) / 1000.0) : 0.0;
    board.lastTick = now;
    const double t = now / 1000.0;
    const double load = std::clamp(55 + 35 * std::sin(t / 7) + 10 * std::sin(t / 2.3), 0.0, 100.0);
    board.readings["usage_gpu"] = std::lround(load);
    board.readings["usage_fb"] = std::lround(load * 0.6);

    double temperature = static_cast<double>(Reading(board, "temperature"));
    double fan = 30;
    for (FanCooler& cooler : board.coolers) {
        const double automatic = std::clamp(30 + (temperature - 40) * 1.2, double(cooler.minLevel), double(cooler.maxLevel));
        const double target = cooler.manual ? cooler.manualLevel : automatic;
        const double step = 10 * dt;
        const double level = cooler.level + std::clamp(target - cooler.level, -step, step);
        cooler.level = static_cast<std::uint32_t>(std::lround(level));
        fan = cooler.level;
    }
    const double goal = 32 + load * 0.5 - (fan - 30) * 0.15;
    temperature += (goal - temperature) * (1 - std::exp(-dt / 8));
    board.readings["temperature"] = std::lround(temperature);
    if (!board.coolers.empty()) board.readings["tach"] = board.coolers[0].level * board.coolers[0].maxRpm / 100;

    auto offset = [&](std::uint32_t domain) {
        for (const CurveDomain& d : board.curve) {
            if (d.domain != domain) continue;
            const auto it = board.pointOffset_kHz.find(d.lastPoint);
            if (it != board.pointOffset_kHz.end()) return static_cast<long long>(it->second);
        }
        for (const Pstate20& p : board.pstates20) {
            for (const Pstate20Clock& c : p.clocks) {
                if (p.id == 0 && c.domain == domain) return static_cast<long long>(c.offset_kHz);
            }
        }
        return 0LL;
    };
    const long long base = Reading(board, "clock_base_0"), boost = Reading(board, "clock_boost_0");
    board.readings["clock_current_0"] = base + static_cast<long long>((boost + offset(0) - base) * load / 100);
    board.readings["clock_current_4"] = load > 10 ? Reading(board, "clock_base_4") + offset(4) : 405000;
    board.readings["power_channel_0"] = std::lround((20 + load * 0.8) * 1000);
}

// A query of one 32-bit value named in the scenario.
int ValueQuery(std::uint32_t id, void* gpu, std::uint32_t* out, const char* key) {
    Board* board;
    int status;
    if (!EnterPlain(id, gpu, board, status)) return status;
    if (!out) return -5;
    Tick(*board);
    if (!Has(*board, key)) return kNotSupported;
    *out = static_cast<std::uint32_t>(Reading(*board, key));
    return 0;
}

}  // namespace

// ---------------------------------------------------------------- voltage

int __cdecl GetVoltageBoost(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x9DF23CA1, gpu, block, {0x10028}, board, status)) return status;
    if (board->voltageBoost < 0) return kNotSupported;
    Block(block).Set<std::uint8_t>(4, static_cast<std::uint8_t>(board->voltageBoost));
    return 0;
}

int __cdecl SetVoltageBoost(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0xB9306D9B, gpu, block, {0x10028}, board, status)) return status;
    if (board->voltageBoost < 0) return kNotSupported;
    const std::uint8_t percent = Block(block).Get<std::uint8_t>(4);
    if (percent > 100) return -5;
    board->voltageBoost = percent;
    return 0;
}

int __cdecl GetVoltageStep(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x28766157, gpu, block, {0x1008C}, board, status)) return status;
    if (board->voltageStep_uV == 0) return kNotSupported;
    Block b(block);
    b.Set<std::uint32_t>(8, Reported(*board, "voltage_domains", 1));
    b.Set<std::uint32_t>(12, 0);
    b.Set<std::uint32_t>(16, board->voltageStep_uV);
    return 0;
}

int __cdecl SetPstatesInfo(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0xCDF27911, gpu, block, {0x32494, 0x22494}, board, status)) return status;
    if (board->pstateVoltage_mV.empty()) return kNotSupported;
    Block b(block);
    const std::uint32_t pstates = std::min<std::uint32_t>(b.Get<std::uint32_t>(8), 16);
    const std::uint32_t voltages = std::min<std::uint32_t>(b.Get<std::uint32_t>(16), 16);
    for (std::uint32_t p = 0; p < pstates; ++p) {
        const std::uint32_t id = b.Get<std::uint32_t>(20 + 584 * p);
        for (std::uint32_t v = 0; v < voltages; ++v) {
            const std::size_t at = 20 + 584 * p + 392 + 12 * v;
            if (b.Get<std::uint32_t>(at) == 0 && board->pstateVoltage_mV.count(id)) {
                board->pstateVoltage_mV[id] = b.Get<std::uint32_t>(at + 8);
            }
        }
    }
    return 0;
}

// ---------------------------------------------------------------- power and thermal policies

// Each version answers in its own layout: version 2 with 560-byte entries, version 1
// with 44-byte entries and the limits at +12, +24 and +36.
int __cdecl GetPowerPoliciesInfo(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x34206D86, gpu, block, {0x208C8, 0x100B8}, board, status)) return status;
    if (!board->power.present) return kNotSupported;
    Block b(block);
    const bool v1 = (b.Word() >> 16) == 1;
    const std::size_t limits = v1 ? 12 : 16;
    b.Set<std::uint8_t>(4, 1);
    b.Set<std::uint8_t>(5, static_cast<std::uint8_t>(Reported(*board, "power_policies", 1)));
    b.Set<std::uint32_t>(8, 0);
    if (!v1) b.Set<std::uint32_t>(8 + 8, 0);
    b.Set<std::uint32_t>(8 + limits, board->power.min_pcm);
    b.Set<std::uint32_t>(8 + limits + 12, board->power.default_pcm);
    b.Set<std::uint32_t>(8 + limits + 24, board->power.max_pcm);
    return 0;
}

namespace {

// Power policies status entries: 340 bytes with the target at +12 (version 2), 16
// bytes with the target at +8 (version 1).
struct PowerStatusLayout {
    std::size_t stride, target;
};
PowerStatusLayout PowerStatusOf(const Block& b) { return (b.Word() >> 16) == 1 ? PowerStatusLayout{16, 8} : PowerStatusLayout{340, 12}; }

// Thermal policies status entries: 336 bytes, target +8, flags byte +12 (version 3);
// 12 bytes, target +4, flags word +8 (version 2).
struct ThermalStatusLayout {
    std::size_t stride, target, flags;
};
ThermalStatusLayout ThermalStatusOf(const Block& b) {
    return (b.Word() >> 16) == 2 ? ThermalStatusLayout{12, 4, 8} : ThermalStatusLayout{336, 8, 12};
}

}  // namespace

int __cdecl GetPowerPoliciesStatus(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x70916171, gpu, block, {0x20558, 0x10048}, board, status)) return status;
    if (!board->power.present) return kNotSupported;
    Block b(block);
    const PowerStatusLayout layout = PowerStatusOf(b);
    const std::uint32_t count = std::min<std::uint32_t>(b.Get<std::uint8_t>(4), 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = 8 + layout.stride * i;
        if (b.Get<std::uint32_t>(at) == 0) b.Set<std::uint32_t>(at + layout.target, board->power.target_pcm);
    }
    return 0;
}

int __cdecl SetPowerPoliciesStatus(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0xAD95F5ED, gpu, block, {0x20558, 0x10048}, board, status)) return status;
    if (!board->power.present) return kNotSupported;
    Block b(block);
    const PowerStatusLayout layout = PowerStatusOf(b);
    const std::uint32_t count = std::min<std::uint32_t>(b.Get<std::uint8_t>(4), 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = 8 + layout.stride * i;
        if (b.Get<std::uint32_t>(at) != 0) continue;
        const std::uint32_t target = b.Get<std::uint32_t>(at + layout.target);
        if (target < board->power.min_pcm || target > board->power.max_pcm) return -5;
        board->power.target_pcm = target;
    }
    return 0;
}

// Version 3: supported bit at 4, count at 5, 348-byte entries with the limits at +12;
// version 2: the count at 4, 24-byte entries with the limits at +8; version 1: as
// version 3's header, 20-byte entries without a maximum.
int __cdecl GetThermalPoliciesInfo(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x0D258BB5, gpu, block, {0x30578, 0x20068, 0x10058}, board, status)) return status;
    if (!board->thermal.present) return kNotSupported;
    Block b(block);
    const std::uint32_t version = b.Word() >> 16;
    const auto count = static_cast<std::uint8_t>(Reported(*board, "thermal_policies", 1));
    if (version == 2) {
        b.Set<std::uint8_t>(4, count);
    } else {
        b.Set<std::uint8_t>(4, 1);
        b.Set<std::uint8_t>(5, count);
    }
    const std::size_t limits = version == 2 ? 8 : 12;
    b.Set<std::uint32_t>(8, 1);  // controller 1, the GPU
    b.Set<std::int32_t>(8 + limits, board->thermal.min_256);
    b.Set<std::int32_t>(8 + limits + 4, board->thermal.default_256);
    if (version >= 2) b.Set<std::int32_t>(8 + limits + 8, board->thermal.max_256);
    return 0;
}

int __cdecl GetThermalPoliciesStatus(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0xE9C425A1, gpu, block, {0x30548, 0x20038}, board, status)) return status;
    if (!board->thermal.present) return kNotSupported;
    Block b(block);
    const ThermalStatusLayout layout = ThermalStatusOf(b);
    const std::uint32_t count = std::min<std::uint32_t>(b.Get<std::uint8_t>(4), 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = 8 + layout.stride * i;
        if (b.Get<std::uint32_t>(at) != 1) continue;
        b.Set<std::int32_t>(at + layout.target, board->thermal.target_256);
        b.Set<std::uint8_t>(at + layout.flags, board->thermal.priority ? 1 : 0);
    }
    return 0;
}

int __cdecl SetThermalPoliciesStatus(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x34C0B13D, gpu, block, {0x30548, 0x20038}, board, status)) return status;
    if (!board->thermal.present) return kNotSupported;
    Block b(block);
    const ThermalStatusLayout layout = ThermalStatusOf(b);
    const std::uint32_t count = std::min<std::uint32_t>(b.Get<std::uint8_t>(4), 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = 8 + layout.stride * i;
        if (b.Get<std::uint32_t>(at) != 1) continue;
        const std::int32_t target = b.Get<std::int32_t>(at + layout.target);
        if (target < board->thermal.min_256 || target > board->thermal.max_256) return -5;
        board->thermal.target_256 = target;
        board->thermal.priority = b.Get<std::uint8_t>(at + layout.flags) & 1;
    }
    return 0;
}

// ---------------------------------------------------------------- fans

int __cdecl GetFanCoolersInfo(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0xFB85B01E, gpu, block, {0x1062C}, board, status)) return status;
    if (board->coolers.empty()) return kNotSupported;
    Block b(block);
    b.Set<std::uint32_t>(4, 1);
    b.Set<std::uint8_t>(8, static_cast<std::uint8_t>(Reported(*board, "fan_coolers", board->coolers.size())));
    for (std::size_t i = 0; i < board->coolers.size() && i < 32; ++i) b.Set<std::uint32_t>(44 + 48 * i, board->coolers[i].id);
    return 0;
}

int __cdecl GetFanCoolersStatus(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x35AED5E8, gpu, block, {0x106A8}, board, status)) return status;
    if (board->coolers.empty()) return kNotSupported;
    Tick(*board);
    Block b(block);
    b.Set<std::uint8_t>(4, static_cast<std::uint8_t>(Reported(*board, "fan_coolers", board->coolers.size())));
    for (std::size_t i = 0; i < board->coolers.size() && i < 32; ++i) {
        const FanCooler& c = board->coolers[i];
        const std::size_t at = 40 + 52 * i;
        b.Set<std::uint32_t>(at, c.id);
        b.Set<std::uint32_t>(at + 4, c.level * c.maxRpm / 100);
        b.Set<std::uint32_t>(at + 8, c.minLevel);
        b.Set<std::uint32_t>(at + 12, c.maxLevel);
        b.Set<std::uint32_t>(at + 16, c.level);
    }
    return 0;
}

int __cdecl GetFanCoolersControl(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x814B209F, gpu, block, {0x105AC}, board, status)) return status;
    if (board->coolers.empty()) return kNotSupported;
    Block b(block);
    b.Set<std::uint8_t>(8, static_cast<std::uint8_t>(Reported(*board, "fan_coolers", board->coolers.size())));
    for (std::size_t i = 0; i < board->coolers.size() && i < 32; ++i) {
        const FanCooler& c = board->coolers[i];
        const std::size_t at = 44 + 44 * i;
        b.Set<std::uint32_t>(at, c.id);
        b.Set<std::uint32_t>(at + 4, c.manual ? c.manualLevel : c.level);
        b.Set<std::uint32_t>(at + 8, c.manual ? 1 : 0);
    }
    return 0;
}

int __cdecl SetFanCoolersControl(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0xA58971A5, gpu, block, {0x105AC}, board, status)) return status;
    if (board->coolers.empty()) return kNotSupported;
    Block b(block);
    const std::uint32_t count = b.Get<std::uint8_t>(8);
    if (count > 32) return -5;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = 44 + 44 * i;
        const std::uint32_t id = b.Get<std::uint32_t>(at);
        auto cooler = std::find_if(board->coolers.begin(), board->coolers.end(),
                                   [id](const FanCooler& c) { return c.id == id; });
        if (cooler == board->coolers.end()) return -5;
        const bool manual = b.Get<std::uint32_t>(at + 8) & 1;
        const std::uint32_t level = b.Get<std::uint32_t>(at + 4);
        if (manual && (level < cooler->minLevel || level > cooler->maxLevel)) return -5;
        cooler->manual = manual;
        cooler->manualLevel = manual ? level : 0;
        if (manual && !board->live) cooler->level = level;  // a still board's fan gets there at once
    }
    SaveState();
    return 0;
}

int __cdecl GetCoolerSettings(void* gpu, std::uint32_t, void* block) {
    Board* board;
    int status;
    if (!Enter(0xDA141340, gpu, block, {0x40558, 0x30508}, board, status)) return status;
    OlderCooler& c = board->olderCooler;
    if (!c.present) return kNotSupported;
    if (c.level != c.target && --c.readsLeft <= 0) c.level = c.target;
    Block b(block);
    b.Set<std::uint32_t>(4, 1);
    b.Set<std::uint32_t>(16, c.lower1);
    b.Set<std::uint32_t>(20, c.upper1);
    b.Set<std::uint32_t>(24, c.lower2);
    b.Set<std::uint32_t>(28, c.upper2);
    b.Set<std::uint32_t>(32, c.level);
    b.Set<std::uint32_t>(36, c.defaultPolicy);
    b.Set<std::uint32_t>(40, c.currentPolicy);
    return 0;
}

int __cdecl SetCoolerLevels(void* gpu, std::uint32_t, void* block) {
    Board* board;
    int status;
    if (!Enter(0x891FA0AE, gpu, block, {0x100A4}, board, status)) return status;
    OlderCooler& c = board->olderCooler;
    if (!c.present) return kNotSupported;
    Block b(block);
    if (b.Get<std::uint32_t>(8) == 0) return 0;  // entries without a policy are not applied
    c.currentPolicy = b.Get<std::uint32_t>(8);
    c.target = b.Get<std::uint32_t>(4);
    c.readsLeft = c.lagReads;
    if (c.lagReads == 0) c.level = c.target;
    SaveState();
    return 0;
}

int __cdecl RestoreCoolerSettings(void* gpu, const std::uint32_t*, std::uint32_t) {
    Board* board;
    int status;
    if (!EnterPlain(0x8F6ED0FB, gpu, board, status)) return status;
    OlderCooler& c = board->olderCooler;
    if (!c.present) return kNotSupported;
    c.currentPolicy = c.defaultPolicy;
    SaveState();
    return 0;
}

int __cdecl GetDriverControlInfo(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0xFAB69565, gpu, block, {0x10088}, board, status)) return status;
    return board->controls.empty() ? kNotSupported : 0;
}

int __cdecl GetDriverControl(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0xF5E10439, gpu, block, {0x10010}, board, status)) return status;
    Block b(block);
    const auto it = board->controls.find(b.Get<std::uint32_t>(4));
    if (it == board->controls.end()) return -5;
    b.Set<std::uint32_t>(8, it->second);
    return 0;
}

int __cdecl SetDriverControl(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0xF3B11E68, gpu, block, {0x10010}, board, status)) return status;
    Block b(block);
    const auto it = board->controls.find(b.Get<std::uint32_t>(4));
    if (it == board->controls.end() || b.Get<std::uint32_t>(12) != 1) return -5;
    if (board->readOnlyControls.count(it->first)) return -158;  // NVAPI_SET_NOT_ALLOWED
    it->second = b.Get<std::uint32_t>(8);
    return 0;
}

// ---------------------------------------------------------------- sensors

int __cdecl GetThermalSettings(void* gpu, std::uint32_t, void* block) {
    Board* board;
    int status;
    if (!Enter(0xE3640A56, gpu, block, {0x20044, 0x10044}, board, status)) return status;
    Tick(*board);
    if (!Has(*board, "temperature")) return kNotSupported;
    Block b(block);
    b.Set<std::uint32_t>(4, 1);
    b.Set<std::int32_t>(8, 1);
    b.Set<std::int32_t>(12, static_cast<std::int32_t>(Reading(*board, "temperature_min")));
    b.Set<std::int32_t>(16, static_cast<std::int32_t>(Reading(*board, "temperature_max")));
    b.Set<std::int32_t>(20, static_cast<std::int32_t>(Reading(*board, "temperature")));
    b.Set<std::int32_t>(24, 1);
    return 0;
}

int __cdecl GetAllClockFrequencies(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0xDCB616C3, gpu, block, {0x30108, 0x20108, 0x10108}, board, status)) return status;
    Tick(*board);
    Block b(block);
    const std::uint32_t type = (b.Word() >> 16) == 1 ? 0 : b.Get<std::uint32_t>(4) & 0xF;
    static const char* const kTypes[] = {"current", "base", "boost"};
    if (type > 2) return -5;
    for (std::uint32_t domain : {0u, 4u}) {
        const std::string key = std::string("clock_") + kTypes[type] + "_" + std::to_string(domain);
        if (!Has(*board, key.c_str())) continue;
        b.Set<std::uint32_t>(8 + 8 * domain, 1);
        b.Set<std::uint32_t>(12 + 8 * domain, static_cast<std::uint32_t>(Reading(*board, key)));
    }
    return 0;
}

int __cdecl GetCurrentPstate(void* gpu, std::uint32_t* pstate) {
    return ValueQuery(0x927DA4F6, gpu, pstate, "current_pstate");
}

int __cdecl GetDynamicPstatesInfoEx(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x60DED2ED, gpu, block, {0x10048}, board, status)) return status;
    Tick(*board);
    Block b(block);
    b.Set<std::uint32_t>(4, 1);
    const char* const keys[] = {"usage_gpu", "usage_fb"};
    for (std::size_t i = 0; i < 2; ++i) {
        const long long value = Has(*board, keys[i]) ? Reading(*board, keys[i]) : -1;
        if (value < 0) continue;
        b.Set<std::uint32_t>(8 + 8 * i, 1);
        b.Set<std::uint32_t>(12 + 8 * i, static_cast<std::uint32_t>(value));
    }
    return 0;
}

int __cdecl GetTachReading(void* gpu, std::uint32_t* rpm) { return ValueQuery(0x5F608315, gpu, rpm, "tach"); }

int __cdecl GetCoreVoltageStatus(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x465F9BCF, gpu, block, {0x1004C}, board, status)) return status;
    if (!Has(*board, "core_voltage")) return kNotSupported;
    Block(block).Set<std::uint32_t>(40, static_cast<std::uint32_t>(Reading(*board, "core_voltage")));
    return 0;
}

int __cdecl GetVoltageDomainsStatus(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0xC16C7E2C, gpu, block, {0x1008C}, board, status)) return status;
    if (!Has(*board, "rail_voltage")) return kNotSupported;
    Block b(block);
    b.Set<std::uint32_t>(8, Reported(*board, "voltage_domains", 1));
    b.Set<std::uint32_t>(12, 0);
    b.Set<std::uint32_t>(16, static_cast<std::uint32_t>(Reading(*board, "rail_voltage")));
    return 0;
}

int __cdecl GetPowerTopologyInfo(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0xA4DFD3F2, gpu, block, {0x10018}, board, status)) return status;
    if (board->powerChannels.empty()) return kNotSupported;
    Block b(block);
    b.Set<std::uint8_t>(4, 1);
    b.Set<std::uint8_t>(5, static_cast<std::uint8_t>(Reported(*board, "power_channels", board->powerChannels.size())));
    for (std::size_t i = 0; i < board->powerChannels.size() && i < 4; ++i) {
        b.Set<std::uint32_t>(8 + 4 * i, board->powerChannels[i]);
    }
    return 0;
}

int __cdecl GetPowerTopologyStatus(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0xEDCF624E, gpu, block, {0x10048}, board, status)) return status;
    Tick(*board);
    Block b(block);
    const std::uint32_t count = std::min<std::uint32_t>(b.Get<std::uint8_t>(4), 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::string key = "power_channel_" + std::to_string(b.Get<std::uint32_t>(8 + 16 * i));
        if (!Has(*board, key.c_str())) return -5;
        b.Set<std::uint32_t>(8 + 16 * i + 8, static_cast<std::uint32_t>(Reading(*board, key)));
    }
    return 0;
}

// ---------------------------------------------------------------- identity

int __cdecl GetFullName(void* gpu, char* name) {
    Board* board;
    int status;
    if (!EnterPlain(0xCEEE8E9F, gpu, board, status)) return status;
    if (!name) return -5;
    if (board->name.empty()) return -1;
    const std::size_t length = std::min<std::size_t>(board->name.size(), 63);
    std::memcpy(name, board->name.data(), length);
    name[length] = '\0';
    return 0;
}

int __cdecl GetPCIIdentifiers(void* gpu, std::uint32_t* device, std::uint32_t* subsystem, std::uint32_t* revision,
                              std::uint32_t* external) {
    Board* board;
    int status;
    if (!EnterPlain(0x2DDFB66E, gpu, board, status)) return status;
    if (!device || !subsystem || !revision || !external) return -5;
    if (!Has(*board, "pci_device")) return -1;
    *device = static_cast<std::uint32_t>(Reading(*board, "pci_device"));
    *subsystem = static_cast<std::uint32_t>(Reading(*board, "pci_subsystem"));
    *revision = 0xA1;
    *external = *device >> 16;
    return 0;
}

int __cdecl GetBusType(void* gpu, std::uint32_t* v) { return ValueQuery(0x1BB18724, gpu, v, "bus"); }
int __cdecl GetIRQ(void* gpu, std::uint32_t* v) { return ValueQuery(0xE4715417, gpu, v, "irq"); }
int __cdecl GetVbiosRevision(void* gpu, std::uint32_t* v) { return ValueQuery(0xACC3DA0A, gpu, v, "vbios"); }
int __cdecl GetVbiosOEMRevision(void* gpu, std::uint32_t* v) { return ValueQuery(0x2D43FB31, gpu, v, "vbios_oem"); }
int __cdecl GetPCIEWidth(void* gpu, std::uint32_t* v) { return ValueQuery(0xD048C3B1, gpu, v, "lanes"); }
int __cdecl GetFrameBufferSize(void* gpu, std::uint32_t* v) { return ValueQuery(0x46FBEB03, gpu, v, "memory_kb"); }
int __cdecl GetRamType(void* gpu, std::uint32_t* v) { return ValueQuery(0x57F7CAAC, gpu, v, "memory_type"); }
int __cdecl GetShaderPipeCount(void* gpu, std::uint32_t* v) { return ValueQuery(0x63E2F56F, gpu, v, "shader_pipes"); }
int __cdecl GetShaderSubPipeCount(void* gpu, std::uint32_t* v) {
    return ValueQuery(0x0BE17923, gpu, v, "shader_sub_pipes");
}
int __cdecl GetPartitionCount(void* gpu, std::uint32_t* v) { return ValueQuery(0x86F05D7A, gpu, v, "partitions"); }
int __cdecl GetGpuCoreCount(void* gpu, std::uint32_t* v) { return ValueQuery(0xC7026A87, gpu, v, "cores"); }

int __cdecl GetDriverAndBranchVersion(std::uint32_t* version, char* branch) {
    int status;
    if (Intercept(0x2926AAAD, nullptr, status)) return status;
    if (!version || !branch) return -5;
    if (TheWorld().driver.driverVersion == 0) return -1;
    *version = TheWorld().driver.driverVersion;
    std::strcpy(branch, "r470_00");
    return 0;
}

}  // namespace sim
