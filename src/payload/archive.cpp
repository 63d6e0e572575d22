// The password-protected archive carried by BIN.exe.
#include "payload/archive.h"

#include "biosbackup/backup_core.h"

#include <windows.h>
#include <bcrypt.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr char kMagic[4] = {'Z', 'V', 'A', '1'};
constexpr std::size_t kSaltBytes = 16;
constexpr std::size_t kIvBytes = 16;
constexpr std::size_t kMacBytes = 32;
constexpr ULONGLONG kIterations = 20000;

bool Ok(NTSTATUS status) {
    return status >= 0;
}

// 32 bytes of AES key followed by 32 bytes of HMAC key.
bool DeriveKeys(const char* password, const unsigned char* salt, unsigned char* keys) {
    BCRYPT_ALG_HANDLE hmac = nullptr;
    if (!Ok(BCryptOpenAlgorithmProvider(&hmac, BCRYPT_SHA256_ALGORITHM, nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG))) {
        return false;
    }
    const bool ok = Ok(BCryptDeriveKeyPBKDF2(hmac, reinterpret_cast<PUCHAR>(const_cast<char*>(password)),
                                             static_cast<ULONG>(std::strlen(password)), const_cast<PUCHAR>(salt),
                                             kSaltBytes, kIterations, keys, 64, 0));
    BCryptCloseAlgorithmProvider(hmac, 0);
    return ok;
}

bool Mac(const unsigned char* key, const std::string& data, unsigned char* mac) {
    BCRYPT_ALG_HANDLE alg = nullptr;
    if (!Ok(BCryptOpenAlgorithmProvider(&alg, BCRYPT_SHA256_ALGORITHM, nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG))) {
        return false;
    }
    const bool ok = Ok(BCryptHash(alg, const_cast<PUCHAR>(key), 32,
                                  reinterpret_cast<PUCHAR>(const_cast<char*>(data.data())),
                                  static_cast<ULONG>(data.size()), mac, kMacBytes));
    BCryptCloseAlgorithmProvider(alg, 0);
    return ok;
}

// AES-256-CBC with padding; `encrypt` chooses the direction.
bool Cipher(bool encrypt, const unsigned char* key, const unsigned char* iv, const std::string& in, std::string* out) {
    BCRYPT_ALG_HANDLE alg = nullptr;
    BCRYPT_KEY_HANDLE handle = nullptr;
    bool ok = Ok(BCryptOpenAlgorithmProvider(&alg, BCRYPT_AES_ALGORITHM, nullptr, 0)) &&
              Ok(BCryptSetProperty(alg, BCRYPT_CHAINING_MODE, reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(BCRYPT_CHAIN_MODE_CBC)),
                                   sizeof(BCRYPT_CHAIN_MODE_CBC), 0)) &&
              Ok(BCryptGenerateSymmetricKey(alg, &handle, nullptr, 0, const_cast<PUCHAR>(key), 32, 0));
    if (ok) {
        unsigned char chain[kIvBytes];
        std::memcpy(chain, iv, kIvBytes);
        PUCHAR input = reinterpret_cast<PUCHAR>(const_cast<char*>(in.data()));
        const ULONG inputSize = static_cast<ULONG>(in.size());
        ULONG size = 0;
        ok = Ok(encrypt ? BCryptEncrypt(handle, input, inputSize, nullptr, chain, kIvBytes, nullptr, 0, &size,
                                        BCRYPT_BLOCK_PADDING)
                        : BCryptDecrypt(handle, input, inputSize, nullptr, chain, kIvBytes, nullptr, 0, &size,
                                        BCRYPT_BLOCK_PADDING));
        if (ok) {
            out->assign(size, '\0');
            PUCHAR output = reinterpret_cast<PUCHAR>(out->data());
            ok = Ok(encrypt ? BCryptEncrypt(handle, input, inputSize, nullptr, chain, kIvBytes, output, size, &size,
                                            BCRYPT_BLOCK_PADDING)
                            : BCryptDecrypt(handle, input, inputSize, nullptr, chain, kIvBytes, output, size, &size,
                                            BCRYPT_BLOCK_PADDING));
            out->resize(size);
        }
    }
    if (handle != nullptr) BCryptDestroyKey(handle);
    if (alg != nullptr) BCryptCloseAlgorithmProvider(alg, 0);
    return ok;
}

