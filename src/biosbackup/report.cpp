// The report after the backup: part number, EEPROM identifier and size.
#include "biosbackup/backup_core.h"

#include <cstring>

namespace {

struct EepromRow {
    const char* identifier;
    const char* size;
};

// Searched in this order; identifiers compare as whole strings.
const EepromRow kEepromTable[] = {
    {"00,10F5", "2Mb"},   {"00,FFFF", "2kb"},
    {"01,006D", "1Mb"},   {"01,006E", "1Mb"},   {"01,00ED", "1Mb"},   {"01,0217", "64Mb"},  {"01,4014", "8Mb"},
    {"1F,0003", "512kb"}, {"1F,0004", "1Mb"},   {"1F,0005", "1Mb"},   {"1F,0017", "1Mb"},   {"1F,0035", "1Mb"},
    {"1F,003D", "512kb"}, {"1F,0040", "1Mb"},   {"1F,005D", "512kb"}, {"1F,0060", "1Mb"},   {"1F,0063", "2Mb"},
    {"1F,0065", "512kb"}, {"1F,0087", "1Mb"},   {"1F,00D5", "1Mb"},   {"1F,4300", "2Mb"},   {"1F,4301", "2Mb"},
    {"1F,4401", "4Mb"},   {"1F,4402", "4Mb"},   {"1F,4502", "8Mb"},   {"1F,4602", "16Mb"},  {"1F,6601", "1Mb"},
    {"1F,8401", "4Mb"},
    {"20,0005", "512kb"}, {"20,0010", "1Mb"},   {"20,0027", "512kb"}, {"20,2011", "1Mb"},   {"20,2012", "2Mb"},
    {"20,BB15", "16Mb"},
    {"37,3010", "512kb"}, {"37,3011", "1Mb"},   {"37,3012", "2Mb"},   {"37,3013", "4Mb"},
    {"47,8725", "256kb"}, {"47,8747", "32kb"},  {"47,8800", "1Mb"},   {"47,9700", "256kb"},
    {"49,016B", "8Mb"},
    {"5E,0001", "512kb"},
    {"7F,9D20", "512kb"}, {"7F,9D21", "1Mb"},   {"7F,9D22", "2Mb"},   {"7F,9D42", "2Mb"},   {"7F,9D43", "4Mb"},
    {"7F,9D7D", "2Mb"},   {"7F,9D7E", "4Mb"},
    {"85,6013", "4Mb"},   {"85,6014", "8Mb"},
    {"9D,001B", "512kb"}, {"9D,001C", "1Mb"},   {"9D,007B", "512kb"}, {"9D,007C", "1Mb"},   {"9D,1152", "2Mb"},
    {"9D,1253", "4Mb"},   {"9D,7014", "8Mb"},   {"9D,7015", "16Mb"},
    {"A1,3112", "2Mb"},   {"A1,3113", "4Mb"},
    {"BF,0007", "1Mb"},   {"BF,0008", "1Mb"},   {"BF,003D", "512kb"}, {"BF,0042", "1Mb"},   {"BF,0043", "2Mb"},
    {"BF,0044", "4Mb"},   {"BF,0048", "512kb"}, {"BF,0049", "1Mb"},   {"BF,005D", "512kb"}, {"BF,00B5", "1Mb"},
    {"BF,00D4", "512kb"}, {"BF,00D5", "1Mb"},   {"BF,258C", "2Mb"},   {"BF,2658", "8Mb"},
    {"C2,0018", "1Mb"},   {"C2,0019", "1Mb"},   {"C2,2010", "512kb"}, {"C2,2011", "1Mb"},   {"C2,2012", "2Mb"},
    {"C2,2013", "4Mb"},   {"C2,2014", "8Mb"},   {"C2,2532", "2Mb"},   {"C2,2533", "4Mb"},   {"C2,2534", "8Mb"},
    {"C2,2535", "16Mb"},
    {"C8,4010", "512kb"}, {"C8,4011", "1Mb"},   {"C8,4012", "2Mb"},   {"C8,4013", "4Mb"},   {"C8,6012", "2Mb"},
    {"C8,6013", "4Mb"},   {"C8,6014", "8Mb"},
    {"DA,0031", "1Mb"},   {"DA,0038", "512kb"}, {"DA,00C1", "1Mb"},   {"DA,00C8", "512kb"},
    {"EF,3010", "512kb"}, {"EF,3011", "1Mb"},   {"EF,3012", "2Mb"},   {"EF,3013", "4Mb"},   {"EF,3014", "8Mb"},
    {"EF,4014", "8Mb"},   {"EF,6012", "2Mb"},   {"EF,6013", "4Mb"},   {"EF,6014", "8Mb"},   {"EF,6015", "16Mb"},
};

// The first occurrence of `marker` within data[0, size); the search never
// reads past `size`, whether or not the data ends with a zero.
const char* FindMarker(const char* data, std::size_t size, const char* marker) {
    const std::size_t length = std::strlen(marker);
    for (std::size_t i = 0; i + length <= size; ++i) {
        if (std::memcmp(data + i, marker, length) == 0) return data + i;
    }
    return nullptr;
}

// Copies [from, to) into out, cut to its capacity.
void CopyRange(const char* from, const char* to, char* out, std::size_t outCapacity) {
    std::size_t length = static_cast<std::size_t>(to - from);
    if (length >= outCapacity) length = outCapacity - 1;
    std::memcpy(out, from, length);
    out[length] = '\0';
}

// The field from `at` on: up to a zero, kReportFieldChars characters or the
// end of the data, whichever comes first.
const char* FieldEnd(const char* at, const char* end) {
    const char* limit = at + kReportFieldChars < end ? at + kReportFieldChars : end;
    const char* zero = static_cast<const char*>(std::memchr(at, '\0', static_cast<std::size_t>(limit - at)));
    return zero != nullptr ? zero : limit;
}

}  // namespace

