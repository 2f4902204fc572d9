// bytes.h - internal little-endian helpers of the format library (not API).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvel {
namespace detail {

inline void putU8(std::vector<std::uint8_t>& out, std::uint8_t v) { out.push_back(v); }
inline void putU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
inline void putU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(v >> (8 * i)));
}
inline void putString(std::vector<std::uint8_t>& out, const std::string& s) {
    out.insert(out.end(), s.begin(), s.end());
    out.push_back(0);
}
inline void setU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}
inline void setU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}
inline std::uint16_t getU16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
inline std::uint32_t getU32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

// Bounds-checked sequential reader over [data, data + size).
class Cursor {
public:
    Cursor(const std::uint8_t* data, std::size_t size, std::size_t pos = 0)
        : data_(data), size_(size), pos_(pos > size ? size : pos) {}

    std::size_t pos() const { return pos_; }
    std::size_t remaining() const { return size_ - pos_; }
    bool failed() const { return failed_; }

    bool u8(std::uint8_t& v) {
        if (!need(1)) return false;
        v = data_[pos_++];
        return true;
    }
    bool u16(std::uint16_t& v) {
        if (!need(2)) return false;
        v = getU16(data_ + pos_);
        pos_ += 2;
        return true;
    }
    bool u32(std::uint32_t& v) {
        if (!need(4)) return false;
        v = getU32(data_ + pos_);
        pos_ += 4;
        return true;
    }
    // NUL-terminated string; fails (position unchanged) when no NUL before the end.
    bool str(std::string& s) {
        if (failed_) return false;
        for (std::size_t i = pos_; i < size_; ++i) {
            if (data_[i] == 0) {
                s.assign(reinterpret_cast<const char*>(data_ + pos_), i - pos_);
                pos_ = i + 1;
                return true;
            }
        }
        failed_ = true;
        return false;
    }
    bool skip(std::size_t n) {
        if (!need(n)) return false;
        pos_ += n;
        return true;
    }

private:
    bool need(std::size_t n) {
        if (failed_ || n > size_ - pos_) {
            failed_ = true;
            return false;
        }
        return true;
    }
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_;
    bool failed_ = false;
};

}  // namespace detail
}  // namespace corvel
