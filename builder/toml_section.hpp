// A table of the manifest together with its name and file, so that every
// value read from it can be checked and every complaint can point at the
// line and column it is about.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <toml++/toml.h>

#include "codepage.hpp"
#include "diagnostics.hpp"

namespace corvel::build {

class Section {
public:
    Section(const toml::table& table, std::string key, const std::string& file);

    const std::string& key() const { return key_; }
    const std::string& file() const { return *file_; }
    const toml::table& raw() const { return *table_; }

    // Where the table starts; where a value is (the table when absent);
    // where a key is written (for unknown keys).
    Location here() const;
    Location at(std::string_view name) const;
    Location keyAt(std::string_view name) const;
    Location of(const toml::node& node) const;
    // "product.name"
    std::string path(std::string_view name) const;

    bool has(std::string_view name) const { return table_->contains(name); }
    const toml::node* node(std::string_view name) const { return table_->get(name); }

    // Refuses any key not listed, suggesting the nearest listed one.
    void allow(std::initializer_list<std::string_view> names) const;
    // Refuses a value given under two spellings ("colour" and "color").
    std::optional<std::string_view> either(std::string_view a, std::string_view b) const;

    // Typed reads: nothing when absent, an error for a value of another type.
    std::optional<std::string> utf8(std::string_view name) const;
    std::optional<std::string> text(std::string_view name) const;  // Windows-1252
    std::optional<bool> flag(std::string_view name) const;
    std::optional<std::int64_t> integer(std::string_view name, std::int64_t min, std::int64_t max) const;
    std::optional<std::vector<std::string>> texts(std::string_view name) const;  // string or array of strings
    std::optional<Section> table(std::string_view name) const;
    std::vector<Section> tables(std::string_view name) const;  // an array of tables

    // Required variants.
    std::string needText(std::string_view name) const;

    [[noreturn]] void fail(std::string_view name, const std::string& message) const;
    [[noreturn]] void failAt(const toml::node& node, std::string_view name, const std::string& message) const;
    [[noreturn]] void wrongType(std::string_view name, const char* expected) const;

private:
    const toml::table* table_;
    std::string key_;
    const std::string* file_;
};

const char* typeName(const toml::node& node);

// Converts a string node to a code page (Windows-1252 unless a language's
// texts say otherwise), failing at the node.
std::string ansiText(const Section& owner, const toml::node& node, std::string_view name,
                     int codePage = kDefaultCodePage, const std::string& whose = "the setup program");

}  // namespace corvel::build
