#include "progress.hpp"

#include <string>

namespace corvel::build {

std::string humanBytes(double bytes) {
    const char* units[] = {"B", "KB", "MB", "GB"};
    int u = 0;
    while (bytes >= 1024 && u < 3) bytes /= 1024, ++u;
    char buf[32];
    std::snprintf(buf, sizeof buf, u ? "%.1f %s" : "%.0f %s", bytes, units[u]);
    return buf;
}

Progress::Progress(bool enabled, std::uint64_t total, std::FILE* out)
    : enabled_(enabled), total_(total), out_(out), start_(std::chrono::steady_clock::now()) {
    if (enabled_) thread_ = std::thread([this] { run(); });
}

Progress::~Progress() { finish(); }

void Progress::finish() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard<std::mutex> g(lock_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
    draw(true);
}

void Progress::run() {
    std::unique_lock<std::mutex> g(lock_);
    while (!wake_.wait_for(g, std::chrono::milliseconds(150), [this] { return stop_; })) draw(false);
}

void Progress::draw(bool last) {
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    double done = double(done_.load());
    double rate = seconds > 0 ? done / seconds : 0;
    int percent = total_ ? int(done * 100 / double(total_)) : 100;
    std::fprintf(out_, "\rcompressing %s of %s (%3d%%), %s/s   %s", humanBytes(done).c_str(),
                 humanBytes(double(total_)).c_str(), percent, humanBytes(rate).c_str(), last ? "\n" : "");
    std::fflush(out_);
}

}  // namespace corvel::build
