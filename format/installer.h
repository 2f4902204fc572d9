// installer.h - writing and reading installers: a setup stub with a package
// appended.
//
//   file  = stub image (PackageOffset bytes, DOS fields 18/28/36 patched)
//         + package header (12 bytes: FirstGroupOffset=12, ScriptOffset, SpaceRequired)
//         + folder groups
//         + script block (u32 uncompressed size, compressed record stream to EOF)
//
// The writer never compresses: file entries carry their stored bytes (use
// fileEntry()/compressStream() - possibly in parallel - to make them), only
// the script is compressed by writeInstaller itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compress.h"
#include "fileinfo.h"
#include "records.h"
#include "result.h"

namespace corvel {

// ---- layout constants -------------------------------------------------------

constexpr std::size_t kPackageOffsetField = 18;      // u16 in the DOS header
constexpr std::size_t kScriptStoredLengthField = 28; // u32
constexpr std::size_t kFileChecksumField = 36;       // u32
constexpr std::size_t kChecksumStart = 40;           // Adler-32 covers bytes 40..EOF (see computeFileChecksum)
constexpr std::size_t kDosHeaderSize = 64;           // minimum stub size accepted
constexpr std::size_t kMaxStubSize = 65535;          // PackageOffset is a u16
constexpr std::uint32_t kPackageHeaderSize = 12;     // = FirstGroupOffset written

// Entry flag bits.
constexpr std::uint8_t kEntryFile = 0x01;        // clear = folder entry
constexpr std::uint8_t kEntryCompressed = 0x02;  // data are a package stream

// Replace rules (Group::replaceRule).
enum ReplaceRule : std::uint32_t {
    kReplaceAlways = 0, kReplaceIfNewer = 1, kReplaceIfSameOrNewer = 2,
    kReplaceIfOlder = 3, kReplaceNever = 4,
};
// Comparison bases (Group::comparisonBasis).
enum ComparisonBasis : std::uint32_t {
    kCompareDate = 0, kCompareVersion = 1, kCompareVersionAndDate = 2,
};

// ---- package description (writer input) -------------------------------------

// One entry of a folder group: a folder entry (flags bit 0 clear: only name,
// depth, flags are written) or a file entry (flags bit 0 set).
struct Entry {
    std::string name;              // relative to the folder at stack index `depth`
    std::uint32_t depth = 0;       // 0 = the group's folder
    std::uint8_t flags = 0;        // kEntryFile | kEntryCompressed; written as given

    // File entries only (the 44-byte WIN32_FIND_DATAA-like block, then data):
    std::uint32_t attributes = 0;  // FILE_ATTRIBUTE_*
    FileTime creationTime;
    FileTime lastAccessTime;
    FileTime lastWriteTime;
    std::uint32_t sizeHigh = 0;    // always 0 from the helpers
    std::uint32_t sizeLow = 0;     // size after expansion; summed into SpaceRequired
    std::uint32_t versionHigh = 0; // dwFileVersionMS, 0 when none
    std::uint32_t versionLow = 0;  // dwFileVersionLS
    std::vector<std::uint8_t> data;// stored bytes: a package stream when flags has
                                   // kEntryCompressed, else the raw contents.
                                   // stored size = data.size()

