// Scenario files: one "[board]" section per board, "key = values" lines.
//
//   initialize = -6                      NvAPI_Initialize answers this status
//   max_version = 0x6FF81213, 1          newest structure version a call accepts
//   absent = 0x64B43A6A                  the driver offers no such function
//   [board]
//   tcc = 1                              listed as a TCC (compute-only) board
//   debug_mode = 1                       clock and curve writes answer -217
//   curve = domain, min kHz, max kHz, first point, last point
//   unwritable_point = 5                 the driver refuses writes to this curve point
//   pstates20_editable = 0
//   pstate20_clock = pstate, domain, type, min kHz, max kHz, freq|min kHz, max kHz
//   perf_level = level, domain, current, default, min, max (kHz)
//   pstate_count = 4
//   report = what, count     a count reported in place of the true one: pstates20, pstates20_clocks,
//                            levels, level_domains, pstate_info, base_voltages, over_voltages,
//                            pstate_voltages, fan_coolers, power_policies, thermal_policies,
//                            voltage_domains, power_channels
//   live = 1                             load, temperature, fans and clocks move with time
//   voltage_boost = percent
//   base_voltage = voltage uV, min uV, max uV      (P0 base-voltage offset)
//   over_voltage = min uV, max uV
//   voltage_step = uV
//   pstate_voltage = pstate, mV
//   power = min, default, max, target            (per-cent-mille)
//   thermal = min, default, max, target          (1/256 degC)
//   fan_cooler = id, min level, max level, level, max rpm
//   older_cooler = lower1, upper1, lower2, upper2, level[, reads before it settles]
//   control = id, value
//   name = GeForce ...
//   <reading> = value                             temperature, temperature_min, temperature_max,
//       usage_gpu, usage_fb, clock_<current|base|boost>_<0|4> (kHz), current_pstate, tach,
//       core_voltage (uV), rail_voltage (uV), power_channel_<id> (pcm), pci_device, pci_subsystem,
//       bus, lanes, irq, vbios, vbios_oem, memory_kb, memory_type, partitions, shader_pipes,
//       shader_sub_pipes, cores
//   led_first = firmware, locked    first-generation LED controller at 0x10; firmware 0 " 1.",
//                                   1 "2.0", 2 "2.1", any other an unknown text; locked 1 hides the tag
//   led_second = d1, d2, d3, last   second-generation controller at 0x92 with kind digits
//                                   (1, 2, 0, 2 make kind 1202); a fifth field 0 spoils the tag
//   board_controller = 1            the board controller at 0x40
//   i2c_fail = device, register     transfers with that register fail (-1: every register)
//   i2c_set = device, register, value
//   control_readonly = id           the driver control reads but refuses writes
//   zone = type                     an illumination zone: 1 RGB, 3 RGBW, 4 single colour
//   driver_version = 47114                        (before any [board])
#include "model.h"

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace sim {

namespace {

std::string Trim(const std::string& s) {
    const auto begin = s.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return {};
    const auto end = s.find_last_not_of(" \t\r");
    return s.substr(begin, end - begin + 1);
}

std::vector<std::string> Fields(const std::string& value) {
    std::vector<std::string> fields;
    std::stringstream stream(value);
    std::string field;
    while (std::getline(stream, field, ',')) fields.push_back(Trim(field));
    return fields;
}

bool Number(const std::string& text, long long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 0);
    return end && *end == '\0';
}

bool Numbers(const std::vector<std::string>& fields, std::size_t from, std::size_t count, long long* out) {
    if (fields.size() != from + count) return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (!Number(fields[from + i], out[i])) return false;
    }
    return true;
}

PerfLevel& LevelNumbered(Board& board, std::uint32_t number) {
    for (PerfLevel& level : board.levels) {
        if (level.number == number) return level;
    }
    board.levels.push_back({number, {}});
    return board.levels.back();
}

Pstate20& PstateNumbered(Board& board, std::uint32_t id) {
    for (Pstate20& pstate : board.pstates20) {
        if (pstate.id == id) return pstate;
    }
    board.pstates20.push_back({id, {}});
    return board.pstates20.back();
}

