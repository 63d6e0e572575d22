// BIN.exe: unpacks the archive appended to itself into <dir>\BIN.
// Command line: -o<dir> -p<password> [-y]; the directory may hold blanks.
#include "payload/archive.h"
#include "platform/system_library.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

std::string ReadOwnArchive() {
    char self[MAX_PATH];
    if (GetModuleFileNameA(nullptr, self, MAX_PATH) == 0) return {};
    std::ifstream in(self, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    if (bytes.size() < 8 || std::memcmp(bytes.data() + bytes.size() - 4, kArchiveTrailerTag, 4) != 0) return {};
    std::uint32_t length = 0;
    for (int i = 0; i < 4; ++i) {
        length |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[bytes.size() - 8 + i])) << (8 * i);
    }
    if (length > bytes.size() - 8) return {};
    return bytes.substr(bytes.size() - 8 - length, length);
}

std::string Trim(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '"')) text.pop_back();
    while (!text.empty() && (text.front() == ' ' || text.front() == '"')) text.erase(0, 1);
    return text;
}

// Splits the line into the output directory and the password.
bool ParseCommandLine(const std::string& line, std::string* directory, std::string* password) {
    std::size_t o = line.rfind("-o", 0) == 0 ? 0 : line.find(" -o");
    const std::size_t p = line.rfind(" -p");
    if (o == std::string::npos || p == std::string::npos) return false;
    if (o > 0) ++o;
    if (p < o + 2) return false;
    *directory = Trim(line.substr(o + 2, p - o - 2));
    std::string rest = line.substr(p + 3);
    const std::size_t yes = rest.rfind(" -y");
    if (yes != std::string::npos && yes + 3 == rest.size()) rest.resize(yes);
    *password = Trim(rest);
    return !directory->empty();
}

}  // namespace

int main() {
    RestrictDllSearchToSystem();
    std::string directory, password;
    if (!ParseCommandLine(GetCommandLineA(), &directory, &password)) return 1;
    std::vector<ArchiveFile> files;
    if (!OpenArchive(ReadOwnArchive(), password.c_str(), &files)) return 2;
    SecureZeroMemory(password.data(), password.size());

    if (directory.back() != '\\') directory += '\\';
    const std::string folder = directory + "BIN\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::vector<std::string> written;
    for (const ArchiveFile& file : files) {
        const std::string path = folder + file.name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
        out.close();
        if (!out) {
            for (const std::string& done : written) DeleteFileA(done.c_str());
            DeleteFileA(path.c_str());
            RemoveDirectoryA(folder.c_str());
            return 3;
        }
        written.push_back(path);
    }
    return 0;
}
