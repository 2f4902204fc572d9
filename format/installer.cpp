// installer.cpp - writing and reading stub + package.
#include "installer.h"

#include <algorithm>
#include <limits>

#include "bytes.h"

namespace corvel {

using detail::Cursor;
using detail::getU16;
using detail::getU32;
using detail::putString;
using detail::putU32;
using detail::putU8;
using detail::setU16;
using detail::setU32;

namespace {

constexpr std::uint64_t kU32Max = std::numeric_limits<std::uint32_t>::max();

std::string hex32(std::uint32_t v) {
    static const char digits[] = "0123456789ABCDEF";
    std::string s = "0x";
    for (int i = 7; i >= 0; --i) s += digits[(v >> (4 * i)) & 0xF];
    return s;
}

std::string num(std::uint64_t v) { return std::to_string(v); }

// Bytes an entry occupies in the package.
std::uint64_t entrySize(const Entry& e) {
    std::uint64_t n = std::uint64_t(e.name.size()) + 1 + 4 + 1;
    if (e.isFile()) n += 44 + 4 + std::uint64_t(e.data.size());
    return n;
}

void putFileTime(std::vector<std::uint8_t>& out, const FileTime& t) {
    putU32(out, t.low);
    putU32(out, t.high);
}

}  // namespace

// ---- entries -------------------------------------------------------------------

bool Entry::operator==(const Entry& o) const {
    return name == o.name && depth == o.depth && flags == o.flags && attributes == o.attributes &&
           creationTime == o.creationTime && lastAccessTime == o.lastAccessTime &&
           lastWriteTime == o.lastWriteTime && sizeHigh == o.sizeHigh && sizeLow == o.sizeLow &&
           versionHigh == o.versionHigh && versionLow == o.versionLow && data == o.data;
}

Entry folderEntry(const std::string& name, std::uint32_t depth) {
    Entry e;
    e.name = name;
    e.depth = depth;
    e.flags = 0;
    return e;
}

Entry fileEntry(const std::string& name, std::uint32_t depth, const std::vector<std::uint8_t>& contents,
                bool compress, int level) {
    Entry e;
    e.name = name;
    e.depth = depth;
    const std::uint64_t size = contents.size();
    e.sizeLow = std::uint32_t(size & kU32Max);
    e.sizeHigh = std::uint32_t(size >> 32);
    if (compress) {
        e.flags = kEntryFile | kEntryCompressed;
        e.data = compressStream(contents, level);
    } else {
        e.flags = kEntryFile;
        e.data = contents;
    }
    return e;
}

Entry precompressedFileEntry(const std::string& name, std::uint32_t depth, std::vector<std::uint8_t> stream,
                             std::uint64_t originalSize) {
    Entry e;
    e.name = name;
    e.depth = depth;
    e.flags = kEntryFile | kEntryCompressed;
    e.sizeLow = std::uint32_t(originalSize & kU32Max);
    e.sizeHigh = std::uint32_t(originalSize >> 32);
    e.data = std::move(stream);
    return e;
}

// ---- checksum helpers ------------------------------------------------------------

std::optional<Signature> findSignature(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < kDosHeaderSize) return std::nullopt;
    Signature s;
    const std::uint64_t pe = getU32(data + 0x3C);
    s.imageChecksum = std::size_t(pe + 88);
    s.directoryEntry = std::size_t(pe + 152);
    if (pe + 160 > size) return std::nullopt;
    s.tableOffset = getU32(data + s.directoryEntry);
    s.tableSize = getU32(data + s.directoryEntry + 4);
    if (s.tableSize == 0 || s.tableOffset >= size || size - s.tableOffset != s.tableSize ||
        s.tableOffset < pe + 160)
        return std::nullopt;
    return s;
}

