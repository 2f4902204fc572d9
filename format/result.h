// result.h - the one way functions of the format library report failure.
//
// Every fallible function returns Result<T>: `error` is empty on success and
// holds a one-line English message on failure. What `value` holds on failure
// is documented per function: the writer leaves it empty, the readers leave
// the part they could decode (useful for `corvelbuild inspect`).
//
// Functions of this library do not throw for bad input. The only exceptions
// that can leave them are std::bad_alloc (out of memory) and, from
// compressStream, std::runtime_error when zlib itself cannot be initialised.
#pragma once

#include <string>
#include <utility>

namespace corvel {

template <class T>
struct Result {
    T value{};
    std::string error;  // empty = success

    bool ok() const { return error.empty(); }
    explicit operator bool() const { return ok(); }
    T& operator*() { return value; }
    const T& operator*() const { return value; }
    T* operator->() { return &value; }
    const T* operator->() const { return &value; }

    static Result success(T v) { Result r; r.value = std::move(v); return r; }
    static Result failure(std::string message, T partial = T{}) {
        Result r;
        r.value = std::move(partial);
        r.error = message.empty() ? std::string("unknown error") : std::move(message);
        return r;
    }
};

}  // namespace corvel
