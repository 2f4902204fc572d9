// A one-line progress display on a terminal: bytes compressed of the total
// and the rate. Silent when not enabled.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <thread>

namespace corvel::build {

class Progress {
public:
    Progress(bool enabled, std::uint64_t total, std::FILE* out = stderr);
    ~Progress();  // stops the display

    void add(std::uint64_t bytes) { done_.fetch_add(bytes, std::memory_order_relaxed); }
    std::uint64_t done() const { return done_.load(std::memory_order_relaxed); }
    void finish();

private:
    void run();
    void draw(bool last);

    bool enabled_;
    std::uint64_t total_;
    std::FILE* out_;
    std::atomic<std::uint64_t> done_{0};
    std::chrono::steady_clock::time_point start_;
    std::mutex lock_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::thread thread_;
};

std::string humanBytes(double bytes);

}  // namespace corvel::build
