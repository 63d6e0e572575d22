// The simulated driver functions. Structures are read and written by byte offset,
// independently of the program's own structure definitions, and never beyond the
// size that the caller's version word declares.
#include "functions.h"

#include "call.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace sim {

namespace {

constexpr std::uint32_t kPointCount = 255;
// The demo runs for hours: keep the newest calls, few enough that the log stays out of
// the program's memory figures.
constexpr std::size_t kLogLimit = 1 << 12;

bool g_initialized = false;

}  // namespace

bool Intercept(std::uint32_t id, const void* block, int& status) {
    PollControlFile();
    World& world = TheWorld();
    ++world.counts[id];
    ++world.calls;
    std::uint32_t version = 0;
    if (block) std::memcpy(&version, block, 4);
    if (world.log.size() >= kLogLimit) world.log.erase(world.log.begin(), world.log.begin() + kLogLimit / 2);
    world.log.push_back({id, version});
    auto fault = world.faults.find(id);
    if (fault != world.faults.end() && fault->second.remaining > 0) {
        --fault->second.remaining;
        ++world.faultsAnswered;
        status = fault->second.status;
        return true;
    }
    return false;
}

namespace {

// The version word must be one the call knows, and not newer than the scenario allows.
bool Accepts(std::uint32_t id, void* block, std::initializer_list<std::uint32_t> known) {
    if (!block) return false;
    const std::uint32_t word = Block(block).Word();
    const auto limit = TheWorld().driver.maxVersion.find(id);
    for (std::uint32_t version : known) {
        if (word != version) continue;
        return limit == TheWorld().driver.maxVersion.end() || (version >> 16) <= limit->second;
    }
    return false;
}

constexpr std::uintptr_t kHandleBase = 0x5A000000;

void* HandleOf(std::size_t board) { return reinterpret_cast<void*>(kHandleBase + 0x100 * (board + 1)); }

// The ordinary board behind a handle; sets the status a driver gives otherwise.
Board* BoardOf(void* handle, int& status) {
    if (!g_initialized) {
        status = -4;  // NVAPI_API_NOT_INITIALIZED
        return nullptr;
    }
    auto& boards = TheWorld().driver.boards;
    const std::uintptr_t value = reinterpret_cast<std::uintptr_t>(handle);
    if (value <= kHandleBase || (value - kHandleBase) % 0x100 != 0 || (value - kHandleBase) / 0x100 > boards.size()) {
        status = -101;  // NVAPI_EXPECTED_PHYSICAL_GPU_HANDLE
        return nullptr;
    }
    Board& board = boards[(value - kHandleBase) / 0x100 - 1];
    if (board.tcc) {
        status = -8;  // TCC handles serve only the compute functions
        return nullptr;
    }
    return &board;
}

}  // namespace

bool Enter(std::uint32_t id, void* gpu, void* block, std::initializer_list<std::uint32_t> versions, Board*& board,
           int& status) {
    status = 0;
    board = nullptr;
    if (Intercept(id, block, status)) return false;
    board = BoardOf(gpu, status);
    if (!board) return false;
    if (!Accepts(id, block, versions)) {
        status = -9;
        return false;
    }
    return true;
}

bool EnterPlain(std::uint32_t id, void* gpu, Board*& board, int& status) {
    status = 0;
    board = nullptr;
    if (Intercept(id, nullptr, status)) return false;
    board = BoardOf(gpu, status);
    return board != nullptr;
}

namespace {

int Enumerate(void** handles, std::uint32_t* count, bool tcc) {
    if (!handles || !count) return -5;
    if (!g_initialized) return -4;
    std::uint32_t n = 0;
    const auto& boards = TheWorld().driver.boards;
    for (std::size_t i = 0; i < boards.size() && n < 64; ++i) {
        if (boards[i].tcc == tcc) handles[n++] = HandleOf(i);
    }
    *count = n;
    return n == 0 && !tcc ? -6 : 0;
}

}  // namespace

