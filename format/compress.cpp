// compress.cpp - package streams (78 DA + sync-flushed raw deflate) and Adler-32.
#include "compress.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <stdexcept>

namespace corvel {

namespace {

// zlib counts in uInt; feed and drain in slices that fit.
constexpr std::size_t kSlice = std::size_t(1) << 30;

// Offers the next slice of input once zlib has taken the previous one.
void feedSlice(z_stream& zs, const std::uint8_t* data, std::size_t size, std::size_t& offered) {
    if (zs.avail_in != 0 || offered >= size) return;
    std::size_t n = std::min(kSlice, size - offered);
    zs.next_in = const_cast<Bytef*>(data + offered);
    zs.avail_in = static_cast<uInt>(n);
    offered += n;
}

}  // namespace

std::vector<std::uint8_t> compressStream(const std::uint8_t* data, std::size_t size, int level) {
    level = std::clamp(level, 0, 9);
    z_stream zs{};
    // Raw deflate (negative windowBits): no zlib header, no trailer; the two
    // header bytes are written here. memLevel 9 / default strategy are fixed,
    // so the output depends only on input and level.
    if (deflateInit2(&zs, level, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");

    std::vector<std::uint8_t> out;
    out.reserve(2 + size / 2 + 64);
    out.push_back(0x78);
    out.push_back(0xDA);

    std::size_t offered = 0;
    std::uint8_t buffer[65536];
    for (;;) {
        feedSlice(zs, data, size, offered);
        const bool last = offered == size;
        const int flush = last ? Z_SYNC_FLUSH : Z_NO_FLUSH;
        zs.next_out = buffer;
        zs.avail_out = sizeof buffer;
        int rc = deflate(&zs, flush);
        if (rc == Z_STREAM_ERROR) {
            deflateEnd(&zs);
            throw std::runtime_error("deflate failed");
        }
        out.insert(out.end(), buffer, buffer + (sizeof buffer - zs.avail_out));
        // With Z_SYNC_FLUSH the flush is complete when deflate left output
        // space unused and consumed all input.
        if (last && zs.avail_in == 0 && zs.avail_out != 0) break;
    }
    deflateEnd(&zs);
    return out;
}

std::vector<std::uint8_t> compressStream(const std::vector<std::uint8_t>& data, int level) {
    return compressStream(data.data(), data.size(), level);
}

Result<Inflated> inflateStream(const std::uint8_t* data, std::size_t size, std::size_t maxOutput) {
    Inflated result;
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) return Result<Inflated>::failure("inflateInit failed");

    std::size_t offered = 0;
    std::string error;
    std::uint8_t buffer[65536];
    for (;;) {
        feedSlice(zs, data, size, offered);
        const std::size_t room = maxOutput - result.data.size();
        if (room == 0) {
            // Output full. Input may remain that produces nothing (the final
            // sync-flush block); go on with a one-byte probe: a byte produced
            // means the stream holds more than maxOutput.
            if (zs.avail_in == 0 && offered == size) break;
            std::uint8_t probe;
            zs.next_out = &probe;
            zs.avail_out = 1;
            const uInt inBefore = zs.avail_in;
            int rc = inflate(&zs, Z_NO_FLUSH);
            if (zs.avail_out == 0) { result.outputFull = true; break; }
            if (rc == Z_STREAM_END) { result.streamEnd = true; break; }
            if (rc != Z_OK && rc != Z_BUF_ERROR) {
                error = std::string("invalid compressed data") + (zs.msg ? std::string(": ") + zs.msg : "");
                break;
            }
            if (zs.avail_in == inBefore && (zs.avail_in != 0 || offered == size)) break;
            continue;
        }
        const std::size_t chunk = std::min<std::size_t>(room, sizeof buffer);
        zs.next_out = buffer;
        zs.avail_out = static_cast<uInt>(chunk);
        const uInt inBefore = zs.avail_in;
        int rc = inflate(&zs, Z_NO_FLUSH);
        const std::size_t produced = chunk - zs.avail_out;
        result.data.insert(result.data.end(), buffer, buffer + produced);
        if (rc == Z_STREAM_END) {
            result.streamEnd = true;
            break;
        }
        if (rc == Z_NEED_DICT) { error = "stream needs a preset dictionary"; break; }
        if (rc == Z_DATA_ERROR) {
            error = std::string("invalid compressed data") + (zs.msg ? std::string(": ") + zs.msg : "");
            break;
        }
        if (rc == Z_MEM_ERROR) { error = "out of memory while inflating"; break; }
        if (rc == Z_STREAM_ERROR) { error = "inflate stream error"; break; }
        // Z_OK or Z_BUF_ERROR: no progress possible means the input is used up.
        if (produced == 0 && zs.avail_in == inBefore && zs.avail_in == 0 && offered == size) break;
        if (produced == 0 && zs.avail_in == inBefore && zs.avail_in != 0) {
            // Should not happen with output room left; avoid looping forever.
            error = "inflate made no progress";
            break;
        }
    }
    result.inputConsumed = static_cast<std::size_t>(offered - zs.avail_in);
    inflateEnd(&zs);
    if (!error.empty()) return Result<Inflated>::failure(error, std::move(result));
    return Result<Inflated>::success(std::move(result));
}

std::uint32_t adler32(const std::uint8_t* data, std::size_t size, std::uint32_t initial) {
    uLong a = initial;
    while (size > 0) {
        std::size_t n = std::min(kSlice, size);
        a = ::adler32(a, data, static_cast<uInt>(n));
        data += n;
        size -= n;
    }
    return static_cast<std::uint32_t>(a);
}

}  // namespace corvel