    bool isFile() const { return (flags & kEntryFile) != 0; }
    bool isCompressed() const { return (flags & kEntryCompressed) != 0; }
    bool operator==(const Entry& o) const;
    bool operator!=(const Entry& o) const { return !(*this == o); }
};

// A folder entry: creates sub-folder `name` in the folder at stack index
// `depth`, which becomes stack entry depth + 1.
Entry folderEntry(const std::string& name, std::uint32_t depth);

// A file entry holding `contents`: compressed with compressStream(level) when
// `compress` (flags 3), raw otherwise (flags 1). Sets sizeLow/sizeHigh to the
// low/high halves of contents.size() (so a file of 4 GiB or more gets
// sizeHigh != 0, which the writer refuses). Attributes, times, version: set
// them afterwards.
Entry fileEntry(const std::string& name, std::uint32_t depth, const std::vector<std::uint8_t>& contents,
                bool compress, int level = kDefaultCompressionLevel);

// A file entry from an already compressed package stream (flags 3) whose
// expanded size is `originalSize` (split into sizeLow/sizeHigh as above).
// The writer stores `stream` as is, it never compresses again.
Entry precompressedFileEntry(const std::string& name, std::uint32_t depth,
                             std::vector<std::uint8_t> stream, std::uint64_t originalSize);

// One destination folder with its entries (a folder entry must come before
// anything inside it; not checked).
struct Group {
    std::uint32_t replaceRule = kReplaceAlways;  // 0..4 (written as given)
    std::uint32_t comparisonBasis = kCompareDate;// 0..2 (written as given)
    std::uint32_t sharedFlag = 0;                // non-zero: shared files
    std::uint32_t reserved = 0;                  // not read by the stub
    std::string folder;                          // may hold %VARS% and <Keywords>
    std::vector<Entry> entries;                  // may be empty
};

struct PackageDescription {
    std::vector<Group> groups;  // in file order; may be empty (ScriptOffset 12)
};

struct WriteOptions {
    int scriptCompressionLevel = kDefaultCompressionLevel;
};

// ---- writer -------------------------------------------------------------------

// Builds the complete installer: a copy of `stub` with PackageOffset =
// stub.size(), ScriptStoredLength and FileChecksum patched, followed by the
// package (header, groups, script block with `recordStream` compressed).
// `recordStream` is written as given (use serializeRecords; it may be odd on
// purpose). The script stream ends with up to seven empty stored blocks, so
// that the file's length is a multiple of eight: signing then appends its
// certificate table without padding in front of it. Deterministic.
// Errors (value empty): stub shorter than 64 bytes or of 65,536 bytes or more;
// a file entry with sizeHigh != 0 (a file of 4 GiB or more); the package or
// the file would reach 4 GiB, or any u32 field would overflow (offsets,
// stored sizes, SpaceRequired = sum of sizeLow, script sizes).
// Not checked (written as given, for odd test input): flags, depth, rules,
// sizeLow versus the data, folder order.
Result<std::vector<std::uint8_t>> writeInstaller(const std::vector<std::uint8_t>& stub,
                                                 const PackageDescription& package,
                                                 const std::vector<std::uint8_t>& recordStream,
                                                 const WriteOptions& options = {});

// Same, from records: the stream is serializeRecords(records, true).
Result<std::vector<std::uint8_t>> writeInstaller(const std::vector<std::uint8_t>& stub,
                                                 const PackageDescription& package,
                                                 const std::vector<Record>& records,
                                                 const WriteOptions& options = {});

// ---- checksum and uninstaller helpers ---------------------------------------

// The certificate table that Authenticode signing appends, as the security
// directory of the PE header names it. Found only when the table ends the file
// and lies behind the header fields that signing changes; anything else counts
// as unsigned, so a damaged directory entry is covered by the checksum.
struct Signature {
    std::size_t tableOffset = 0;     // file offset of the certificate table
    std::size_t tableSize = 0;       // reaches the end of the file
    std::size_t imageChecksum = 0;   // file offset of the PE checksum field (4 bytes)
    std::size_t directoryEntry = 0;  // file offset of the security directory entry (8 bytes)
};
std::optional<Signature> findSignature(const std::uint8_t* data, std::size_t size);

// Adler-32 (initial 1) of bytes 40..end; 1 when size <= 40. In a signed file
// the sum ends before the certificate table and counts the PE checksum field
// and the security directory entry as zeros, as they were before signing: the
// signature leaves the sum of the built file as it was.
std::uint32_t computeFileChecksum(const std::uint8_t* data, std::size_t size);

// Recomputes and stores FileChecksum (for tests that damage a file on purpose
// and want it to pass the check). False when the file is shorter than 40 bytes.
bool updateFileChecksum(std::vector<std::uint8_t>& file);

// The uninstaller copy made at install time: the first PackageOffset bytes
// with PackageOffset set to 0 (other fields kept) and no signature: the PE
// checksum and the security directory entry cleared, as the certificate
// table is not part of the copy (both are zero in an unsigned stub).
// Error: file shorter than 64 bytes, PackageOffset 0 or beyond the end of
// the file.
Result<std::vector<std::uint8_t>> makeUninstallerCopy(const std::vector<std::uint8_t>& installer);

// ---- reader -------------------------------------------------------------------

struct ReadOptions {
    bool expandData = true;      // inflate/copy each file entry into EntryInfo::contents
    bool keepStoredData = true;  // keep the stored bytes in Entry::data
    bool readScript = true;      // inflate and parse the script block
};

// A file/folder entry as found in the file. The Entry part holds the fields as
// stored (data = stored bytes when keepStoredData).
struct EntryInfo : Entry {
    std::uint64_t offset = 0;       // file offset of the entry's name
    std::uint64_t dataOffset = 0;   // file offset of the stored data (file entries)
    std::uint32_t storedSize = 0;   // the stored-size field (file entries)
    std::string path;               // folder-stack path: group folder (unexpanded),
                                    // pieces 1..depth, name, joined with '\\'
    // Expansion (file entries, ReadOptions::expandData):
    std::vector<std::uint8_t> contents;  // expanded bytes (at most sizeLow)
    bool contentsComplete = false;       // contents.size() == sizeLow
    bool streamEnd = false;              // inflate met a final block (writer never makes one)
    std::string contentsError;           // zlib error, empty if none
};

struct GroupInfo {
    std::uint64_t offset = 0;            // file offset of the group
    std::uint32_t nextGroupOffset = 0;   // package-relative, as stored
    std::uint32_t replaceRule = 0;
    std::uint32_t comparisonBasis = 0;
    std::uint32_t sharedFlag = 0;
    std::uint32_t reserved = 0;
    std::string folder;
    std::vector<EntryInfo> entries;
};

struct InstallerInfo {
    std::uint64_t fileSize = 0;

