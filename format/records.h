// records.h - the install script's record stream.
//
// A record stream is a sequence of records, each `type (u32) size (u32)
// payload (size bytes)`, ended by the terminator u32 0xFFFFFFFF with no size.
// Integers are little-endian, strings single-byte and NUL-terminated.
//
// Three layers:
//   * Record: type + raw payload. Any type, any payload (odd input for tests).
//   * Typed structs (VariableRecord ... RequirementsRecord) with encode() to a
//     Record and decodeRecord() back, for all types 1..17.
//   * serializeRecords()/parseRecords(): the byte stream. serializeRecords just
//     concatenates (plus the terminator when asked), so a test can cut the
//     bytes anywhere to get a truncated stream.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "result.h"

namespace corvel {

// Record types 1..17. Other values (0, 18 and above) are legal in a stream and
// skipped by the stub; use them through Record directly.
enum class RecordType : std::uint32_t {
    Variable = 1,        // name string, value string
    PageSwitches = 2,    // 12 x u8
    Licence = 3,         // string
    Readme = 4,          // string
    String = 5,          // u16 language, u8 group, u8 index, text string
    Languages = 6,       // u8 auto-select, then u16 language ids
    Gradient = 7,        // u32 start 0x00RRGGBB, u32 end 0x00RRGGBB
    AccentColour = 8,    // u32 COLORREF
    Product = 9,         // ProductRecord fields in order
    Shortcut = 10,       // string
    Registry = 11,       // string
    Ini = 12,            // string
    Program = 13,        // string
    DllCall = 14,        // string
    Association = 15,    // string
    Requirements = 16,   // four strings + u8 admin flag
    BackgroundText = 17, // string
};

constexpr std::uint32_t kRecordTerminator = 0xFFFFFFFFu;

// String-table groups of type-5 records (page slots are 0..12).
constexpr std::uint8_t kGroupMessages = 0x60;
constexpr std::uint8_t kGroupErrors = 0x70;
constexpr std::uint8_t kGroupButtons = 0x80;

// One raw record. For records read from a stream, payload.size() is the size
// field. Any type/payload combination can be written.
struct Record {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> payload;

