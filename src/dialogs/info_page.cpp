#include "info_page.h"

#include "framework/text.h"
#include "gpu/board_list.h"
#include "gpu/clocks.h"
#include "gpu/sensors.h"
#include "gpu/voltage.h"
#include "skin/skin_file.h"

#include <windows.h>
#include <versionhelpers.h>

namespace {

struct TextDefault {
    const wchar_t* key;
    const wchar_t* text;
};
constexpr TextDefault kTexts[kInfoTexts] = {
    {L"Version", L"Zorvane version"},     {L"OSVersion", L"OS version"},        {L"GPUName", L"Graphic chip"},
    {L"DevID", L"Device ID"},             {L"SubsID", L"Subsystem ID"},         {L"DriverVer", L"Driver version"},
    {L"CUDA", L"CUDA Cores"},             {L"BaseCCLK", L"Graphic base clock"}, {L"BoostCCLK", L"Graphic boost clock"},
    {L"BaseMCLK", L"Memory base clock"},  {L"BoostMCLK", L"Memory boost clock"}, {L"MemInf", L"Memory Interface"},
    {L"MemSize", L"Memory size"},         {L"BaseCVolt", L"Core base voltage"}, {L"VBIOSVer", L"Video BIOS version"},
    {L"IRQ", L"IRQ"},                     {L"BusType", L"Bus type"},
};
enum Row { kVersion, kOs, kName, kDevice, kSubsystem, kDriver, kCuda, kBaseCore, kBoostCore, kBaseMemory,
           kBoostMemory, kInterface, kSize, kVoltage, kVbios, kIrq, kBus };

std::wstring Format(const wchar_t* format, int a, int b = 0) {
    wchar_t text[64];
    FormatText(text, format, a, b);
    return text;
}

std::wstring ClockText(int mhz) { return Format(L": %d MHz\n", mhz); }

}  // namespace

InfoTexts ReadInfoTexts() {
    InfoTexts texts;
    wchar_t text[MAX_PATH];
    for (int i = 0; i < kInfoTexts; ++i) {
        ReadLanguageText(L"Information", kTexts[i].key, kTexts[i].text, text);
        texts.text[i] = text;
    }
    return texts;
}

std::wstring DriverVersionText(std::uint32_t version) {
    wchar_t text[32];
    FormatText(text, L": %3lu.%02lu", static_cast<unsigned long>(version / 100), static_cast<unsigned long>(version % 100));
    return text;
}

std::wstring VbiosVersionText(std::uint32_t revision, std::uint32_t oem) {
    wchar_t text[32];
    FormatText(text, L": %02X.%02X.%02X.%02X.%02X", (revision >> 24) & 0xFF, (revision >> 16) & 0xFF,
               (revision >> 8) & 0xFF, revision & 0xFF, oem & 0xFF);
    return text;
}

std::wstring PciIdText(std::uint32_t identifiers) {
    return Format(L": %04X - %04X\n", static_cast<int>(identifiers & 0xFFFF), static_cast<int>(identifiers >> 16));
}

std::wstring MemoryClockText(int mhz) { return Format(L": %d MHz (%d MHz data rate)\n", mhz, 2 * mhz); }

std::wstring BusTypeText(int type, int lanes) {
    switch (type) {
    case 1: return L": PCI";
    case 2: return L": AGP";
    case 3: return Format(L": PCI Express x%d", lanes);
    case 4: return L": FPCI";
    case 5: return L": AXI";
    default: return L": Unknown";
    }
}

int OsVersionText(wchar_t (&text)[260]) {
    const wchar_t* release = L"";
    if (IsWindowsVersionOrGreater(10, 0, 0)) {
        release = L"Windows 10 ";
    } else if (IsWindowsVersionOrGreater(6, 3, 0)) {
        release = L"Windows 8.1 ";
    } else if (IsWindowsVersionOrGreater(6, 2, 0)) {
        release = L"Windows 8 ";
    } else if (IsWindowsVersionOrGreater(6, 1, 0)) {
        release = L"Windows 7 ";
    } else if (IsWindowsVersionOrGreater(6, 0, 0)) {
        release = L"Windows Vista ";
    } else if (IsWindowsVersionOrGreater(5, 1, 0)) {
        release = L"Windows XP ";
    }
    FormatText(text, L"Microsoft %s", release);
    return 1;
}