    // DOS-header fields.
    std::uint16_t packageOffset = 0;      // 0: an uninstaller, nothing more is read
    std::uint32_t scriptStoredLength = 0;
    std::uint32_t fileChecksum = 0;       // as stored
    std::uint32_t computedChecksum = 0;   // see computeFileChecksum
    bool checksumValid = false;
    std::optional<Signature> signature;   // the package then ends where its table starts

    // Package header (headerRead = the 12 bytes were present).
    bool headerRead = false;
    std::uint32_t firstGroupOffset = 0;
    std::uint32_t scriptOffset = 0;
    std::uint32_t spaceRequired = 0;
    std::uint64_t sumOfSizeLow = 0;       // computed over the entries read

    std::vector<GroupInfo> groups;

    // Script block (scriptRead = its size field was present and inflation ran).
    bool scriptRead = false;
    std::uint32_t scriptUncompressedSize = 0;  // the u32 at ScriptOffset
    std::uint64_t scriptBlockLength = 0;       // bytes from ScriptOffset + 4 to the package's end
    std::vector<std::uint8_t> script;          // the inflated record stream
    bool scriptComplete = false;               // script.size() == scriptUncompressedSize
    bool scriptStreamEnd = false;
    ParsedRecords records;                     // parsed from `script`; decode with decodeRecord

    // Every problem found, in order; the first is also Result::error.
    std::vector<std::string> problems;
};

// Reads an installer from memory. Never reads out of bounds, never throws for
// malformed input. The value is always filled as far as the file allows; the
// reader goes on after non-structural problems.
// Problems (any makes the Result an error, the first is its message):
//  * structural (reading stops at that level): file shorter than 64 bytes;
//    PackageOffset 0 (uninstaller; its checksum is then not judged) or beyond
//    EOF; header truncated; offsets outside the file or not advancing; a group
//    or entry truncated or running past its group's end; a stored size beyond
//    EOF; script size field missing;
//  * content: checksum mismatch; FirstGroupOffset != 12; SpaceRequired != sum
//    of sizeLow; raw entry whose stored size != sizeLow; stream that does not
//    inflate (zlib error) or gives fewer bytes than its size field, or more
//    input than needed; ScriptStoredLength != bytes from script data to EOF;
//    record stream errors (see parseRecords).
Result<InstallerInfo> readInstaller(const std::uint8_t* data, std::size_t size,
                                    const ReadOptions& options = {});
inline Result<InstallerInfo> readInstaller(const std::vector<std::uint8_t>& file,
                                           const ReadOptions& options = {}) {
    return readInstaller(file.data(), file.size(), options);
}

// Reads the file at `path`, then readInstaller. Error also when it cannot be read.
Result<InstallerInfo> readInstallerFile(const std::string& path, const ReadOptions& options = {});

}  // namespace corvel
