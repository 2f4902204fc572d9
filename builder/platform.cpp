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
#include <sys/wait.h>
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

// The command line as the C run-time splits it again: quotes around each
// argument, backslashes doubled in front of a quote.
std::wstring commandLine(const std::vector<std::string>& arguments) {
    std::wstring line;
    for (const std::string& a : arguments) {
        if (!line.empty()) line += L' ';
        line += L'"';
        std::size_t slashes = 0;
        for (wchar_t c : wide(a)) {
            if (c == L'\\') {
                ++slashes;
                continue;
            }
            line.append(c == L'"' ? 2 * slashes + 1 : slashes, L'\\');
            slashes = 0;
            line += c;
        }
        line.append(2 * slashes, L'\\');
        line += L'"';
    }
    return line;
}

int runTool(const std::vector<std::string>& arguments, const std::string& input, std::string& output,
            std::string& error) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr, inputRead = nullptr, inputWrite = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        error = lastError();
        return -1;
    }
    if (!CreatePipe(&inputRead, &inputWrite, &inherit, 0)) {
        error = lastError();
        CloseHandle(readEnd);
        CloseHandle(writeEnd);
        return -1;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(inputWrite, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inputRead;
    startup.hStdOutput = startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    std::wstring line = commandLine(arguments);
    const bool started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                        &process);
    if (!started) error = arguments[0] + ": " + lastError();
    CloseHandle(writeEnd);
    CloseHandle(inputRead);
    DWORD put = 0;
    if (started && !input.empty()) WriteFile(inputWrite, input.data(), DWORD(input.size()), &put, nullptr);
    CloseHandle(inputWrite);
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got) output.append(buffer, got);
    CloseHandle(readEnd);
    if (!started) return -1;
    DWORD code = 1;
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return int(code);
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

int runTool(const std::vector<std::string>& arguments, const std::string& input, std::string& output,
            std::string& error) {
    // Output, input, and the pipe through which the child reports a failed
    // exec (closed on a good one).
    int pipeEnds[2] = {-1, -1}, inputEnds[2] = {-1, -1}, execEnds[2] = {-1, -1};
    auto closeAll = [&] {
        for (int* ends : {pipeEnds, inputEnds, execEnds})
            for (int i = 0; i < 2; ++i)
                if (ends[i] >= 0) close(ends[i]), ends[i] = -1;
    };
    if (pipe(pipeEnds) != 0 || pipe(inputEnds) != 0 || pipe(execEnds) != 0 ||
        fcntl(execEnds[1], F_SETFD, FD_CLOEXEC) != 0) {
        error = std::strerror(errno);
        closeAll();
        return -1;
    }
    // Written before the child exists: the pipe holds it, and a child that
    // ends without reading cannot leave a writer without a reader.
    if (!input.empty()) (void)!write(inputEnds[1], input.data(), input.size());
    close(inputEnds[1]);
    inputEnds[1] = -1;
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t child = fork();
    if (child == 0) {
        dup2(inputEnds[0], 0);
        dup2(pipeEnds[1], 1);
        dup2(pipeEnds[1], 2);
        close(pipeEnds[0]);
        close(execEnds[0]);
        execvp(argv[0], argv.data());
        int failure = errno;
        (void)!write(execEnds[1], &failure, sizeof failure);
        _exit(127);
    }
    if (child < 0) {
        error = std::strerror(errno);
        closeAll();
        return -1;
    }
    close(pipeEnds[1]);
    close(inputEnds[0]);
    close(execEnds[1]);
    pipeEnds[1] = inputEnds[0] = execEnds[1] = -1;
    char buffer[4096];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) != 0;) {
        if (got > 0) output.append(buffer, std::size_t(got));
        else if (errno != EINTR) break;
    }
    close(pipeEnds[0]);
    int failure = 0;
    const bool execFailed = read(execEnds[0], &failure, sizeof failure) == sizeof failure;
    close(execEnds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (execFailed) {
        error = arguments[0] + ": " + std::strerror(failure);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

#endif

}  // namespace corvel::build