std::vector<InfoRow> InformationRows(const InfoTexts& texts, const PanelSettings& settings) {
    const int board = SelectedBoard;
    const std::wstring* t = texts.text;
    std::vector<InfoRow> rows;
    auto add = [&rows](const std::wstring& item, const std::wstring& value) { rows.push_back({item, value}); };
    const int pstates = GpuGetPstateCount(board);
    const int top = pstates > 0 ? pstates - 1 : 0;

    add(t[kVersion], L": 1.4");
    wchar_t os[260];
    if (OsVersionText(os)) add(t[kOs], std::wstring(L": ") + os);
    wchar_t name[260];
    if (GpuGetFullName(name, 260)) add(t[kName], std::wstring(L": ") + name);
    std::uint32_t device = 0, subsystem = 0;
    if (GpuGetPciIds(board, device, subsystem)) {
        add(t[kDevice], PciIdText(device));
        // No subsystem vendor: there is no subsystem identifier to show.
        add(t[kSubsystem], (subsystem & 0xFFFF) ? PciIdText(subsystem) : std::wstring(L": -\n"));
    }
    if (const std::uint32_t version = GpuGetDriverVersion()) add(t[kDriver], DriverVersionText(version));
    const CoreCounts counts = GpuGetCoreCounts(board);
    if (counts.shaderPipes > 0 && counts.shaderSubPipes > 0) add(t[kCuda], Format(L": %d\n", counts.cores));

    const NominalClocks core =
        GpuGetNominalClocks(kGraphicsDomain, settings.baseAsDriverGives, settings.boostAsDriverGives);
    const NominalClocks memory =
        GpuGetNominalClocks(kMemoryDomain, settings.baseAsDriverGives, settings.boostAsDriverGives);
    if (core.base >= 1) {
        add(t[kBaseCore], ClockText(core.base));
    } else if (const int level = GpuGetPerfLevelClock(board, kGraphicsDomain, top, 0);
               level >= 1 && GpuGetPerfLevelClock(board, kGraphicsDomain, top, 1) >= 1) {
        add(L"Grahics clock", ClockText(level));
    }
    if (core.boost >= 1) {
        add(t[kBoostCore], ClockText(core.boost));
    } else if (const int level = GpuGetPerfLevelClock(board, kGraphicsDomain, top, 1); level >= 1) {
        add(L"Grahics default clock", ClockText(level));
    }
    if (memory.base >= 1) {
        add(t[kBaseMemory], MemoryClockText(memory.base));
    } else if (const int level = GpuGetPerfLevelClock(board, kMemoryDomain, top, 0); level >= 1) {
        add(L"Memory clock", MemoryClockText(level));
    }
    if (memory.boost >= 1) {
        add(t[kBoostMemory], MemoryClockText(memory.boost));
    } else if (const int level = GpuGetPerfLevelClock(board, kMemoryDomain, top, 1); level >= 1) {
        add(L"Memory default clock", MemoryClockText(level));
    }

    if (const int width = GpuGetMemoryBusWidth(board); width > 0) add(t[kInterface], Format(L": %d-bit\n", width));
    if (const int megabytes = GpuGetMemorySizeMB(); megabytes > 0) {
        wchar_t text[64];
        FormatText(text, L": %d MB %s\n", megabytes, MemoryTypeName(GpuGetMemoryType(board)));
        add(t[kSize], text);
    }
    if (const int base = GpuGetBaseVoltageDelta(board, 1); base >= 1) {
        add(t[kVoltage], Format(L": %d.%03d V", base / 1000, base % 1000));
    } else if (const int level = GpuGetPstateVoltage(board, GpuPerfLevelPstate(board, top)); level >= 1) {
        add(L"Core Voltage", Format(L": %d.%03d V", level / 1000, level % 1000));
    }
    std::uint32_t revision = 0, oem = 0;
    if (GpuGetVbiosVersion(board, revision, oem)) add(t[kVbios], VbiosVersionText(revision, oem));
    if (const int irq = GpuGetIrq(board); irq > 0) add(t[kIrq], Format(L": %d\n", irq));
    int lanes = 0;
    if (const int type = GpuGetBusType(board, lanes); type != 0) add(t[kBus], BusTypeText(type, lanes));
    return rows;
}
