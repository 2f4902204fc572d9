#include "platform.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace corvel::build {

namespace fs = std::filesystem;

#ifdef _WIN32

namespace {

std::wstring wide(const std::string& utf8) {
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring w(std::size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), w.data(), n);
    return w;
}

std::string lastError() {
    char buf[512];
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, GetLastError(),
                             0, buf, sizeof buf, nullptr);
    while (n && (buf[n - 1] == '\n' || buf[n - 1] == '\r')) --n;
    return std::string(buf, n);
}

FileTime fromWindows(const FILETIME& ft) { return FileTime{ft.dwLowDateTime, ft.dwHighDateTime}; }

}  // namespace

std::optional<FileFacts> statFile(const std::string& path, std::string& error) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data)) {
        error = lastError();
        return std::nullopt;
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        error = "is a folder";
        return std::nullopt;
    }
    FileFacts f;
    f.size = (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    f.readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    f.created = fromWindows(data.ftCreationTime);
    f.accessed = fromWindows(data.ftLastAccessTime);
    f.written = fromWindows(data.ftLastWriteTime);
    return f;
}

bool readFile(const std::string& path, std::vector<std::uint8_t>& out, std::string& error) {
    HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = lastError();
        return false;
    }
    // Keep the last-access time as it was, so that a second build sees the same time.
    FILETIME keep = {0xFFFFFFFF, 0xFFFFFFFF};
    SetFileTime(h, nullptr, &keep, nullptr);
    LARGE_INTEGER size;
    GetFileSizeEx(h, &size);
    out.resize(std::size_t(size.QuadPart));
    std::size_t done = 0;
    while (done < out.size()) {
        DWORD chunk = DWORD(std::min<std::size_t>(out.size() - done, 1u << 30)), got = 0;
        if (!ReadFile(h, out.data() + done, chunk, &got, nullptr) || got == 0) {
            error = got == 0 ? "the file became shorter while it was read" : lastError();
            CloseHandle(h);
            return false;
        }
        done += got;
    }
    CloseHandle(h);
    return true;
}

bool isTerminal(int fd) { return _isatty(fd) != 0; }

std::string executableFolder() {
    wchar_t buf[32768];
    DWORD n = GetModuleFileNameW(nullptr, buf, 32768);
    if (!n || n >= 32768) return "";
    return fs::path(std::wstring(buf, n)).parent_path().u8string();
}

bool replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) {
    std::wstring target = wide(path);
    std::wstring temp = target + L".partial";
    HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = lastError();
        return false;
    }
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        DWORD chunk = DWORD(std::min<std::size_t>(bytes.size() - done, 1u << 30)), put = 0;
        ok = WriteFile(h, bytes.data() + done, chunk, &put, nullptr) && put == chunk;
        done += put;
    }
    if (!ok) error = lastError();
    CloseHandle(h);
    if (ok && !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        error = lastError();
        ok = false;
    }
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}

#else

namespace {

[[maybe_unused]] FileTime fromUnix(const struct timespec& ts) { return fileTimeFromUnix(ts.tv_sec, std::uint32_t(ts.tv_nsec)); }

}  // namespace

std::optional<FileFacts> statFile(const std::string& path, std::string& error) {
    FileFacts f;
#if defined(__linux__) && defined(STATX_BTIME)
    struct statx sx;
    if (statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    if (!S_ISREG(sx.stx_mode)) {
        error = "is not a regular file";
        return std::nullopt;
    }
    auto ts = [](const struct statx_timestamp& t) { return fileTimeFromUnix(t.tv_sec, t.tv_nsec); };
    f.size = sx.stx_size;
    f.readOnly = (sx.stx_mode & S_IWUSR) == 0;
    f.written = ts(sx.stx_mtime);
    f.accessed = ts(sx.stx_atime);
    f.created = (sx.stx_mask & STATX_BTIME) ? ts(sx.stx_btime) : f.written;
#else
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        error = "is not a regular file";
        return std::nullopt;
    }
    f.size = std::uint64_t(st.st_size);
    f.readOnly = (st.st_mode & S_IWUSR) == 0;
#if defined(__APPLE__)
    f.written = fromUnix(st.st_mtimespec);
    f.accessed = fromUnix(st.st_atimespec);
    f.created = fromUnix(st.st_birthtimespec);
#else
    f.written = fromUnix(st.st_mtim);
    f.accessed = fromUnix(st.st_atim);
    f.created = f.written;
#endif
#endif
    return f;
}

bool readFile(const std::string& path, std::vector<std::uint8_t>& out, std::string& error) {
    int flags = O_RDONLY;
#ifdef O_NOATIME
    // Reading must not change the access time that the next build records.
    int fd = open(path.c_str(), flags | O_NOATIME);
    if (fd < 0 && errno == EPERM) fd = open(path.c_str(), flags);
#else
    int fd = open(path.c_str(), flags);
#endif
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat st;
    if (fstat(fd, &st) != 0) {
        error = std::strerror(errno);
        close(fd);
        return false;
    }
    out.resize(std::size_t(st.st_size));
    std::size_t done = 0;
    while (done < out.size()) {
        ssize_t got = read(fd, out.data() + done, out.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            error = got == 0 ? "the file became shorter while it was read" : std::strerror(errno);
            close(fd);
            return false;
        }
        done += std::size_t(got);
    }
    close(fd);
    return true;
}

bool isTerminal(int fd) { return isatty(fd) == 1; }

std::string executableFolder() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.parent_path().string();
}

bool replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) {
    fs::path target(path);
    std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    if (target.parent_path().empty()) pattern = "." + target.filename().string() + ".XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    mode_t mask = umask(0);
    umask(mask);
    bool ok = fchmod(fd, 0666 & ~mask) == 0;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        ok = put > 0;
        if (ok) done += std::size_t(put);
    }
    if (!ok) error = std::strerror(errno);
    if (close(fd) != 0 && ok) {
        error = std::strerror(errno);
        ok = false;
    }
    if (ok && std::rename(pattern.c_str(), path.c_str()) != 0) {
        error = std::strerror(errno);
        ok = false;
    }
    if (!ok) unlink(pattern.c_str());
    return ok;
}

#endif

}  // namespace corvel::build
