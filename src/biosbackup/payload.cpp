// The payload appended to Kelvor's own executable after "$RES@<name>$", and
// which of the flashing utilities it carries runs here.
#include "biosbackup/backup_core.h"

#include <cstring>

namespace {

// The tag after the "$", kept masked so that the executable itself never holds
// the marker its scan looks for.
constexpr unsigned char kTagMask = 0x5A;
const unsigned char kMaskedTag[4] = {'R' ^ kTagMask, 'E' ^ kTagMask, 'S' ^ kTagMask, '@' ^ kTagMask};

bool IsTag(const char* bytes) {
    for (int i = 0; i < 4; ++i) {
        if ((static_cast<unsigned char>(bytes[i]) ^ kTagMask) != kMaskedTag[i]) return false;
    }
    return true;
}

}  // namespace

bool IsPlainFileName(const char* name) {
    if (std::strstr(name, "..") != nullptr) return false;
    for (const char* c = name; *c != '\0'; ++c) {
        const unsigned char ch = static_cast<unsigned char>(*c);
        if (ch < 0x20 || std::strchr("\\/:*?\"<>|", ch) != nullptr) return false;
    }
    return true;
}

bool ReadPayloadName(std::FILE* in, char* name, std::size_t nameCapacity) {
    int ch = std::fgetc(in);
    while (ch != EOF) {
        if (ch != '$') {
            ch = std::fgetc(in);
            continue;
        }
        // Up to four bytes after the "$"; another "$" among them starts over.
        char tag[4];
        std::size_t got = 0;
        while (got < 4 && (ch = std::fgetc(in)) != EOF) {
            if (ch == '$') {
                got = 0;
                continue;
            }
            tag[got++] = static_cast<char>(ch);
        }
        if (got < 4) return false;
        if (!IsTag(tag)) {
            ch = std::fgetc(in);
            continue;
        }
        char found[kMaxPayloadName + 1];
        std::size_t length = 0;
        while ((ch = std::fgetc(in)) != EOF && ch != '$') {
            if (length == kMaxPayloadName) return false;
            found[length++] = static_cast<char>(ch);
        }
        if (ch == EOF || length <= 2) return false;
        found[length] = '\0';
        // A zero inside would hide the rest of the name from the checks.
        if (std::memchr(found, '\0', length) != nullptr || !IsPlainFileName(found) || length >= nameCapacity) {
            return false;
        }
        std::memcpy(name, found, length + 1);
        return true;
    }
    return false;
}

bool ExtractPayload(const char* exePath, char* directory, std::size_t directoryCapacity) {
    std::FILE* in = std::fopen(exePath, "rb");
    if (in == nullptr) return false;
    char name[kMaxPayloadName + 1];
    const std::size_t directoryLength = std::strlen(directory);
    if (!ReadPayloadName(in, name, sizeof name) || directoryLength + std::strlen(name) >= directoryCapacity) {
        std::fclose(in);
        return false;
    }
    std::strcpy(directory + directoryLength, name);
    std::FILE* out = std::fopen(directory, "wb");
    if (out == nullptr) {
        std::fclose(in);
        return false;
    }
    char buffer[16384];
    bool ok = true;
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
        if (std::fwrite(buffer, 1, n, out) != n) {
            ok = false;
            break;
        }
    }
    ok = ok && !std::ferror(in);
    std::fclose(in);
    if (std::fclose(out) != 0) ok = false;
    if (!ok) DeleteFileA(directory);
    return ok;
}

const char* FlashUtilityName(WORD architecture) {
    if (architecture == PROCESSOR_ARCHITECTURE_AMD64) return "nvflash64.exe";
    if (architecture == PROCESSOR_ARCHITECTURE_INTEL) return "nvflash.exe";
    return nullptr;
}
