#include "build.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <filesystem>
#include <mutex>
#include <thread>

#include "compress.h"
#include "installer.h"
#include "platform.hpp"
#include "progress.hpp"
#include "resources.hpp"
#include "script.hpp"
#include "signing.hpp"

#ifndef CORVEL_DEFAULT_STUB
#define CORVEL_DEFAULT_STUB ""
#endif

namespace corvel::build {

namespace fs = std::filesystem;

std::string findStub(const std::string& requested) {
    if (!requested.empty()) return requested;
    std::error_code ec;
    std::string beside = executableFolder();
    if (!beside.empty()) {
        fs::path p = fs::u8path(beside) / "corvelsetup.exe";
        if (fs::is_regular_file(p, ec)) return p.u8string();
    }
    std::string builtIn = CORVEL_DEFAULT_STUB;
    if (!builtIn.empty() && fs::is_regular_file(fs::u8path(builtIn), ec)) return builtIn;
    throw BuildError("no setup stub found: put corvelsetup.exe next to corvelbuild or give --stub PATH");
}

std::vector<std::uint8_t> loadStub(const std::string& path) {
    std::vector<std::uint8_t> stub;
    std::string error;
    if (!readFile(path, stub, error)) throw BuildError(Location{path}, "--stub", "cannot read the stub: " + error);
    if (stub.size() >= 65536)
        throw BuildError(Location{path}, "--stub",
                         "the stub is " + std::to_string(stub.size()) +
                             " bytes; it must be shorter than 65,536 bytes, since the package offset in its "
                             "DOS header is a 16-bit field");
    if (stub.size() < 64 || stub[0] != 'M' || stub[1] != 'Z')
        throw BuildError(Location{path}, "--stub", "not a Windows executable (no MZ header)");
    return stub;
}

namespace {

struct Job {
    Entry* entry;
    const PayloadEntry* source;
    bool compress;
};

void fillEntry(const Job& job, int level, Progress& progress) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!readFile(job.source->hostPath, bytes, error))
        throw BuildError(Location{job.source->hostPath}, "", "cannot read the file: " + error);
    if (bytes.size() != job.source->size)
        throw BuildError(Location{job.source->hostPath}, "", "the file changed while the installer was built");
    Entry& e = *job.entry;
    if (auto version = readPeFileVersion(bytes)) {
        e.versionHigh = version->ms;
        e.versionLow = version->ls;
    }
    e.name = job.source->name;
    e.depth = job.source->depth;
    e.sizeLow = std::uint32_t(bytes.size());
    e.flags = kEntryFile;
    if (job.compress) {
        std::vector<std::uint8_t> stream = compressStream(bytes, level);
        // Data that do not shrink are stored as they are; the stub copies them.
        if (stream.size() < bytes.size()) {
            e.flags |= kEntryCompressed;
            e.data = std::move(stream);
        }
    }
    if (!e.isCompressed()) e.data = std::move(bytes);
    e.attributes = job.source->attributes;
    e.creationTime = job.source->created;
    e.lastAccessTime = job.source->accessed;
    e.lastWriteTime = job.source->written;
    progress.add(job.source->size);
}

// The stub with the product's icon and version resource. A stand-in that is
// no Windows program has no resources to carry them: it serves as it is.
std::vector<std::uint8_t> dressedStub(const Manifest& m, const std::vector<std::uint8_t>& stub,
                                      std::vector<std::string>& warnings) {
    const std::string& iconPath = m.product.icon;
    if (!isWindowsProgram(stub)) {
        if (!iconPath.empty())
            warnings.push_back(m.product.iconWhere.str() +
                               ": warning: product.icon: the stub is no Windows program, so the icon is left out");
        return stub;
    }
    if (iconPath.empty()) return dressStub(stub, nullptr, m.version);
    IconFile icon{iconPath, m.product.iconWhere, {}};
    std::string error;
    if (!readFile(iconPath, icon.bytes, error))
        fail(m.product.iconWhere, "product.icon", "cannot read the icon '" + iconPath + "': " + error);
    return dressStub(stub, &icon, m.version);
}

}  // namespace

