// The password-protected archive carried by BIN.exe: files encrypted with
// AES-256-CBC and authenticated with HMAC-SHA256, keys derived from the
// password by PBKDF2 (all through CNG). A wrong password or a damaged archive
// fails authentication before anything is decrypted.
#pragma once

#include <string>
#include <vector>

struct ArchiveFile {
    std::string name;  // a plain file name inside the folder "BIN"
    std::string bytes;
};

// Seals `files` with `password`; false when CNG fails.
bool SealArchive(const std::vector<ArchiveFile>& files, const char* password, std::string* archive);

// Opens an archive; false (and no files) for a wrong password, a damaged or
// truncated archive, or an entry whose name is not a plain file name.
bool OpenArchive(const std::string& archive, const char* password, std::vector<ArchiveFile>* files);

// BIN.exe ends with the archive, its length (4 bytes, little-endian) and this tag.
constexpr char kArchiveTrailerTag[4] = {'Z', 'V', 'S', 'X'};