bool ParseBoardLine(const std::string& key, const std::vector<std::string>& f, Board& board) {
    long long n[7];
    if (key == "tcc" && Numbers(f, 0, 1, n)) {
        board.tcc = n[0] != 0;
    } else if (key == "debug_mode" && Numbers(f, 0, 1, n)) {
        board.debugMode = n[0] != 0;
    } else if (key == "curve" && Numbers(f, 0, 5, n)) {
        board.curve.push_back({static_cast<std::uint32_t>(n[0]), static_cast<std::int32_t>(n[1]),
                               static_cast<std::int32_t>(n[2]), static_cast<int>(n[3]), static_cast<int>(n[4])});
    } else if (key == "unwritable_point" && Numbers(f, 0, 1, n)) {
        board.unwritablePoints.insert(static_cast<int>(n[0]));
    } else if (key == "pstates20_editable" && Numbers(f, 0, 1, n)) {
        board.pstates20Editable = n[0] != 0;
    } else if (key == "pstate20_clock" && Numbers(f, 0, 7, n)) {
        PstateNumbered(board, static_cast<std::uint32_t>(n[0]))
            .clocks.push_back({static_cast<std::uint32_t>(n[1]), static_cast<std::uint32_t>(n[2]),
                               static_cast<std::int32_t>(n[3]), static_cast<std::int32_t>(n[4]),
                               static_cast<std::uint32_t>(n[5]), static_cast<std::uint32_t>(n[6])});
    } else if (key == "perf_level" && Numbers(f, 0, 6, n)) {
        LevelNumbered(board, static_cast<std::uint32_t>(n[0]))
            .domains.push_back({static_cast<std::uint32_t>(n[1]), static_cast<std::uint32_t>(n[2]),
                                static_cast<std::uint32_t>(n[3]), static_cast<std::uint32_t>(n[4]),
                                static_cast<std::uint32_t>(n[5])});
    } else if (key == "pstate_count" && Numbers(f, 0, 1, n)) {
        board.pstateCount = static_cast<std::uint32_t>(n[0]);
    } else if (key == "report" && f.size() == 2 && Number(f[1], n[0])) {
        board.reported[f[0]] = static_cast<std::uint32_t>(n[0]);
    } else if (key == "live" && Numbers(f, 0, 1, n)) {
        board.live = n[0] != 0;
    } else if (key == "voltage_boost" && Numbers(f, 0, 1, n)) {
        board.voltageBoost = static_cast<int>(n[0]);
    } else if (key == "base_voltage" && Numbers(f, 0, 3, n)) {
        board.baseVoltage = {true, static_cast<std::uint32_t>(n[0]), static_cast<std::int32_t>(n[1]),
                             static_cast<std::int32_t>(n[2])};
    } else if (key == "over_voltage" && Numbers(f, 0, 2, n)) {
        board.overVoltage = {true, 0, static_cast<std::int32_t>(n[0]), static_cast<std::int32_t>(n[1])};
    } else if (key == "voltage_step" && Numbers(f, 0, 1, n)) {
        board.voltageStep_uV = static_cast<std::uint32_t>(n[0]);
    } else if (key == "pstate_voltage" && Numbers(f, 0, 2, n)) {
        board.pstateVoltage_mV[static_cast<std::uint32_t>(n[0])] = static_cast<std::uint32_t>(n[1]);
    } else if (key == "power" && Numbers(f, 0, 4, n)) {
        board.power = {true, static_cast<std::uint32_t>(n[0]), static_cast<std::uint32_t>(n[1]),
                       static_cast<std::uint32_t>(n[2]), static_cast<std::uint32_t>(n[3])};
    } else if (key == "thermal" && Numbers(f, 0, 4, n)) {
        board.thermal = {true, static_cast<std::int32_t>(n[0]), static_cast<std::int32_t>(n[1]),
                         static_cast<std::int32_t>(n[2]), static_cast<std::int32_t>(n[3])};
    } else if (key == "fan_cooler" && Numbers(f, 0, 5, n)) {
        board.coolers.push_back({static_cast<std::uint32_t>(n[0]), static_cast<std::uint32_t>(n[1]),
                                 static_cast<std::uint32_t>(n[2]), static_cast<std::uint32_t>(n[3]),
                                 static_cast<std::uint32_t>(n[4])});
    } else if (key == "older_cooler" && (Numbers(f, 0, 5, n) || Numbers(f, 0, 6, n))) {
        OlderCooler& c = board.olderCooler;
        c.present = true;
        c.lower1 = static_cast<std::uint32_t>(n[0]);
        c.upper1 = static_cast<std::uint32_t>(n[1]);
        c.lower2 = static_cast<std::uint32_t>(n[2]);
        c.upper2 = static_cast<std::uint32_t>(n[3]);
        c.level = c.target = static_cast<std::uint32_t>(n[4]);
        c.lagReads = f.size() == 6 ? static_cast<int>(n[5]) : 0;
    } else if (key == "control" && Numbers(f, 0, 2, n)) {
        board.controls[static_cast<std::uint32_t>(n[0])] = static_cast<std::uint32_t>(n[1]);
    } else if (key == "led_first" && Numbers(f, 0, 2, n)) {
        static const char* const kFirmware[] = {" 1.", "2.0", "2.1", "3.0"};
        I2cDevice device;
        device.kind = I2cDevice::Kind::FirstGenerationLed;
        device.address = 0x10;
        std::memcpy(&device.registers[7], "ZANTH", 5);
        std::memcpy(&device.registers[12], kFirmware[n[0] >= 0 && n[0] <= 2 ? n[0] : 3], 3);
        device.locked = n[1] != 0;
        board.i2c.push_back(device);
    } else if (key == "led_second" && (Numbers(f, 0, 4, n) || Numbers(f, 0, 5, n))) {
        I2cDevice device;
        device.kind = I2cDevice::Kind::SecondGenerationLed;
        device.address = 0x92;
        std::memcpy(&device.registers[0xF6], f.size() == 5 && n[4] == 0 ? "ZANTX" : "ZANTH", 5);
        device.registers[0xFC] = static_cast<std::uint8_t>('0' + n[0]);
        device.registers[0xFD] = static_cast<std::uint8_t>('0' + n[1]);
        device.registers[0xFE] = static_cast<std::uint8_t>('0' + n[2]);
        device.registers[0xF5] = static_cast<std::uint8_t>(n[3]);
        board.i2c.push_back(device);
    } else if (key == "board_controller" && Numbers(f, 0, 1, n)) {
        I2cDevice device;
        device.kind = I2cDevice::Kind::BoardController;
        device.address = 0x40;
        device.registers[0x99] = 0x41;
        board.i2c.push_back(device);
    } else if (key == "i2c_fail" && Numbers(f, 0, 2, n)) {
        for (I2cDevice& device : board.i2c) {
            if (device.address == n[0]) device.failingRegisters.insert(static_cast<int>(n[1]));
        }
    } else if (key == "i2c_set" && Numbers(f, 0, 3, n)) {
        for (I2cDevice& device : board.i2c) {
            if (device.address == n[0]) device.registers[n[1] & 0xFF] = static_cast<std::uint8_t>(n[2]);
        }
    } else if (key == "control_readonly" && Numbers(f, 0, 1, n)) {
        board.readOnlyControls.insert(static_cast<std::uint32_t>(n[0]));
    } else if (key == "zone" && Numbers(f, 0, 1, n)) {
        IllumZone zone;
        zone.type = static_cast<std::uint32_t>(n[0]);
        board.zones.push_back(zone);
    } else if (key == "name") {
        board.name = f.empty() ? std::string() : f[0];
    } else if (key.rfind("power_channel_", 0) == 0 && Numbers(f, 0, 1, n)) {
        board.readings[key] = n[0];
        board.powerChannels.push_back(static_cast<std::uint32_t>(std::strtoul(key.c_str() + 14, nullptr, 10)));
    } else if (f.size() == 1 && Number(f[0], n[0]) && key.find_first_not_of("abcdefghijklmnopqrstuvwxyz_0123456789") == std::string::npos) {
        board.readings[key] = n[0];
    } else {
        return false;
    }
    return true;
}