std::vector<std::uint8_t> makeInstaller(const Manifest& m, const std::vector<std::uint8_t>& stub, unsigned jobs,
                                        bool showProgress, BuildResult* result) {
    Payload payload = collectPayload(m);

    PackageDescription package;
    package.groups.resize(payload.groups.size());
    std::vector<Job> work;
    for (std::size_t g = 0; g < payload.groups.size(); ++g) {
        const PayloadGroup& pg = payload.groups[g];
        Group& group = package.groups[g];
        group.replaceRule = pg.group->replaceRule;
        group.comparisonBasis = pg.group->comparisonBasis;
        group.sharedFlag = pg.group->shared ? 1 : 0;
        group.folder = pg.group->destination;
        group.entries.resize(pg.entries.size());
        for (std::size_t i = 0; i < pg.entries.size(); ++i) {
            const PayloadEntry& pe = pg.entries[i];
            if (pe.folder) group.entries[i] = folderEntry(pe.name, pe.depth);
            else work.push_back({&group.entries[i], &pe, pg.group->compress});
        }
    }

    // Compress on every core; each file lands in its own slot, so the
    // package keeps its order whatever order the threads finish in. The
    // biggest files go first, so that no thread is left alone with one at the end.
    std::vector<std::size_t> order(work.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return work[a].source->size > work[b].source->size; });
    unsigned threads = jobs ? jobs : std::max(1u, std::thread::hardware_concurrency());
    threads = unsigned(std::min<std::size_t>(threads, std::max<std::size_t>(work.size(), 1)));
    auto started = std::chrono::steady_clock::now();
    {
        Progress progress(showProgress, payload.totalBytes);
        std::atomic<std::size_t> next{0};
        std::atomic<bool> failed{false};
        std::exception_ptr firstError;
        std::mutex errorLock;
        auto worker = [&] {
            for (std::size_t i; !failed && (i = next.fetch_add(1)) < work.size();) {
                try {
                    fillEntry(work[order[i]], m.compressionLevel, progress);
                } catch (...) {
                    std::lock_guard<std::mutex> g(errorLock);
                    if (!firstError) firstError = std::current_exception();
                    failed = true;
                }
            }
        };
        std::vector<std::thread> pool;
        for (unsigned t = 1; t < threads; ++t) pool.emplace_back(worker);
        worker();
        for (std::thread& t : pool) t.join();
        progress.finish();
        if (firstError) std::rethrow_exception(firstError);
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    WriteOptions options;
    options.scriptCompressionLevel = m.compressionLevel;
    std::vector<std::string> warnings;
    auto written = writeInstaller(dressedStub(m, stub, warnings), package, scriptRecords(m), options);
    if (!written) throw BuildError(Location{m.path}, "", "cannot write the installer: " + written.error);
    if (result) {
        result->files = payload.fileCount;
        result->payloadBytes = payload.totalBytes;
        result->installerBytes = written->size();
        result->seconds = seconds;
        result->warnings.insert(result->warnings.end(), warnings.begin(), warnings.end());
    }
    return std::move(written.value);
}

BuildResult buildInstaller(const BuildOptions& options) {
    Manifest m = loadManifest(options.manifest);
    if (options.sign && !m.signing)
        throw BuildError(Location{m.path}, "sign",
                         "--sign needs a [sign] table that names the certificate (and key) to sign with");
    std::vector<std::uint8_t> stub = loadStub(findStub(options.stub));
    BuildResult result;
    result.warnings = m.warnings;
    result.output = !options.output.empty() ? options.output
                    : !m.output.empty()     ? m.output
                                            : (fs::u8path(m.baseDir) / "setup.exe").u8string();
    std::vector<std::uint8_t> bytes = makeInstaller(m, stub, options.jobs, options.progress, &result);
    std::string error;
    if (!options.sign) {
        if (!replaceFile(result.output, bytes, error))
            throw BuildError(Location{result.output}, "", "cannot write the installer: " + error);
        return result;
    }
    // Signed beside the output, which only a signed installer replaces.
    const std::string unsignedPath = result.output + ".unsigned";
    if (!replaceFile(unsignedPath, bytes, error))
        throw BuildError(Location{unsignedPath}, "", "cannot write the installer: " + error);
    std::error_code ec;
    try {
        signInstaller(*m.signing, unsignedPath);
    } catch (...) {
        fs::remove(fs::u8path(unsignedPath), ec);
        throw;
    }
    fs::rename(fs::u8path(unsignedPath), fs::u8path(result.output), ec);
    if (ec) {
        fs::remove(fs::u8path(unsignedPath), ec);
        throw BuildError(Location{result.output}, "", "cannot write the installer: " + ec.message());
    }
    result.installerBytes = fs::file_size(fs::u8path(result.output), ec);
    return result;
}

}  // namespace corvel::build