    bool operator==(const Record& o) const { return type == o.type && payload == o.payload; }
    bool operator!=(const Record& o) const { return !(*this == o); }
};

// Generic raw record: any type, any payload.
Record rawRecord(std::uint32_t type, std::vector<std::uint8_t> payload);

// ---- typed payloads -------------------------------------------------------

// Type 1.
struct VariableRecord {
    std::string name;   // e.g. "%InstallPath%"
    std::string value;
    bool operator==(const VariableRecord& o) const { return name == o.name && value == o.value; }
};

// Type 2: byte k enables page k (0..11).
struct PageSwitchesRecord {
    std::array<std::uint8_t, 12> pages{};
    bool operator==(const PageSwitchesRecord& o) const { return pages == o.pages; }
};

// Types 3, 4, 10, 11, 12, 13, 14, 15, 17: one string. `type` says which;
// its comma-separated fields are read by the stub's shortcut, registry, INI,
// association, program, DLL-call and background-text handling
// (see joinFields/splitFields below).
struct TextRecord {
    RecordType type = RecordType::Licence;
    std::string text;
    bool operator==(const TextRecord& o) const { return type == o.type && text == o.text; }
};

// Type 5.
struct StringRecord {
    std::uint16_t language = 9;  // primary language id (< 98 to be used)
    std::uint8_t group = 0;      // 0..12 page slot, kGroupMessages/Errors/Buttons
    std::uint8_t index = 0;
    std::string text;
    bool operator==(const StringRecord& o) const {
        return language == o.language && group == o.group && index == o.index && text == o.text;
    }
};

// Type 6. On decoding, an odd trailing byte (payload size even) is ignored.
// With kLanguagesCodePages in the first byte each id is followed by the code
// page its texts are written in (0: plain ASCII, right under every code page);
// without it, as in older packages, every language shows under every one.
constexpr std::uint8_t kLanguagesAutoSelect = 0x01;
constexpr std::uint8_t kLanguagesCodePages = 0x02;
struct LanguagesRecord {
    std::uint8_t autoSelect = 0;          // flags: kLanguagesAutoSelect, kLanguagesCodePages
    std::vector<std::uint16_t> ids;
    std::vector<std::uint16_t> codePages;  // one per id with kLanguagesCodePages, else empty
    bool operator==(const LanguagesRecord& o) const {
        return autoSelect == o.autoSelect && ids == o.ids && codePages == o.codePages;
    }
};

// Type 7: colours as 0x00RRGGBB (not COLORREF).
struct GradientRecord {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    bool operator==(const GradientRecord& o) const { return start == o.start && end == o.end; }
};

// Type 8: COLORREF 0x00BBGGRR, stored as is.
struct AccentColourRecord {
    std::uint32_t colour = 0x00C88C00u;
    bool operator==(const AccentColourRecord& o) const { return colour == o.colour; }
};

// Type 9: the 12 product fields, in payload order.
struct ProductRecord {
    std::string productName;        // 1  string
    std::string displayName;        // 2  string ("%s Setup" caption)
    std::string normalFont;         // 3  string "face,colour" (colour 0x00RRGGBB text)
    std::uint32_t colour1 = 0x01000000u;  // 4  u32 page colour (system-colour flags)
    std::uint32_t colour2 = 0;      // 5  u32 band colour
    std::string titleFont;          // 6  string "face,colour"
    std::uint32_t colour3 = 0;      // 7  u32 header colour
    std::uint8_t options1 = 0;      // 8  u8: bit0 welcome in header colour, bit1 caption bar
    std::string installPathSource;  // 9  string "rootkey,subkey,value"
    std::string launchFile1;        // 10 string
    std::string launchFile2;        // 11 string
    std::uint8_t options2 = 0;      // 12 u8: see kProduct* bits
    bool operator==(const ProductRecord& o) const;
};

// ProductRecord::options1 bits.
constexpr std::uint8_t kProductWelcomeHeaderColour = 0x01;
constexpr std::uint8_t kProductCaptionBar = 0x02;
// ProductRecord::options2 bits.
constexpr std::uint8_t kProductCompactDialogs = 0x01;
constexpr std::uint8_t kProductGroupOption = 0x02;
constexpr std::uint8_t kProductDesktopOption = 0x04;
constexpr std::uint8_t kProductQuickLaunchOption = 0x08;
constexpr std::uint8_t kProductReboot = 0x10;
constexpr std::uint8_t kProductUninstaller = 0x20;

// Type 16.
struct RequirementsRecord {
    std::string windows;
    std::string directX;
    std::string internetExplorer;
    std::string access;
    std::uint8_t admin = 0;
    bool operator==(const RequirementsRecord& o) const {
        return windows == o.windows && directX == o.directX && internetExplorer == o.internetExplorer &&
               access == o.access && admin == o.admin;
    }
};

// Any typed record.
using TypedRecord = std::variant<VariableRecord, PageSwitchesRecord, TextRecord, StringRecord,
                                 LanguagesRecord, GradientRecord, AccentColourRecord, ProductRecord,
                                 RequirementsRecord>;

// Encodes a typed record in the stub's payload layout. (A TextRecord is encoded with
// its `type`, whatever value that holds.)
Record encode(const VariableRecord& r);
Record encode(const PageSwitchesRecord& r);
Record encode(const TextRecord& r);
Record encode(const StringRecord& r);
Record encode(const LanguagesRecord& r);
Record encode(const GradientRecord& r);
Record encode(const AccentColourRecord& r);
Record encode(const ProductRecord& r);
Record encode(const RequirementsRecord& r);
Record encode(const TypedRecord& r);

// Shorthands (all encode exactly as above).
Record variableRecord(const std::string& name, const std::string& value);  // 1
Record pageSwitchesRecord(const std::array<std::uint8_t, 12>& pages);      // 2
Record licenceRecord(const std::string& text);                             // 3
Record readmeRecord(const std::string& text);                              // 4
Record stringRecord(std::uint16_t language, std::uint8_t group, std::uint8_t index,
                    const std::string& text);                              // 5
Record languagesRecord(std::uint8_t autoSelect, const std::vector<std::uint16_t>& ids,
                       const std::vector<std::uint16_t>& codePages = {});  // 6; code pages set the flag
Record gradientRecord(std::uint32_t startRgb, std::uint32_t endRgb);       // 7
Record accentColourRecord(std::uint32_t colorref);                         // 8
Record productRecord(const ProductRecord& product);                        // 9
Record shortcutRecord(const std::string& text);                            // 10
Record registryRecord(const std::string& text);                            // 11
Record iniRecord(const std::string& text);                                 // 12
Record programRecord(const std::string& text);                             // 13
Record dllCallRecord(const std::string& text);                             // 14
Record associationRecord(const std::string& text);                         // 15
Record requirementsRecord(const RequirementsRecord& req);                  // 16
Record backgroundTextRecord(const std::string& text);                      // 17
Record textRecord(RecordType type, const std::string& text);               // any one-string type

// True for the one-string types 3, 4, 10..15, 17.
bool isTextRecordType(std::uint32_t type);

// Short English name of a type ("variable", "page switches", ... "unknown").
const char* recordTypeName(std::uint32_t type);

// Decodes a record of type 1..17 into its typed struct. Errors: unknown type,
// payload too short for a fixed field, string without NUL inside the payload.
// Bytes after the last field are ignored (the stub ignores them too).
Result<TypedRecord> decodeRecord(const Record& record);

// ---- the stream -----------------------------------------------------------

// Bytes of one record: type, size (= payload.size()), payload.
std::vector<std::uint8_t> serializeRecord(const Record& record);

// Concatenates the records and, if `terminate`, appends the terminator
// 0xFFFFFFFF. No validation: any record is written as given.
std::vector<std::uint8_t> serializeRecords(const std::vector<Record>& records, bool terminate = true);

struct ParsedRecords {
    std::vector<Record> records;          // complete records, in order
    std::vector<std::size_t> offsets;     // stream offset of each record's type field
    bool terminated = false;              // the terminator was found
    std::size_t terminatorOffset = 0;     // its offset, if found
    std::size_t bytesAfterTerminator = 0; // unused bytes after the terminator
};

// Parses a record stream. Stops at the terminator. Errors (value keeps every
// complete record before the problem): stream ends without a terminator,
// stream ends inside a type/size field, payload size beyond the end.
Result<ParsedRecords> parseRecords(const std::uint8_t* data, std::size_t size);
inline Result<ParsedRecords> parseRecords(const std::vector<std::uint8_t>& bytes) {
    return parseRecords(bytes.data(), bytes.size());
}

// ---- comma-separated fields of string records ------------------------------

// Joins fields with "," (no quoting exists in the format; a field containing
// a comma therefore cannot be represented - not checked).
std::string joinFields(const std::vector<std::string>& fields);

// Splits like the stub's SplitFields: always exactly 15 fields,
// missing ones empty; the 15th field ends at the 15th comma, anything after it
// is dropped. `quoted` = the quoted mode used for background texts: field 0 is
// the text between the first pair of double quotes (to the end when there is
// no closing quote; all 15 empty when the text has no quote), splitting then
// goes on after the next comma that follows the closing quote.
std::vector<std::string> splitFields(const std::string& text, bool quoted = false);

}  // namespace corvel