int __cdecl Initialize() {
    int status;
    if (Intercept(0x0150E828, nullptr, status)) return status;
    status = TheWorld().driver.initializeStatus;
    g_initialized = status == 0;
    return status;
}

void ResetInitialized() { g_initialized = false; }

int __cdecl EnumPhysicalGPUs(void** handles, std::uint32_t* count) {
    int status;
    if (Intercept(0xE5AC921F, nullptr, status)) return status;
    return Enumerate(handles, count, false);
}

int __cdecl EnumTCCPhysicalGPUs(void** handles, std::uint32_t* count) {
    int status;
    if (Intercept(0xD9930B07, nullptr, status)) return status;
    return Enumerate(handles, count, true);
}

int __cdecl GetPstates20(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x6FF81213, gpu, block, {0x31CF8, 0x21CF8, 0x11C94}, board, status)) return status;
    if (board->pstates20.empty()) return -104;

    Block b(block);
    std::size_t clocks = 0;
    for (const Pstate20& p : board->pstates20) clocks = std::max(clocks, p.clocks.size());
    b.Set<std::uint32_t>(4, board->pstates20Editable ? 1 : 0);
    b.Set<std::uint32_t>(8, Reported(*board, "pstates20", board->pstates20.size()));
    b.Set<std::uint32_t>(12, Reported(*board, "pstates20_clocks", clocks));
    b.Set<std::uint32_t>(16, Reported(*board, "base_voltages", board->baseVoltage.present ? 1 : 0));
    for (std::size_t p = 0; p < board->pstates20.size() && p < 16; ++p) {
        if (board->baseVoltage.present && board->pstates20[p].id == 0) {
            const std::size_t at = 20 + 456 * p + 360;
            b.Set<std::uint32_t>(at, 0);
            b.Set<std::uint32_t>(at + 4, 1);
            b.Set<std::uint32_t>(at + 8, board->baseVoltage.volt_uV);
            b.Set<std::int32_t>(at + 12, board->baseVoltage.value_uV);
            b.Set<std::int32_t>(at + 16, board->baseVoltage.min_uV);
            b.Set<std::int32_t>(at + 20, board->baseVoltage.max_uV);
        }
        const std::size_t entry = 20 + 456 * p;
        b.Set<std::uint32_t>(entry, board->pstates20[p].id);
        b.Set<std::uint32_t>(entry + 4, board->pstates20Editable ? 1 : 0);
        for (std::size_t c = 0; c < board->pstates20[p].clocks.size() && c < 8; ++c) {
            const Pstate20Clock& clock = board->pstates20[p].clocks[c];
            const std::size_t at = entry + 8 + 44 * c;
            b.Set<std::uint32_t>(at, clock.domain);
            b.Set<std::uint32_t>(at + 4, clock.type);
            b.Set<std::uint32_t>(at + 8, 1);
            b.Set<std::int32_t>(at + 12, clock.offset_kHz);
            b.Set<std::int32_t>(at + 16, clock.minOffset_kHz);
            b.Set<std::int32_t>(at + 20, clock.maxOffset_kHz);
            b.Set<std::uint32_t>(at + 24, clock.freq_kHz);
            if (clock.type == 1) b.Set<std::uint32_t>(at + 28, clock.maxFreq_kHz);
        }
    }
    if (board->overVoltage.present && (b.Word() >> 16) >= 2) {
        b.Set<std::uint32_t>(7316, Reported(*board, "over_voltages", 1));
        b.Set<std::uint32_t>(7320, 0);
        b.Set<std::uint32_t>(7324, 1);
        b.Set<std::int32_t>(7332, board->overVoltage.value_uV);
        b.Set<std::int32_t>(7336, board->overVoltage.min_uV);
        b.Set<std::int32_t>(7340, board->overVoltage.max_uV);
    }
    return 0;
}

