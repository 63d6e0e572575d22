// Kelvor's logic that needs no window: the appended payload, the archive
// password, the report texts and the progress hand-off between the threads.
#pragma once

#include <windows.h>
#include <cstddef>
#include <cstdio>

// Longest payload file name the marker may carry.
constexpr std::size_t kMaxPayloadName = 259;
// Bytes of the image and the log searched for their markers.
constexpr std::size_t kReportScanBytes = 4096;
// Characters taken from a marker on.
constexpr std::size_t kReportFieldChars = 29;
constexpr std::size_t kMaxPasswordBytes = 14;

// Reads `in` from its position up to the end of the marker "$RES@<name>$" and
// stores the name. False when no marker comes, when the name is 2 characters
// or fewer, has no closing "$" within kMaxPayloadName characters, or is not a
// plain file name (a separator, a drive colon, "..", a control character).
bool ReadPayloadName(std::FILE* in, char* name, std::size_t nameCapacity);

// A name that stays inside the directory it is appended to.
bool IsPlainFileName(const char* name);

// Finds the marker in the executable at `exePath`, appends the payload name to
// `directory` and copies the rest of the executable there. False (nothing
// written) when the marker is missing, the name is refused, the path does not
// fit or the file cannot be written; a partly written payload is removed.
bool ExtractPayload(const char* exePath, char* directory, std::size_t directoryCapacity);

// The archive password, unscrambled into `out` (at least kMaxPasswordBytes + 1).
void UnscramblePassword(char* out);

// Key of the byte at `position` of the scrambled password.
constexpr unsigned char PasswordKey(std::size_t position) {
    return static_cast<unsigned char>(0xA7u ^ (position * 53u + 29u) ^ (position << 4));
}

// The part number after "BIOS-P/N@" within the first `size` bytes of `image`;
// empty when the marker is missing.
void FindPartNumber(const char* image, std::size_t size, char* out, std::size_t outCapacity);

// The identifier between "EEPROM ID (" and ")" within the first `size` bytes of
// `log`; empty when the marker or its ")" is missing.
void FindEepromId(const char* log, std::size_t size, char* out, std::size_t outCapacity);

// Size text of an EEPROM identifier such as "EF,4014"; null when unknown.
const char* EepromSizeFor(const char* identifier);
std::size_t EepromTableSize();

// What the report says first when the display devices could not be switched: the
// utility was not run, or the adapters stay off until a restart. Empty otherwise.
void ComposeNotice(bool devicesNotDisabled, bool devicesNotEnabled, char* out, std::size_t outCapacity);

// The report's question text, from the notice, the part number and the identifier
// (any may be empty).
void ComposeReport(const char* notice, const char* partNumber, const char* eepromId, char* out,
                   std::size_t outCapacity);

// The proposed file name: "<part>.rom", or "VGABIOS.rom" without a part number.
void ProposedFileName(const char* partNumber, char* out, std::size_t outCapacity);

// Progress shared by the window's timer and the worker. The timer shows the
// returned value; it advances to 99 at most, and only the worker sets 100,
// which no tick can overwrite.
LONG TickProgress(volatile LONG* percent);
void FinishProgress(volatile LONG* percent);

// The flashing utility for a native processor architecture: "nvflash64.exe" on
// x64 (9), "nvflash.exe" on x86 (0), null otherwise.
const char* FlashUtilityName(WORD architecture);
