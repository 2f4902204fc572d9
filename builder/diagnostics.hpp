// Errors the builder reports to the person who wrote the manifest.
// Every error carries a place (file, line, column when known), the manifest
// key it is about and a sentence saying what is wrong.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace corvel::build {

struct Location {
    std::string file;
    std::uint32_t line = 0;    // 0 = unknown
    std::uint32_t column = 0;  // 0 = unknown

    std::string str() const;   // "file:line:column", "file:line" or "file"
};

class BuildError : public std::runtime_error {
public:
    BuildError(Location where, std::string key, std::string message);
    explicit BuildError(std::string message);

    const Location& where() const { return where_; }
    const std::string& key() const { return key_; }
    const std::string& message() const { return message_; }

private:
    Location where_;
    std::string key_;
    std::string message_;
};

[[noreturn]] void fail(const Location& where, const std::string& key, const std::string& message);

}  // namespace corvel::build