int __cdecl SetPstates20(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x0F4DAE6B, gpu, block, {0x31CF8, 0x21CF8, 0x11C94}, board, status)) return status;
    if (board->pstates20.empty()) return -104;
    if (!board->pstates20Editable) return -158;  // NVAPI_SET_NOT_ALLOWED
    if (board->debugMode) return -217;

    Block b(block);
    const std::uint32_t pstates = b.Get<std::uint32_t>(8);
    const std::uint32_t clocks = b.Get<std::uint32_t>(12);
    const std::uint32_t baseVoltages = b.Get<std::uint32_t>(16);
    const std::uint32_t overVoltages = (b.Word() >> 16) >= 2 ? b.Get<std::uint32_t>(7316) : 0;
    if (pstates > 16 || clocks > 8 || baseVoltages > 4 || overVoltages > 4) return -5;
    std::vector<std::pair<std::int32_t*, std::int32_t>> voltageChanges;
    auto voltage = [&](VoltageDelta& delta, std::size_t at) {
        const std::int32_t value = b.Get<std::int32_t>(at + 12);
        if (b.Get<std::uint32_t>(at) != 0 || !delta.present || value < delta.min_uV || value > delta.max_uV) return false;
        voltageChanges.push_back({&delta.value_uV, value});
        return true;
    };
    for (std::uint32_t p = 0; p < pstates; ++p) {
        for (std::uint32_t v = 0; v < baseVoltages; ++v) {
            if (b.Get<std::uint32_t>(20 + 456 * p) != 0 || !voltage(board->baseVoltage, 20 + 456 * p + 360 + 24 * v)) {
                return -5;
            }
        }
    }
    for (std::uint32_t k = 0; k < overVoltages; ++k) {
        if (!voltage(board->overVoltage, 7320 + 24 * k)) return -5;
    }
    // Validate everything first: a refused write changes nothing.
    std::vector<std::pair<Pstate20Clock*, std::int32_t>> changes;
    for (std::uint32_t p = 0; p < pstates; ++p) {
        const std::size_t entry = 20 + 456 * p;
        const std::uint32_t pstateId = b.Get<std::uint32_t>(entry);
        for (std::uint32_t c = 0; c < clocks; ++c) {
            const std::size_t at = entry + 8 + 44 * c;
            const std::uint32_t domain = b.Get<std::uint32_t>(at);
            const std::int32_t offset = b.Get<std::int32_t>(at + 12);
            Pstate20Clock* target = nullptr;
            for (Pstate20& pstate : board->pstates20) {
                for (Pstate20Clock& clock : pstate.clocks) {
                    if (pstate.id == pstateId && clock.domain == domain) target = &clock;
                }
            }
            if (!target || offset < target->minOffset_kHz || offset > target->maxOffset_kHz) return -5;
            changes.push_back({target, offset});
        }
    }
    for (auto& [clock, offset] : changes) clock->offset_kHz = offset;
    for (auto& [field, value] : voltageChanges) *field = value;
    SaveState();
    return 0;
}

int __cdecl GetClockDomainsInfo(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x64B43A6A, gpu, block, {0x10928}, board, status)) return status;

    Block b(block);
    std::uint32_t mask = 0;
    for (std::size_t i = 0; i < board->curve.size() && i < 32; ++i) {
        const CurveDomain& d = board->curve[i];
        const std::size_t at = 40 + 72 * i;
        mask |= 1u << i;
        b.Set<std::uint32_t>(at, 0);
        b.Set<std::uint32_t>(at + 4, d.domain);
        b.Set<std::int32_t>(at + 40, d.maxOffset_kHz);
        b.Set<std::int32_t>(at + 44, d.minOffset_kHz);
        b.Set<std::uint8_t>(at + 48, static_cast<std::uint8_t>(d.firstPoint));
        b.Set<std::uint8_t>(at + 49, static_cast<std::uint8_t>(d.lastPoint));
    }
    b.Set<std::uint32_t>(4, mask);
    return 0;
}

