// The state file (ZORVANE_SIM_STATE): offsets and level clocks as the program
// wrote them, so they outlive the process and tests can read them afterwards.
#include "model.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace sim {

namespace {

std::string Key(std::size_t board, const std::string& rest) { return "b" + std::to_string(board) + "." + rest; }

std::map<std::string, long long> Snapshot() {
    std::map<std::string, long long> values;
    const Driver& driver = TheWorld().driver;
    for (std::size_t b = 0; b < driver.boards.size(); ++b) {
        const Board& board = driver.boards[b];
        for (const auto& [point, offset] : board.pointOffset_kHz) {
            values[Key(b, "point" + std::to_string(point))] = offset;
        }
        for (const Pstate20& pstate : board.pstates20) {
            for (const Pstate20Clock& clock : pstate.clocks) {
                values[Key(b, "p20." + std::to_string(pstate.id) + "." + std::to_string(clock.domain))] =
                    clock.offset_kHz;
            }
        }
        for (const PerfLevel& level : board.levels) {
            for (const LevelDomain& domain : level.domains) {
                values[Key(b, "level" + std::to_string(level.number) + "." + std::to_string(domain.domain))] =
                    domain.current_kHz;
            }
        }
        // Fans as the program left them (read by tests, never restored).
        for (const FanCooler& cooler : board.coolers) {
            values[Key(b, "fan" + std::to_string(cooler.id) + ".manual")] = cooler.manual ? 1 : 0;
        }
        if (board.olderCooler.present) {
            values[Key(b, "cooler.manual")] = board.olderCooler.currentPolicy != board.olderCooler.defaultPolicy ? 1 : 0;
        }
        for (const I2cDevice& device : board.i2c) {
            if (device.kind == I2cDevice::Kind::FirstGenerationLed) {
                values[Key(b, "led10.poweron")] = device.powerOnStored ? 1 : 0;
            }
        }
    }
    for (const auto& [id, value] : driver.settings) values["drs." + std::to_string(id)] = value;
    return values;
}

void Assign(const std::string& key, long long value) {
    Driver& driver = TheWorld().driver;
    unsigned setting = 0;
    if (std::sscanf(key.c_str(), "drs.%u", &setting) == 1) {
        driver.settings[setting] = static_cast<std::uint32_t>(value);
        return;
    }
    unsigned board = 0;
    char rest[64] = {};
    if (std::sscanf(key.c_str(), "b%u.%63s", &board, rest) != 2 || board >= driver.boards.size()) return;
    Board& b = driver.boards[board];
    unsigned a = 0, d = 0;
    if (std::sscanf(rest, "point%u", &a) == 1) {
        if (b.PointExists(static_cast<int>(a))) b.pointOffset_kHz[static_cast<int>(a)] = static_cast<std::int32_t>(value);
    } else if (std::sscanf(rest, "p20.%u.%u", &a, &d) == 2) {
        for (Pstate20& pstate : b.pstates20) {
            for (Pstate20Clock& clock : pstate.clocks) {
                if (pstate.id == a && clock.domain == d) clock.offset_kHz = static_cast<std::int32_t>(value);
            }
        }
    } else if (std::sscanf(rest, "level%u.%u", &a, &d) == 2) {
        for (PerfLevel& level : b.levels) {
            for (LevelDomain& domain : level.domains) {
                if (level.number == a && domain.domain == d) domain.current_kHz = static_cast<std::uint32_t>(value);
            }
        }
    }
}

}  // namespace

void SaveState() {
    const std::wstring& path = TheWorld().statePath;
    if (path.empty()) return;
    std::ofstream file(path.c_str(), std::ios::trunc);
    file << "scenario=" << TheWorld().driver.scenario << "\n";
    for (const auto& [key, value] : Snapshot()) file << key << "=" << value << "\n";
}

void ApplySavedState() {
    const std::wstring& path = TheWorld().statePath;
    if (path.empty()) return;
    std::ifstream file(path.c_str());
    std::string line;
    bool sameScenario = false;
    while (std::getline(file, line)) {
        const auto equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (key == "scenario") {
            // A state written for another scenario does not apply.
            sameScenario = value == TheWorld().driver.scenario;
        } else if (sameScenario) {
            Assign(key, std::atoll(value.c_str()));
        }
    }
}

bool StateValue(const std::string& key, long long& value) {
    const auto values = Snapshot();
    const auto it = values.find(key);
    if (it == values.end()) return false;
    value = it->second;
    return true;
}

}  // namespace sim
