#include "toml_section.hpp"

#include <algorithm>

#include "codepage.hpp"

namespace corvel::build {

namespace {

Location locate(const toml::source_region& r, const std::string& file) {
    return Location{file, r.begin.line, r.begin.column};
}

std::size_t distance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diag = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diag + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diag = up;
        }
    }
    return row[b.size()];
}

}  // namespace

const char* typeName(const toml::node& node) {
    switch (node.type()) {
        case toml::node_type::table: return "a table";
        case toml::node_type::array: return "an array";
        case toml::node_type::string: return "a string";
        case toml::node_type::integer: return "an integer";
        case toml::node_type::floating_point: return "a floating-point number";
        case toml::node_type::boolean: return "a boolean";
        case toml::node_type::date: return "a date";
        case toml::node_type::time: return "a time";
        case toml::node_type::date_time: return "a date-time";
        default: return "nothing";
    }
}

Section::Section(const toml::table& table, std::string key, const std::string& file)
    : table_(&table), key_(std::move(key)), file_(&file) {}

Location Section::here() const { return locate(table_->source(), *file_); }

Location Section::of(const toml::node& node) const { return locate(node.source(), *file_); }

Location Section::at(std::string_view name) const {
    if (const toml::node* n = table_->get(name)) return of(*n);
    return here();
}

Location Section::keyAt(std::string_view name) const {
    auto it = table_->find(name);
    if (it == table_->end()) return here();
    return locate(it->first.source(), *file_);
}

std::string Section::path(std::string_view name) const {
    if (key_.empty()) return std::string(name);
    return key_ + "." + std::string(name);
}

void Section::allow(std::initializer_list<std::string_view> names) const {
    for (auto&& [k, v] : *table_) {
        std::string_view key = k.str();
        if (std::find(names.begin(), names.end(), key) != names.end()) continue;
        std::string_view best;
        std::size_t bestDistance = 3;
        for (std::string_view n : names) {
            std::size_t d = distance(key, n);
            if (d < bestDistance) bestDistance = d, best = n;
        }
        std::string where = key_.empty() ? "at the top level" : "in [" + key_ + "]";
        std::string msg = "unknown key '" + std::string(key) + "' " + where;
        if (!best.empty()) msg += "; did you mean '" + std::string(best) + "'?";
        throw BuildError(locate(k.source(), *file_), path(key), msg);
    }
}

std::optional<std::string_view> Section::either(std::string_view a, std::string_view b) const {
    if (has(a) && has(b)) fail(b, "given twice, as '" + std::string(a) + "' and as '" + std::string(b) + "'");
    if (has(a)) return a;
    if (has(b)) return b;
    return std::nullopt;
}

void Section::fail(std::string_view name, const std::string& message) const {
    throw BuildError(at(name), path(name), message);
}

void Section::failAt(const toml::node& node, std::string_view name, const std::string& message) const {
    throw BuildError(of(node), path(name), message);
}

void Section::wrongType(std::string_view name, const char* expected) const {
    const toml::node* n = node(name);
    fail(name, std::string("expected ") + expected + ", found " + (n ? typeName(*n) : "nothing"));
}

std::optional<std::string> Section::utf8(std::string_view name) const {
    const toml::node* n = node(name);
    if (!n) return std::nullopt;
    if (!n->is_string()) wrongType(name, "a string");
    return n->as_string()->get();
}

std::string ansiText(const Section& owner, const toml::node& node, std::string_view name, int codePage,
                     const std::string& whose) {
    if (!node.is_string()) owner.failAt(node, name, std::string("expected a string, found ") + typeName(node));
    return toAnsiOrFail(node.as_string()->get(), owner.of(node), owner.path(name), codePage, whose);
}

std::optional<std::string> Section::text(std::string_view name) const {
    const toml::node* n = node(name);
    if (!n) return std::nullopt;
    return ansiText(*this, *n, name);
}

std::string Section::needText(std::string_view name) const {
    auto t = text(name);
    if (!t) fail(name, "missing; [" + key_ + "] needs '" + std::string(name) + "'");
    return *t;
}

std::optional<bool> Section::flag(std::string_view name) const {
    const toml::node* n = node(name);
    if (!n) return std::nullopt;
    if (!n->is_boolean()) wrongType(name, "true or false");
    return n->as_boolean()->get();
}

std::optional<std::int64_t> Section::integer(std::string_view name, std::int64_t min, std::int64_t max) const {
    const toml::node* n = node(name);
    if (!n) return std::nullopt;
    if (!n->is_integer()) wrongType(name, "an integer");
    std::int64_t v = n->as_integer()->get();
    if (v < min || v > max)
        fail(name, std::to_string(v) + " is out of range; allowed are " + std::to_string(min) + " to " +
                       std::to_string(max));
    return v;
}

std::optional<std::vector<std::string>> Section::texts(std::string_view name) const {
    const toml::node* n = node(name);
    if (!n) return std::nullopt;
    std::vector<std::string> out;
    if (n->is_string()) {
        out.push_back(ansiText(*this, *n, name));
    } else if (const toml::array* a = n->as_array()) {
        for (const toml::node& item : *a) out.push_back(ansiText(*this, item, name));
    } else {
        wrongType(name, "a string or an array of strings");
    }
    return out;
}

std::optional<Section> Section::table(std::string_view name) const {
    const toml::node* n = node(name);
    if (!n) return std::nullopt;
    if (!n->is_table()) wrongType(name, "a table");
    return Section(*n->as_table(), path(name), *file_);
}

std::vector<Section> Section::tables(std::string_view name) const {
    std::vector<Section> out;
    const toml::node* n = node(name);
    if (!n) return out;
    const toml::array* a = n->as_array();
    if (!a) wrongType(name, "an array of tables");
    std::size_t i = 0;
    for (const toml::node& item : *a) {
        if (!item.is_table()) failAt(item, name, std::string("expected a table, found ") + typeName(item));
        out.emplace_back(*item.as_table(), path(name) + "[" + std::to_string(i++) + "]", *file_);
    }
    return out;
}

}  // namespace corvel::build