int __cdecl GetVfPointsMask(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x507B4B59, gpu, block, {0x1182C}, board, status)) return status;

    Block b(block);
    for (std::uint32_t p = 0; p < 256; ++p) {
        if (!board->PointExists(static_cast<int>(p))) continue;
        b.SetBit(4, p);
        if (p < kPointCount) b.Set<std::uint32_t>(68 + 24 * p, board->MemoryPoint(static_cast<int>(p)) ? 1 : 0);
    }
    return 0;
}

int __cdecl GetVfPointsControl(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x23F1B133, gpu, block, {0x22420, 0x12420}, board, status)) return status;

    Block b(block);
    for (std::uint32_t p = 0; p < kPointCount; ++p) {
        if (!b.Bit(4, p) || !board->PointExists(static_cast<int>(p))) continue;
        const auto it = board->pointOffset_kHz.find(static_cast<int>(p));
        b.Set<std::uint32_t>(68 + 36 * p, board->MemoryPoint(static_cast<int>(p)) ? 1 : 0);
        b.Set<std::int32_t>(68 + 36 * p + 20, it == board->pointOffset_kHz.end() ? 0 : it->second);
    }
    return 0;
}

int __cdecl SetVfPointsControl(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x0733E009, gpu, block, {0x22420, 0x12420}, board, status)) return status;
    if (board->debugMode) return -217;

    Block b(block);
    std::vector<std::pair<int, std::int32_t>> changes;
    for (std::uint32_t p = 0; p < kPointCount; ++p) {
        if (!b.Bit(4, p)) continue;
        const int point = static_cast<int>(p);
        const std::int32_t offset = b.Get<std::int32_t>(68 + 36 * p + 20);
        const CurveDomain* domain = nullptr;
        for (const CurveDomain& d : board->curve) {
            if (point >= d.firstPoint && point <= d.lastPoint) domain = &d;
        }
        if (!domain || board->unwritablePoints.count(point) || offset < domain->minOffset_kHz ||
            offset > domain->maxOffset_kHz) {
            return -5;
        }
        changes.push_back({point, offset});
    }
    for (auto& [point, offset] : changes) board->pointOffset_kHz[point] = offset;
    SaveState();
    return 0;
}

int __cdecl GetPerfClocks(void* gpu, std::uint32_t, void* block) {
    Board* board;
    int status;
    if (!Enter(0x1EA54A3B, gpu, block, {0x22A74, 0x12A74}, board, status)) return status;
    if (board->levels.empty()) return -104;

    Block b(block);
    std::size_t domains = 0;
    for (const PerfLevel& level : board->levels) domains = std::max(domains, level.domains.size());
    b.Set<std::uint32_t>(4, Reported(*board, "levels", board->levels.size()));
    b.Set<std::uint32_t>(12, Reported(*board, "level_domains", domains));
    for (std::size_t l = 0; l < board->levels.size() && l < 12; ++l) {
        const std::size_t block0 = 20 + 904 * l;
        b.Set<std::uint32_t>(block0, board->levels[l].number);
        for (std::size_t d = 0; d < board->levels[l].domains.size() && d < 32; ++d) {
            const LevelDomain& domain = board->levels[l].domains[d];
            const std::size_t at = block0 + 8 + 28 * d;
            b.Set<std::uint32_t>(at, domain.domain);
            b.Set<std::uint32_t>(at + 8, domain.current_kHz);
            b.Set<std::uint32_t>(at + 12, domain.default_kHz);
            b.Set<std::uint32_t>(at + 16, domain.min_kHz);
            b.Set<std::uint32_t>(at + 20, domain.max_kHz);
        }
    }
    return 0;
}

