// Simulated I2C bus (LED controllers and the board controller), illumination zones
// and the driver settings database.
#include "bus_functions.h"

#include "call.h"

#include <algorithm>
#include <cstdio>

namespace sim {

namespace {

constexpr int kNotSupported = -104;
constexpr std::uint8_t kUnlockPattern[12] = {0x7F, 0x7F, 0x7F, 0x00, 0xFF, 0x00, 0xFF, 'Z', 'A', 'N', 'T', 'H'};

// The published I2C information structure, version 3, as the 64-bit driver reads it.
struct Transfer {
    std::uint8_t device;
    std::uint8_t reg;
    std::uint8_t* data;
    std::uint32_t size;
};

int ReadTransfer(void* block, std::uint32_t* extra, Transfer& transfer) {
    if (!block || !extra) return -5;
    Block b(block);
    if (b.Word() != 0x30040) return -9;
    if (b.Get<std::uint8_t>(8) != 0 || b.Get<std::uint8_t>(52) != 1 || b.Get<std::uint32_t>(56) == 0) {
        return -105;  // NVAPI_PORTID_NOT_FOUND: only port 1 of the communication bus is wired
    }
    std::uint8_t* regPointer = b.Get<std::uint8_t*>(16);
    const std::uint32_t regSize = b.Get<std::uint32_t>(24);
    transfer.device = b.Get<std::uint8_t>(9);
    transfer.data = b.Get<std::uint8_t*>(32);
    transfer.size = b.Get<std::uint32_t>(40);
    if (regSize != 1 || !regPointer || !transfer.data) return -5;
    if (transfer.size == 0 || transfer.size > 16) return -116;  // NVAPI_ARGUMENT_EXCEED_MAX_SIZE
    transfer.reg = *regPointer;
    return 0;
}

I2cDevice* Device(Board& board, std::uint8_t address) {
    for (I2cDevice& device : board.i2c) {
        if (device.address == address) return &device;
    }
    return nullptr;
}

bool Fails(const I2cDevice& device, const Transfer& t) {
    if (device.failingRegisters.count(-1)) return true;
    for (std::uint32_t i = 0; i < t.size; ++i) {
        if (device.failingRegisters.count((t.reg + i) & 0xFF)) return true;
    }
    return false;
}

void Log(char direction, const Transfer& t) {
    char line[80];
    int used = std::snprintf(line, sizeof line, "%c %02X %02X", direction, t.device, t.reg);
    for (std::uint32_t i = 0; i < t.size && used < 76; ++i) used += std::snprintf(line + used, sizeof line - used, " %02X", t.data[i]);
    ++TheWorld().i2cTransfers;
    std::string& log = TheWorld().i2cLog;
    // The demo writes LEDs for hours: keep the newest transfers, whole lines only.
    constexpr std::size_t kLogLimit = 1 << 16;
    if (log.size() >= kLogLimit) log.erase(0, log.find('\n', log.size() / 2) + 1);
    log += line;
    log += '\n';
}

// After a write to a first-generation controller: the unlock and the power-on default.
void FirstGenerationWritten(I2cDevice& device, const Transfer& t) {
    if (device.locked && std::equal(kUnlockPattern, kUnlockPattern + 12, device.registers)) device.locked = false;
    if (t.reg == 12 && t.size == 4) {
        static const std::uint8_t kMagic[4] = {0x55, 0xAA, 0x55, 0xAA};
        device.powerOnMagic = t.data[3] == kMagic[device.powerOnMagic] ? device.powerOnMagic + 1 : 0;
        if (device.powerOnMagic == 4) {
            device.powerOnStored = true;
            device.powerOnMagic = 0;
        }
    }
}

}  // namespace

int __cdecl I2cReadEx(void* gpu, void* block, std::uint32_t* extra) {
    Board* board;
    int status;
    if (!EnterPlain(0x4D7B0709, gpu, board, status)) return status;
    Transfer t{};
    if ((status = ReadTransfer(block, extra, t)) != 0) return status;
    I2cDevice* device = Device(*board, t.device);
    if (!device || Fails(*device, t)) return -1;  // no acknowledge
    for (std::uint32_t i = 0; i < t.size; ++i) {
        const std::uint8_t reg = static_cast<std::uint8_t>(t.reg + i);
        const bool hidden = device->kind == I2cDevice::Kind::FirstGenerationLed && device->locked && reg >= 7 && reg <= 11;
        t.data[i] = hidden ? 0 : device->registers[reg];
    }
    Log('R', t);
    return 0;
}

int __cdecl I2cWriteEx(void* gpu, void* block, std::uint32_t* extra) {
    Board* board;
    int status;
    if (!EnterPlain(0x283AC65A, gpu, board, status)) return status;
    Transfer t{};
    if ((status = ReadTransfer(block, extra, t)) != 0) return status;
    I2cDevice* device = Device(*board, t.device);
    if (!device || Fails(*device, t)) return -1;
    Log('W', t);
    for (std::uint32_t i = 0; i < t.size; ++i) device->registers[static_cast<std::uint8_t>(t.reg + i)] = t.data[i];
    if (device->kind == I2cDevice::Kind::FirstGenerationLed) FirstGenerationWritten(*device, t);
    return 0;
}

int __cdecl GetIllumZonesControl(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x3DBF5764, gpu, block, {0x1194C}, board, status)) return status;
    if (board->zones.empty()) return kNotSupported;
    Block b(block);
    const bool defaults = b.Get<std::uint32_t>(4) & 1;
    b.Set<std::uint32_t>(8, static_cast<std::uint32_t>(board->zones.size()));
    for (std::size_t i = 0; i < board->zones.size() && i < 32; ++i) {
        const IllumZone& zone = board->zones[i];
        const std::size_t at = 76 + 200 * i;
        b.Set<std::uint32_t>(at, zone.type);
        b.Set<std::uint32_t>(at + 4, defaults ? zone.defaultMode : zone.mode);
        for (std::size_t k = 0; k < 128; ++k) b.Set<std::uint8_t>(at + 8 + k, defaults ? zone.defaultData[k] : zone.data[k]);
    }
    return 0;
}