std::uint32_t computeFileChecksum(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size <= kChecksumStart) return 1;
    const std::optional<Signature> signature = findSignature(data, size);
    if (!signature) return adler32(data + kChecksumStart, size - kChecksumStart, 1);
    std::vector<std::uint8_t> covered(data + kChecksumStart, data + signature->tableOffset);
    std::fill_n(covered.begin() + std::ptrdiff_t(signature->imageChecksum - kChecksumStart), 4, 0);
    std::fill_n(covered.begin() + std::ptrdiff_t(signature->directoryEntry - kChecksumStart), 8, 0);
    return adler32(covered.data(), covered.size(), 1);
}

bool updateFileChecksum(std::vector<std::uint8_t>& file) {
    if (file.size() < kChecksumStart) return false;
    setU32(file.data() + kFileChecksumField, computeFileChecksum(file.data(), file.size()));
    return true;
}

Result<std::vector<std::uint8_t>> makeUninstallerCopy(const std::vector<std::uint8_t>& installer) {
    using R = Result<std::vector<std::uint8_t>>;
    if (installer.size() < kDosHeaderSize)
        return R::failure("file is " + num(installer.size()) + " bytes, shorter than a DOS header");
    const std::uint16_t packageOffset = getU16(installer.data() + kPackageOffsetField);
    if (packageOffset == 0) return R::failure("PackageOffset is 0: the file has no package");
    if (packageOffset < kDosHeaderSize || packageOffset > installer.size())
        return R::failure("PackageOffset " + num(packageOffset) + " is not inside the file after the DOS header");
    std::vector<std::uint8_t> copy(installer.begin(), installer.begin() + packageOffset);
    setU16(copy.data() + kPackageOffsetField, 0);
    const std::uint64_t pe = getU32(copy.data() + 0x3C);
    if (pe + 160 <= copy.size()) {
        setU32(copy.data() + pe + 88, 0);
        std::fill_n(copy.begin() + std::ptrdiff_t(pe + 152), 8, 0);
    }
    return R::success(std::move(copy));
}

// ---- writer ------------------------------------------------------------------------