void PutU32(std::string* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool GetU32(const std::string& in, std::size_t* at, std::uint32_t* value) {
    if (*at > in.size() || in.size() - *at < 4) return false;
    *value = 0;
    for (int i = 0; i < 4; ++i) *value |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[*at + i])) << (8 * i);
    *at += 4;
    return true;
}

}  // namespace

bool SealArchive(const std::vector<ArchiveFile>& files, const char* password, std::string* archive) {
    std::string plain;
    for (const ArchiveFile& file : files) {
        PutU32(&plain, static_cast<std::uint32_t>(file.name.size()));
        plain += file.name;
        PutU32(&plain, static_cast<std::uint32_t>(file.bytes.size()));
        plain += file.bytes;
    }
    unsigned char random[kSaltBytes + kIvBytes];
    unsigned char keys[64];
    std::string sealed;
    if (!Ok(BCryptGenRandom(nullptr, random, sizeof random, BCRYPT_USE_SYSTEM_PREFERRED_RNG)) ||
        !DeriveKeys(password, random, keys) || !Cipher(true, keys, random + kSaltBytes, plain, &sealed)) {
        return false;
    }
    archive->assign(kMagic, 4);
    archive->append(reinterpret_cast<const char*>(random), sizeof random);
    archive->append(sealed);
    unsigned char mac[kMacBytes];
    if (!Mac(keys + 32, *archive, mac)) return false;
    archive->append(reinterpret_cast<const char*>(mac), kMacBytes);
    SecureZeroMemory(keys, sizeof keys);
    return true;
}

bool OpenArchive(const std::string& archive, const char* password, std::vector<ArchiveFile>* files) {
    files->clear();
    const std::size_t header = 4 + kSaltBytes + kIvBytes;
    if (archive.size() < header + 16 + kMacBytes || std::memcmp(archive.data(), kMagic, 4) != 0) return false;
    const unsigned char* salt = reinterpret_cast<const unsigned char*>(archive.data()) + 4;
    unsigned char keys[64];
    unsigned char mac[kMacBytes];
    const std::string signedPart = archive.substr(0, archive.size() - kMacBytes);
    if (!DeriveKeys(password, salt, keys) || !Mac(keys + 32, signedPart, mac)) return false;
    // Constant-time comparison of the stored and the computed code.
    unsigned char difference = 0;
    for (std::size_t i = 0; i < kMacBytes; ++i) {
        difference |= mac[i] ^ static_cast<unsigned char>(archive[signedPart.size() + i]);
    }
    std::string plain;
    const bool ok = difference == 0 && Cipher(false, keys, salt + kSaltBytes, signedPart.substr(header), &plain);
    SecureZeroMemory(keys, sizeof keys);
    if (!ok) return false;

    std::vector<ArchiveFile> found;
    for (std::size_t at = 0; at < plain.size();) {
        std::uint32_t length = 0;
        ArchiveFile file;
        if (!GetU32(plain, &at, &length) || plain.size() - at < length) return false;
        file.name = plain.substr(at, length);
        at += length;
        if (!GetU32(plain, &at, &length) || plain.size() - at < length) return false;
        // Only plain file names: an entry never lands outside the folder.
        if (file.name.empty() || file.name.size() > 200 || file.name.find('\0') != std::string::npos ||
            !IsPlainFileName(file.name.c_str())) {
            return false;
        }
        file.bytes = plain.substr(at, length);
        at += length;
        found.push_back(std::move(file));
    }
    *files = std::move(found);
    return true;
}
