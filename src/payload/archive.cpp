// The password-protected archive carried by BIN.exe.
#include "payload/archive.h"

#include "biosbackup/backup_core.h"
#include "platform/system_library.h"

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

// The cryptography functions, from the system directory's bcrypt.dll only: the
// extractor runs elevated from the temporary directory.
struct Crypto {
    decltype(&::BCryptOpenAlgorithmProvider) OpenAlgorithmProvider;
    decltype(&::BCryptCloseAlgorithmProvider) CloseAlgorithmProvider;
    decltype(&::BCryptDeriveKeyPBKDF2) DeriveKeyPBKDF2;
    decltype(&::BCryptHash) Hash;
    decltype(&::BCryptSetProperty) SetProperty;
    decltype(&::BCryptGenerateSymmetricKey) GenerateSymmetricKey;
    decltype(&::BCryptEncrypt) Encrypt;
    decltype(&::BCryptDecrypt) Decrypt;
    decltype(&::BCryptDestroyKey) DestroyKey;
    decltype(&::BCryptGenRandom) GenRandom;
};

template <class F>
bool Resolve(HMODULE module, const char* name, F& function) {
    function = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    return function != nullptr;
}

// Null when the library or one of its functions is missing.
const Crypto* SystemCrypto() {
    static Crypto crypto{};
    static const bool loaded = [] {
        HMODULE module = LoadSystemLibrary(L"bcrypt.dll");
        return module && Resolve(module, "BCryptOpenAlgorithmProvider", crypto.OpenAlgorithmProvider) &&
               Resolve(module, "BCryptCloseAlgorithmProvider", crypto.CloseAlgorithmProvider) &&
               Resolve(module, "BCryptDeriveKeyPBKDF2", crypto.DeriveKeyPBKDF2) &&
               Resolve(module, "BCryptHash", crypto.Hash) && Resolve(module, "BCryptSetProperty", crypto.SetProperty) &&
               Resolve(module, "BCryptGenerateSymmetricKey", crypto.GenerateSymmetricKey) &&
               Resolve(module, "BCryptEncrypt", crypto.Encrypt) && Resolve(module, "BCryptDecrypt", crypto.Decrypt) &&
               Resolve(module, "BCryptDestroyKey", crypto.DestroyKey) &&
               Resolve(module, "BCryptGenRandom", crypto.GenRandom);
    }();
    return loaded ? &crypto : nullptr;
}

// 32 bytes of AES key followed by 32 bytes of HMAC key.
bool DeriveKeys(const char* password, const unsigned char* salt, unsigned char* keys) {
    const Crypto* c = SystemCrypto();
    if (c == nullptr) return false;
    BCRYPT_ALG_HANDLE hmac = nullptr;
    if (!Ok(c->OpenAlgorithmProvider(&hmac, BCRYPT_SHA256_ALGORITHM, nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG))) {
        return false;
    }
    const bool ok = Ok(c->DeriveKeyPBKDF2(hmac, reinterpret_cast<PUCHAR>(const_cast<char*>(password)),
                                             static_cast<ULONG>(std::strlen(password)), const_cast<PUCHAR>(salt),
                                             kSaltBytes, kIterations, keys, 64, 0));
    c->CloseAlgorithmProvider(hmac, 0);
    return ok;
}

bool Mac(const unsigned char* key, const std::string& data, unsigned char* mac) {
    const Crypto* c = SystemCrypto();
    if (c == nullptr) return false;
    BCRYPT_ALG_HANDLE alg = nullptr;
    if (!Ok(c->OpenAlgorithmProvider(&alg, BCRYPT_SHA256_ALGORITHM, nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG))) {
        return false;
    }
    const bool ok = Ok(c->Hash(alg, const_cast<PUCHAR>(key), 32,
                                  reinterpret_cast<PUCHAR>(const_cast<char*>(data.data())),
                                  static_cast<ULONG>(data.size()), mac, kMacBytes));
    c->CloseAlgorithmProvider(alg, 0);
    return ok;
}

// AES-256-CBC with padding; `encrypt` chooses the direction.
bool Cipher(bool encrypt, const unsigned char* key, const unsigned char* iv, const std::string& in, std::string* out) {
    const Crypto* c = SystemCrypto();
    if (c == nullptr) return false;
    BCRYPT_ALG_HANDLE alg = nullptr;
    BCRYPT_KEY_HANDLE handle = nullptr;
    bool ok = Ok(c->OpenAlgorithmProvider(&alg, BCRYPT_AES_ALGORITHM, nullptr, 0)) &&
              Ok(c->SetProperty(alg, BCRYPT_CHAINING_MODE, reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(BCRYPT_CHAIN_MODE_CBC)),
                                   sizeof(BCRYPT_CHAIN_MODE_CBC), 0)) &&
              Ok(c->GenerateSymmetricKey(alg, &handle, nullptr, 0, const_cast<PUCHAR>(key), 32, 0));
    if (ok) {
        unsigned char chain[kIvBytes];
        std::memcpy(chain, iv, kIvBytes);
        PUCHAR input = reinterpret_cast<PUCHAR>(const_cast<char*>(in.data()));
        const ULONG inputSize = static_cast<ULONG>(in.size());
        ULONG size = 0;
        ok = Ok(encrypt ? c->Encrypt(handle, input, inputSize, nullptr, chain, kIvBytes, nullptr, 0, &size,
                                        BCRYPT_BLOCK_PADDING)
                        : c->Decrypt(handle, input, inputSize, nullptr, chain, kIvBytes, nullptr, 0, &size,
                                        BCRYPT_BLOCK_PADDING));
        if (ok) {
            out->assign(size, '\0');
            PUCHAR output = reinterpret_cast<PUCHAR>(out->data());
            ok = Ok(encrypt ? c->Encrypt(handle, input, inputSize, nullptr, chain, kIvBytes, output, size, &size,
                                            BCRYPT_BLOCK_PADDING)
                            : c->Decrypt(handle, input, inputSize, nullptr, chain, kIvBytes, output, size, &size,
                                            BCRYPT_BLOCK_PADDING));
            out->resize(size);
        }
    }
    if (handle != nullptr) c->DestroyKey(handle);
    if (alg != nullptr) c->CloseAlgorithmProvider(alg, 0);
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
    const Crypto* c = SystemCrypto();
    if (c == nullptr) return false;
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
    if (!Ok(c->GenRandom(nullptr, random, sizeof random, BCRYPT_USE_SYSTEM_PREFERRED_RNG)) ||
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
