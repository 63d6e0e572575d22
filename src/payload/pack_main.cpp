// kelvor_pack: builds BIN.exe around a folder holding nvflash.exe and
// nvflash64.exe and appends it to Kelvor.exe after "$RES@BIN.exe$".
// Usage: kelvor_pack <utility folder> <BIN stub.exe> <Kelvor.exe> <packed Kelvor.exe>
#include "biosbackup/backup_core.h"
#include "payload/archive.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

bool ReadFile(const std::string& path, std::string* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes->assign(std::istreambuf_iterator<char>(in), {});
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: kelvor_pack <utility folder> <BIN stub.exe> <Kelvor.exe> <packed Kelvor.exe>\n");
        return 2;
    }
    std::vector<ArchiveFile> files;
    for (const char* name : {"nvflash.exe", "nvflash64.exe"}) {
        ArchiveFile file{name, {}};
        if (!ReadFile(std::string(argv[1]) + "\\" + name, &file.bytes)) {
            std::fprintf(stderr, "kelvor_pack: %s\\%s is missing\n", argv[1], name);
            return 1;
        }
        files.push_back(std::move(file));
    }
    char password[kMaxPasswordBytes + 1];
    UnscramblePassword(password);
    std::string archive, stub, kelvor;
    const bool sealed = SealArchive(files, password, &archive);
    SecureZeroMemory(password, sizeof password);
    if (!sealed || !ReadFile(argv[2], &stub) || !ReadFile(argv[3], &kelvor)) {
        std::fprintf(stderr, "kelvor_pack: cannot read the inputs or seal the archive\n");
        return 1;
    }
    std::string bin = stub + archive;
    const std::uint32_t length = static_cast<std::uint32_t>(archive.size());
    for (int i = 0; i < 4; ++i) bin.push_back(static_cast<char>((length >> (8 * i)) & 0xFF));
    bin.append(kArchiveTrailerTag, 4);

    std::ofstream out(argv[4], std::ios::binary | std::ios::trunc);
    out << kelvor << "$RES@BIN.exe$" << bin;
    out.close();
    if (!out) {
        std::fprintf(stderr, "kelvor_pack: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}
