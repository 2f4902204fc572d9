#include "diagnostics.hpp"

namespace corvel::build {

std::string Location::str() const {
    std::string s = file;
    if (line) {
        s += ":" + std::to_string(line);
        if (column) s += ":" + std::to_string(column);
    }
    return s;
}

static std::string compose(const Location& where, const std::string& key, const std::string& message) {
    std::string s;
    if (!where.file.empty()) s += where.str() + ": ";
    s += "error: ";
    if (!key.empty()) s += key + ": ";
    return s + message;
}

BuildError::BuildError(Location where, std::string key, std::string message)
    : std::runtime_error(compose(where, key, message)),
      where_(std::move(where)),
      key_(std::move(key)),
      message_(std::move(message)) {}

BuildError::BuildError(std::string message)
    : std::runtime_error(compose({}, {}, message)), message_(std::move(message)) {}

void fail(const Location& where, const std::string& key, const std::string& message) {
    throw BuildError(where, key, message);
}

}  // namespace corvel::build