int __cdecl SetPerfClocks(void* gpu, std::uint32_t, void* block) {
    Board* board;
    int status;
    if (!Enter(0x07BCF4AC, gpu, block, {0x22A74}, board, status)) return status;
    if (board->levels.empty()) return -104;

    Block b(block);
    const std::uint32_t domains = b.Get<std::uint32_t>(12);
    if (domains > 32) return -5;
    std::vector<std::pair<LevelDomain*, std::uint32_t>> changes;
    for (std::size_t l = 0; l < 12; ++l) {
        const std::size_t block0 = 20 + 904 * l;
        for (std::uint32_t d = 0; d < domains; ++d) {
            const std::size_t at = block0 + 8 + 28 * d;
            if (!(b.Get<std::uint32_t>(at + 24) & 1)) continue;
            const std::uint32_t number = b.Get<std::uint32_t>(block0);
            const std::uint32_t domainId = b.Get<std::uint32_t>(at);
            const std::uint32_t frequency = b.Get<std::uint32_t>(at + 8);
            LevelDomain* target = nullptr;
            for (PerfLevel& level : board->levels) {
                for (LevelDomain& domain : level.domains) {
                    if (level.number == number && domain.domain == domainId) target = &domain;
                }
            }
            if (!target || frequency < target->min_kHz || frequency > target->max_kHz) return -5;
            changes.push_back({target, frequency});
        }
    }
    for (auto& [domain, frequency] : changes) domain->current_kHz = frequency;
    SaveState();
    return 0;
}

namespace {

void FillPstatesInfo(const Board* board, Block& b) {
    const bool v1 = (b.Word() >> 16) == 1;
    // Pstate numbers: those with a voltage in the scenario, else P0, P8, P12, ...
    std::vector<std::uint32_t> ids;
    for (const auto& [id, mv] : board->pstateVoltage_mV) ids.push_back(id);
    for (std::uint32_t next : {0u, 8u, 12u, 2u, 3u, 5u, 10u, 11u}) {
        if (ids.size() < board->pstateCount && std::find(ids.begin(), ids.end(), next) == ids.end()) ids.push_back(next);
    }
    ids.resize(std::min<std::size_t>(ids.size(), board->pstateCount));
    b.Set<std::uint32_t>(8, Reported(*board, "pstate_info", ids.size()));
    b.Set<std::uint32_t>(12, 2);
    if (!v1) b.Set<std::uint32_t>(16, Reported(*board, "pstate_voltages", board->pstateVoltage_mV.empty() ? 0 : 1));
    const std::size_t first = v1 ? 16 : 20;
    const std::size_t size = v1 ? 392 : 584;
    for (std::size_t p = 0; p < ids.size() && p < 16; ++p) {
        const std::size_t entry = first + size * p;
        b.Set<std::uint32_t>(entry, ids[p]);
        std::size_t c = 0;
        for (const Pstate20& pstate : board->pstates20) {
            for (const Pstate20Clock& clock : pstate.clocks) {
                if (pstate.id != ids[p] || c >= 2) continue;
                b.Set<std::uint32_t>(entry + 8 + 12 * c, clock.domain);
                b.Set<std::uint32_t>(entry + 8 + 12 * c + 8, clock.type == 1 ? clock.maxFreq_kHz : clock.freq_kHz);
                ++c;
            }
        }
        const auto voltage = board->pstateVoltage_mV.find(ids[p]);
        if (!v1 && voltage != board->pstateVoltage_mV.end()) {
            b.Set<std::uint32_t>(entry + 392, 0);
            b.Set<std::uint32_t>(entry + 392 + 8, voltage->second);
        }
    }
}

}  // namespace

namespace {

// Both reads of the pstate list answer the same way under their own identifiers.
int AnswerPstatesInfo(std::uint32_t id, void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(id, gpu, block, {0x32494, 0x22494, 0x11890}, board, status)) return status;
    if (board->pstateCount == 0) return -104;
    Block b(block);
    FillPstatesInfo(board, b);
    return 0;
}

}  // namespace

int __cdecl GetPstatesInfo(void* gpu, void* block) { return AnswerPstatesInfo(0xBA94C56E, gpu, block); }

// The published read of the same list; the flags ask for defaults or limits, which a
// board of fixed clocks answers alike.
int __cdecl GetPstatesInfoEx(void* gpu, void* block, std::uint32_t) { return AnswerPstatesInfo(0x843C0256, gpu, block); }

}  // namespace sim