std::size_t EepromTableSize() {
    return sizeof kEepromTable / sizeof kEepromTable[0];
}

const char* EepromSizeFor(const char* identifier) {
    for (const EepromRow& row : kEepromTable) {
        if (std::strcmp(row.identifier, identifier) == 0) return row.size;
    }
    return nullptr;
}

void FindPartNumber(const char* image, std::size_t size, char* out, std::size_t outCapacity) {
    out[0] = '\0';
    const char* marker = FindMarker(image, size, "BIOS-P/N@");
    if (marker == nullptr) return;
    const char* end = FieldEnd(marker, image + size);
    const char* at = marker + std::strlen("BIOS-P/N@");
    if (at < end) CopyRange(at, end, out, outCapacity);
}

void FindEepromId(const char* log, std::size_t size, char* out, std::size_t outCapacity) {
    out[0] = '\0';
    const char* marker = FindMarker(log, size, "EEPROM ID (");
    if (marker == nullptr) return;
    const char* end = FieldEnd(marker, log + size);
    const char* open = marker + std::strlen("EEPROM ID (");
    const char* close = open < end ? static_cast<const char*>(std::memchr(open, ')', static_cast<std::size_t>(end - open))) : nullptr;
    if (close != nullptr) CopyRange(open, close, out, outCapacity);
}

void ComposeNotice(bool devicesNotDisabled, bool devicesNotEnabled, char* out, std::size_t outCapacity) {
    std::snprintf(out, outCapacity, "%s%s",
                  devicesNotDisabled ? "The display adapters could not be disabled:\nthe BIOS was not read.\n\n" : "",
                  devicesNotEnabled ? "The display adapters could not be enabled again:\nrestart the computer.\n\n"
                                    : "");
}

void ComposeReport(const char* notice, const char* partNumber, const char* eepromId, char* out,
                   std::size_t outCapacity) {
    char biosLine[64] = "";
    char eepromLine[64] = "";
    if (partNumber[0] != '\0') std::snprintf(biosLine, sizeof biosLine, "BIOS No. : %s \n", partNumber);
    if (eepromId[0] != '\0') {
        const char* size = EepromSizeFor(eepromId);
        if (size != nullptr) {
            std::snprintf(eepromLine, sizeof eepromLine, "EEPROM Size : %s\n", size);
        } else {
            std::snprintf(eepromLine, sizeof eepromLine, "EEPROM ID : %s \n", eepromId);
        }
    }
    std::snprintf(out, outCapacity, "%s%s%s%s\n** Save VGA BIOS to file ? **", notice, biosLine,
                  std::strlen(biosLine) > 1 && std::strlen(eepromLine) > 1 ? "\n" : "", eepromLine);
}

void ProposedFileName(const char* partNumber, char* out, std::size_t outCapacity) {
    if (partNumber[0] != '\0') {
        std::snprintf(out, outCapacity, "%s.rom", partNumber);
    } else {
        std::snprintf(out, outCapacity, "VGABIOS.rom");
    }
}