int __cdecl SetIllumZonesControl(void* gpu, void* block) {
    Board* board;
    int status;
    if (!Enter(0x197D065E, gpu, block, {0x1194C}, board, status)) return status;
    if (board->zones.empty()) return kNotSupported;
    Block b(block);
    const bool defaults = b.Get<std::uint32_t>(4) & 1;
    const std::uint32_t count = b.Get<std::uint32_t>(8);
    if (count > board->zones.size()) return -5;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (b.Get<std::uint32_t>(76 + 200 * i) != board->zones[i].type) return -5;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        IllumZone& zone = board->zones[i];
        const std::size_t at = 76 + 200 * i;
        (defaults ? zone.defaultMode : zone.mode) = b.Get<std::uint32_t>(at + 4);
        std::uint8_t* data = defaults ? zone.defaultData : zone.data;
        for (std::size_t k = 0; k < 128; ++k) data[k] = b.Get<std::uint8_t>(at + 8 + k);
    }
    return 0;
}

// ---------------------------------------------------------------- driver settings

namespace {

constexpr std::uintptr_t kBaseProfile = 0x6000;

std::map<std::uint32_t, std::uint32_t>* Session(void* handle) {
    auto& sessions = TheWorld().sessions;
    const auto it = sessions.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == sessions.end() ? nullptr : &it->second;
}

}  // namespace

int __cdecl DrsCreateSession(void** session) {
    int status;
    if (Intercept(0x0694D52E, nullptr, status)) return status;
    if (!session) return -5;
    const std::uintptr_t handle = TheWorld().nextSession += 0x10;
    TheWorld().sessions[handle] = {};
    *session = reinterpret_cast<void*>(handle);
    return 0;
}

int __cdecl DrsDestroySession(void* session) {
    int status;
    if (Intercept(0xDAD9CFF8, nullptr, status)) return status;
    return TheWorld().sessions.erase(reinterpret_cast<std::uintptr_t>(session)) ? 0 : -8;
}

int __cdecl DrsLoadSettings(void* session) {
    int status;
    if (Intercept(0x375DBD6B, nullptr, status)) return status;
    auto* settings = Session(session);
    if (!settings) return -8;
    *settings = TheWorld().driver.settings;
    return 0;
}

int __cdecl DrsSaveSettings(void* session) {
    int status;
    if (Intercept(0xFCBC7E14, nullptr, status)) return status;
    auto* settings = Session(session);
    if (!settings) return -8;
    TheWorld().driver.settings = *settings;
    SaveState();
    return 0;
}

int __cdecl DrsGetBaseProfile(void* session, void** profile) {
    int status;
    if (Intercept(0xDA8466A0, nullptr, status)) return status;
    if (!Session(session)) return -8;
    if (!profile) return -5;
    *profile = reinterpret_cast<void*>(kBaseProfile);
    return 0;
}

int __cdecl DrsSetSetting(void* session, void* profile, void* block) {
    int status;
    if (Intercept(0x577DD202, block, status)) return status;
    auto* settings = Session(session);
    if (!settings || reinterpret_cast<std::uintptr_t>(profile) != kBaseProfile) return -8;
    if (!block || Block(block).Word() != 0x13020) return -9;
    Block b(block);
    if (b.Get<std::uint32_t>(4104) != 0) return -168;  // NVAPI_DATATYPE_MISMATCH: a DWORD setting
    (*settings)[b.Get<std::uint32_t>(4100)] = b.Get<std::uint32_t>(8220);
    return 0;
}

int __cdecl DrsGetSetting(void* session, void* profile, std::uint32_t id, void* block) {
    int status;
    if (Intercept(0x73BF8338, block, status)) return status;
    auto* settings = Session(session);
    if (!settings || reinterpret_cast<std::uintptr_t>(profile) != kBaseProfile) return -8;
    if (!block || Block(block).Word() != 0x13020) return -9;
    const auto it = settings->find(id);
    if (it == settings->end()) return -160;  // NVAPI_SETTING_NOT_FOUND
    Block b(block);
    b.Set<std::uint32_t>(4100, id);
    b.Set<std::uint32_t>(4104, 0);
    b.Set<std::uint32_t>(4108, 2);  // the base profile
    b.Set<std::uint32_t>(8220, it->second);
    return 0;
}

int __cdecl DrsDeleteProfileSetting(void* session, void* profile, std::uint32_t id) {
    int status;
    if (Intercept(0xE4A26362, nullptr, status)) return status;
    auto* settings = Session(session);
    if (!settings || reinterpret_cast<std::uintptr_t>(profile) != kBaseProfile) return -8;
    return settings->erase(id) ? 0 : -160;
}

}  // namespace sim