Result<std::vector<std::uint8_t>> writeInstaller(const std::vector<std::uint8_t>& stub,
                                                 const PackageDescription& package,
                                                 const std::vector<std::uint8_t>& recordStream,
                                                 const WriteOptions& options) {
    using R = Result<std::vector<std::uint8_t>>;
    if (stub.size() < kDosHeaderSize)
        return R::failure("stub is " + num(stub.size()) + " bytes, shorter than a 64-byte DOS header");
    if (stub.size() > kMaxStubSize)
        return R::failure("stub is " + num(stub.size()) +
                          " bytes; PackageOffset is 16 bits, so the stub must be shorter than 65,536 bytes");

    // Sizes first, in 64 bits, so nothing is produced when a field would overflow.
    std::uint64_t offset = kPackageHeaderSize;
    std::uint64_t spaceRequired = 0;
    std::vector<std::uint64_t> nextOffsets;
    nextOffsets.reserve(package.groups.size());
    for (std::size_t g = 0; g < package.groups.size(); ++g) {
        const Group& group = package.groups[g];
        offset += 20 + std::uint64_t(group.folder.size()) + 1;
        for (const Entry& e : group.entries) {
            if (e.isFile()) {
                if (e.sizeHigh != 0)
                    return R::failure("file '" + e.name + "' in group " + num(g) +
                                      " is 4 GiB or larger (size high " + num(e.sizeHigh) +
                                      "); the package format stores sizes in 32 bits");
                if (e.data.size() > kU32Max)
                    return R::failure("stored data of '" + e.name + "' exceed 4 GiB");
                spaceRequired += e.sizeLow;
            }
            offset += entrySize(e);
        }
        if (offset > kU32Max)
            return R::failure("the folder groups exceed 4 GiB (package offsets are 32 bits)");
        nextOffsets.push_back(offset);
    }
    if (spaceRequired > kU32Max)
        return R::failure("the files add up to " + num(spaceRequired) +
                          " bytes; SpaceRequired is 32 bits, so the total must stay below 4 GiB");
    const std::uint64_t scriptOffset = offset;
    if (recordStream.size() > kU32Max) return R::failure("the install script exceeds 4 GiB");

    std::vector<std::uint8_t> script =
        compressStream(recordStream.data(), recordStream.size(), options.scriptCompressionLevel);
    // A signing tool pads the file with zeros up to a multiple of eight, which
    // would change the sum; an empty stored block (five bytes: any remainder
    // is reached within seven) aligns it without a byte the inflater skips.
    while ((stub.size() + scriptOffset + 4 + script.size()) % 8 != 0)
        script.insert(script.end(), {0x00, 0x00, 0x00, 0xFF, 0xFF});
    const std::uint64_t packageSize = scriptOffset + 4 + script.size();
    const std::uint64_t fileSize = stub.size() + packageSize;
    if (script.size() > kU32Max || packageSize > kU32Max || fileSize > kU32Max)
        return R::failure("the installer would be " + num(fileSize) + " bytes; it must stay below 4 GiB");

    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(fileSize));
    out.insert(out.end(), stub.begin(), stub.end());

    // Package header.
    putU32(out, kPackageHeaderSize);
    putU32(out, std::uint32_t(scriptOffset));
    putU32(out, std::uint32_t(spaceRequired));

    // Folder groups.
    for (std::size_t g = 0; g < package.groups.size(); ++g) {
        const Group& group = package.groups[g];
        putU32(out, std::uint32_t(nextOffsets[g]));
        putU32(out, group.replaceRule);
        putU32(out, group.comparisonBasis);
        putU32(out, group.sharedFlag);
        putU32(out, group.reserved);
        putString(out, group.folder);
        for (const Entry& e : group.entries) {
            putString(out, e.name);
            putU32(out, e.depth);
            putU8(out, e.flags);
            if (!e.isFile()) continue;
            putU32(out, e.attributes);
            putFileTime(out, e.creationTime);
            putFileTime(out, e.lastAccessTime);
            putFileTime(out, e.lastWriteTime);
            putU32(out, e.sizeHigh);
            putU32(out, e.sizeLow);
            putU32(out, e.versionHigh);
            putU32(out, e.versionLow);
            putU32(out, std::uint32_t(e.data.size()));
            out.insert(out.end(), e.data.begin(), e.data.end());
        }
    }

    // Script block.
    putU32(out, std::uint32_t(recordStream.size()));
    out.insert(out.end(), script.begin(), script.end());

    // DOS-header fields; all lie before offset 40, so patch them before the checksum.
    setU16(out.data() + kPackageOffsetField, std::uint16_t(stub.size()));
    setU32(out.data() + kScriptStoredLengthField, std::uint32_t(script.size()));
    updateFileChecksum(out);
    return R::success(std::move(out));
}

Result<std::vector<std::uint8_t>> writeInstaller(const std::vector<std::uint8_t>& stub,
                                                 const PackageDescription& package,
                                                 const std::vector<Record>& records,
                                                 const WriteOptions& options) {
    return writeInstaller(stub, package, serializeRecords(records, true), options);
}

// ---- reader ------------------------------------------------------------------------

namespace {

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size, const ReadOptions& options)
        : data_(data), size_(data ? size : 0), options_(options) {}

    Result<InstallerInfo> run() {
        info_.fileSize = size_;
        readAll();
        if (info_.problems.empty()) return Result<InstallerInfo>::success(std::move(info_));
        std::string first = info_.problems.front();
        return Result<InstallerInfo>::failure(std::move(first), std::move(info_));
    }