bool ParseDriverLine(const std::string& key, const std::vector<std::string>& f, Driver& driver) {
    long long n[2];
    if (key == "driver_version" && Numbers(f, 0, 1, n)) {
        driver.driverVersion = static_cast<std::uint32_t>(n[0]);
    } else if (key == "initialize" && Numbers(f, 0, 1, n)) {
        driver.initializeStatus = static_cast<int>(n[0]);
    } else if (key == "max_version" && Numbers(f, 0, 2, n)) {
        driver.maxVersion[static_cast<std::uint32_t>(n[0])] = static_cast<std::uint32_t>(n[1]);
    } else if (key == "absent" && Numbers(f, 0, 1, n)) {
        driver.absent.insert(static_cast<std::uint32_t>(n[0]));
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool Board::PointExists(int point) const {
    for (const CurveDomain& d : curve) {
        if (point >= d.firstPoint && point <= d.lastPoint) return true;
    }
    return false;
}

bool Board::MemoryPoint(int point) const {
    for (const CurveDomain& d : curve) {
        if (d.domain == 4 && point >= d.firstPoint && point <= d.lastPoint) return true;
    }
    return false;
}

bool ParseScenario(const std::string& text, Driver& driver, std::string& error) {
    std::stringstream stream(text);
    std::string line;
    int number = 0;
    Board* board = nullptr;
    while (std::getline(stream, line)) {
        ++number;
        const auto comment = line.find('#');
        if (comment != std::string::npos) line.resize(comment);
        line = Trim(line);
        if (line.empty()) continue;
        if (line == "[board]") {
            driver.boards.emplace_back();
            board = &driver.boards.back();
            continue;
        }
        const auto equals = line.find('=');
        const bool ok = equals != std::string::npos &&
                        (board ? ParseBoardLine(Trim(line.substr(0, equals)), Fields(line.substr(equals + 1)), *board)
                               : ParseDriverLine(Trim(line.substr(0, equals)), Fields(line.substr(equals + 1)), driver));
        if (!ok) {
            error = "line " + std::to_string(number) + ": " + line;
            return false;
        }
    }
    return true;
}

}  // namespace sim
