// Stand-in for the flashing utility in test and demo payloads (never in a
// release). Accepts " --index=0 --save --auto "<image>" --log "<log>"" and
// writes what KELVOR_STANDIN asks for:
//   unset                    part number 2080-A1, EEPROM EF,4014
//   part=<p>;eeprom=<id>     either may be left out (no marker written)
//   ...;delay=<ms>           takes that long, as the real utility does
//   nothing                  writes nothing, ends with 0
//   fail                     writes nothing, ends with 1
// KELVOR_STANDIN_RECORD names a file that gets "<own name>|<command line>".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string Environment(const char* name) {
    char value[512];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

// The quoted path after `option` in the command line.
std::string QuotedAfter(const std::string& line, const char* option) {
    const std::size_t at = line.find(option);
    if (at == std::string::npos) return {};
    const std::size_t open = line.find('"', at);
    const std::size_t close = open == std::string::npos ? open : line.find('"', open + 1);
    return close == std::string::npos ? std::string() : line.substr(open + 1, close - open - 1);
}

std::string Field(const std::string& scenario, const char* key) {
    const std::size_t at = scenario.find(key);
    if (at == std::string::npos) return {};
    const std::size_t start = at + std::strlen(key);
    return scenario.substr(start, scenario.find(';', start) - start);
}

}  // namespace

int main() {
    const std::string line = GetCommandLineA();
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const char* name = std::strrchr(self, '\\') ? std::strrchr(self, '\\') + 1 : self;
    const std::string record = Environment("KELVOR_STANDIN_RECORD");
    if (!record.empty()) {
        if (std::FILE* out = std::fopen(record.c_str(), "ab")) {
            std::fprintf(out, "%s|%s\n", name, line.c_str());
            std::fclose(out);
        }
    }

    std::string scenario = Environment("KELVOR_STANDIN");
    if (scenario.empty()) scenario = "part=2080-A1;eeprom=EF,4014";
    if (scenario == "fail") return 1;
    if (scenario == "nothing") return 0;
    const std::string image = QuotedAfter(line, "--auto");
    const std::string log = QuotedAfter(line, "--log");
    const std::string delay = Field(scenario, "delay=");
    if (!delay.empty()) Sleep(static_cast<DWORD>(std::strtoul(delay.c_str(), nullptr, 10)));
    if (line.find("--index=0 --save") == std::string::npos || image.empty() || log.empty()) return 2;

    std::string bios(65536, '\xFF');
    bios[0] = '\x55';
    bios[1] = '\xAA';
    const std::string part = Field(scenario, "part=");
    if (!part.empty()) bios.replace(0x180, part.size() + 10, "BIOS-P/N@" + part + '\0');
    if (std::FILE* out = std::fopen(image.c_str(), "wb")) {
        std::fwrite(bios.data(), 1, bios.size(), out);
        std::fclose(out);
    }
    if (std::FILE* out = std::fopen(log.c_str(), "wb")) {
        std::fprintf(out, "Flash utility stand-in\r\nAdapter index 0\r\n");
        const std::string eeprom = Field(scenario, "eeprom=");
        if (!eeprom.empty()) std::fprintf(out, "EEPROM ID (%s) : stand-in part\r\n", eeprom.c_str());
        std::fprintf(out, "Saving of image completed.\r\n");
        std::fclose(out);
    }
    return 0;
}