private:
    void problem(std::string text) { info_.problems.push_back(std::move(text)); }

    void readAll() {
        if (size_ < kDosHeaderSize) {
            problem("file is " + num(size_) + " bytes, shorter than a 64-byte DOS header");
            return;
        }
        info_.packageOffset = getU16(data_ + kPackageOffsetField);
        info_.scriptStoredLength = getU32(data_ + kScriptStoredLengthField);
        info_.fileChecksum = getU32(data_ + kFileChecksumField);
        info_.computedChecksum = computeFileChecksum(data_, size_);
        info_.checksumValid = info_.fileChecksum == info_.computedChecksum;
        info_.signature = findSignature(data_, size_);
        if (info_.signature) size_ = info_.signature->tableOffset;
        if (info_.packageOffset == 0) {
            // An uninstaller: its checksum field is the installer's, never examined.
            problem("PackageOffset is 0: the file is an uninstaller without a package");
            return;
        }
        if (!info_.checksumValid)
            problem("checksum mismatch: FileChecksum is " + hex32(info_.fileChecksum) +
                    ", Adler-32 of bytes 40.." + (info_.signature ? "certificate table" : "EOF") + " is " +
                    hex32(info_.computedChecksum));
        if (info_.packageOffset < kDosHeaderSize)
            problem("PackageOffset " + num(info_.packageOffset) + " lies inside the 64-byte DOS header");
        package_ = info_.packageOffset;
        if (package_ + kPackageHeaderSize > size_) {
            problem("package header at offset " + num(package_) + " runs past the end of the file (" +
                    num(size_) + " bytes)");
            return;
        }
        packageSize_ = size_ - package_;
        info_.headerRead = true;
        info_.firstGroupOffset = getU32(data_ + package_);
        info_.scriptOffset = getU32(data_ + package_ + 4);
        info_.spaceRequired = getU32(data_ + package_ + 8);
        if (info_.firstGroupOffset != kPackageHeaderSize)
            problem("FirstGroupOffset is " + num(info_.firstGroupOffset) + ", expected 12");
        if (info_.scriptOffset > packageSize_)
            problem("ScriptOffset " + num(info_.scriptOffset) + " lies beyond the end of the package (" +
                    num(packageSize_) + " bytes)");
        else if (info_.scriptOffset < kPackageHeaderSize)
            problem("ScriptOffset " + num(info_.scriptOffset) + " lies inside the package header");

        readGroups();
        if (info_.sumOfSizeLow != info_.spaceRequired)
            problem("SpaceRequired is " + num(info_.spaceRequired) + " but the file entries add up to " +
                    num(info_.sumOfSizeLow) + " bytes");
        if (options_.readScript) readScript();
    }

    void readGroups() {
        std::uint64_t g = info_.firstGroupOffset;
        if (g < kPackageHeaderSize && g < info_.scriptOffset) {
            problem("FirstGroupOffset " + num(g) + " lies inside the package header; groups not read");
            return;
        }
        while (g < info_.scriptOffset) {
            const std::uint64_t at = package_ + g;
            if (g + 20 > packageSize_) {
                problem("folder group at offset " + num(at) + ": header runs past the end of the file");
                return;
            }
            GroupInfo group;
            group.offset = at;
            group.nextGroupOffset = getU32(data_ + at);
            group.replaceRule = getU32(data_ + at + 4);
            group.comparisonBasis = getU32(data_ + at + 8);
            group.sharedFlag = getU32(data_ + at + 12);
            group.reserved = getU32(data_ + at + 16);
            const std::uint64_t next = group.nextGroupOffset;
            bool last = false;
            std::uint64_t limit = next;
            if (next <= g) {
                problem("folder group at offset " + num(at) + ": next group offset " + num(next) +
                        " does not lie after the group");
                limit = std::min<std::uint64_t>(info_.scriptOffset, packageSize_);
                last = true;
            } else if (next > packageSize_) {
                problem("folder group at offset " + num(at) + ": next group offset " + num(next) +
                        " lies beyond the end of the file");
                limit = packageSize_;
                last = true;
            } else if (next > info_.scriptOffset) {
                problem("folder group at offset " + num(at) + ": next group offset " + num(next) +
                        " lies beyond ScriptOffset " + num(info_.scriptOffset));
            }
            if (group.replaceRule > 4)
                problem("folder group at offset " + num(at) + ": replace rule " + num(group.replaceRule) +
                        " is not 0..4");
            if (group.comparisonBasis > 2)
                problem("folder group at offset " + num(at) + ": comparison basis " +
                        num(group.comparisonBasis) + " is not 0..2");
            readEntries(group, static_cast<std::size_t>(package_ + limit));
            info_.groups.push_back(std::move(group));
            if (last) return;
            g = next;
        }
    }

    void readEntries(GroupInfo& group, std::size_t end) {
        Cursor c(data_, end, static_cast<std::size_t>(group.offset + 20));
        if (group.offset + 20 > end || !c.str(group.folder)) {
            problem("folder group at offset " + num(group.offset) + ": folder string runs past the group's end");
            return;
        }
        std::vector<std::string> stack{group.folder};
        while (c.pos() < end) {
            EntryInfo e;
            e.offset = c.pos();
            const std::string where = "entry at offset " + num(e.offset);
            if (!c.str(e.name) || !c.u32(e.depth) || !c.u8(e.flags)) {
                problem(where + ": name, depth or flags run past the group's end");
                return;
            }
            if (e.isFile()) {
                std::uint32_t stored = 0;
                bool ok = c.u32(e.attributes) && c.u32(e.creationTime.low) && c.u32(e.creationTime.high) &&
                          c.u32(e.lastAccessTime.low) && c.u32(e.lastAccessTime.high) &&
                          c.u32(e.lastWriteTime.low) && c.u32(e.lastWriteTime.high) && c.u32(e.sizeHigh) &&
                          c.u32(e.sizeLow) && c.u32(e.versionHigh) && c.u32(e.versionLow) && c.u32(stored);
                if (!ok) {
                    problem(where + " ('" + e.name + "'): file fields run past the group's end");
                    return;
                }
                e.storedSize = stored;
                e.dataOffset = c.pos();
                if (stored > c.remaining()) {
                    problem(where + " ('" + e.name + "'): " + num(stored) + " stored bytes but only " +
                            num(c.remaining()) + " remain in the group");
                    return;
                }
                const std::uint8_t* stored_data = data_ + c.pos();
                c.skip(stored);
                if (options_.keepStoredData) e.data.assign(stored_data, stored_data + stored);
                info_.sumOfSizeLow += e.sizeLow;
                if (e.sizeHigh != 0) problem(where + " ('" + e.name + "'): size high is " + num(e.sizeHigh));
                if (e.flags & ~(kEntryFile | kEntryCompressed))
                    problem(where + " ('" + e.name + "'): unknown entry flag bits " + hex32(e.flags));
                if (options_.expandData) expand(e, stored_data, where);
                else if (!e.isCompressed() && stored != e.sizeLow)
                    problem(where + " ('" + e.name + "'): raw entry with stored size " + num(stored) +
                            " but size low " + num(e.sizeLow));
            } else if (e.flags != 0) {
                problem(where + " ('" + e.name + "'): folder entry with flags " + hex32(e.flags));
            }
            // Folder stack: pieces 0..depth, each followed by a backslash, then the name.
            if (std::uint64_t(e.depth) + 1 > stack.size()) {
                problem(where + " ('" + e.name + "'): depth " + num(e.depth) + " but the folder stack holds " +
                        num(stack.size()) + (stack.size() == 1 ? " folder" : " folders"));
                e.path = "?\\" + e.name;
            } else {
                for (std::size_t i = 0; i <= e.depth; ++i) e.path += stack[i] + "\\";
                e.path += e.name;
                if (!e.isFile()) {
                    stack.resize(std::max<std::size_t>(stack.size(), std::size_t(e.depth) + 2));
                    stack[e.depth + 1] = e.name;
                }
            }
            group.entries.push_back(std::move(e));
        }
    }

    void expand(EntryInfo& e, const std::uint8_t* stored, const std::string& where) {
        const std::string who = where + " ('" + e.name + "')";
        if (!e.isCompressed()) {
            e.contents.assign(stored, stored + e.storedSize);
            e.contentsComplete = e.storedSize == e.sizeLow;
            if (!e.contentsComplete)
                problem(who + ": raw entry with stored size " + num(e.storedSize) + " but size low " +
                        num(e.sizeLow));
            return;
        }
        auto r = inflateStream(stored, e.storedSize, e.sizeLow);
        e.contents = std::move(r.value.data);
        e.streamEnd = r.value.streamEnd;
        e.contentsComplete = e.contents.size() == e.sizeLow;
        if (!r.ok()) {
            e.contentsError = r.error;
            problem(who + ": " + r.error);
        }
        if (!e.contentsComplete)
            problem(who + ": expands to " + num(e.contents.size()) + " bytes, size low is " + num(e.sizeLow));
        else if (r.value.outputFull)
            problem(who + ": the stream holds more than size low (" + num(e.sizeLow) + ") bytes");
    }

    void readScript() {
        const std::uint64_t s = package_ + std::uint64_t(info_.scriptOffset);
        if (info_.scriptOffset > packageSize_ || s + 4 > size_) {
            problem("script block at package offset " + num(info_.scriptOffset) +
                    ": its size field lies beyond the end of the file");
            return;
        }
        info_.scriptUncompressedSize = getU32(data_ + s);
        info_.scriptBlockLength = size_ - s - 4;
        std::uint64_t use = info_.scriptStoredLength;
        if (use > info_.scriptBlockLength) {
            problem("ScriptStoredLength " + num(use) + " exceeds the " + num(info_.scriptBlockLength) +
                    " bytes from the script data to the end of the file");
            use = info_.scriptBlockLength;
        } else if (use < info_.scriptBlockLength) {
            problem(num(info_.scriptBlockLength - use) + " bytes follow the script stream (ScriptStoredLength " +
                    num(use) + ")");
        }
        auto r = inflateStream(data_ + s + 4, static_cast<std::size_t>(use), info_.scriptUncompressedSize);
        info_.scriptRead = true;
        info_.script = std::move(r.value.data);
        info_.scriptStreamEnd = r.value.streamEnd;
        info_.scriptComplete = info_.script.size() == info_.scriptUncompressedSize;
        if (!r.ok()) problem("script stream: " + r.error);
        if (!info_.scriptComplete)
            problem("script stream expands to " + num(info_.script.size()) + " bytes, its size field says " +
                    num(info_.scriptUncompressedSize));
        else if (r.value.outputFull)
            problem("script stream holds more than its size field (" + num(info_.scriptUncompressedSize) +
                    " bytes)");
        auto parsed = parseRecords(info_.script);
        info_.records = std::move(parsed.value);
        if (!parsed.ok()) problem("script: " + parsed.error);
        else if (info_.records.bytesAfterTerminator != 0)
            problem("script: " + num(info_.records.bytesAfterTerminator) + " bytes follow the terminator");
    }

    const std::uint8_t* data_;
    std::size_t size_;
    ReadOptions options_;
    InstallerInfo info_;
    std::uint64_t package_ = 0;
    std::uint64_t packageSize_ = 0;
};

}  // namespace

Result<InstallerInfo> readInstaller(const std::uint8_t* data, std::size_t size, const ReadOptions& options) {
    return Reader(data, size, options).run();
}

Result<InstallerInfo> readInstallerFile(const std::string& path, const ReadOptions& options) {
    auto bytes = readFileBytes(path);
    if (!bytes.ok()) return Result<InstallerInfo>::failure(bytes.error);
    return readInstaller(bytes.value, options);
}

}  // namespace corvel
