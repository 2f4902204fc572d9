#include "glob.hpp"

#include <cctype>

namespace corvel::build {

namespace {

char fold(char c) { return char(std::tolower(static_cast<unsigned char>(c))); }

// Matches a bracket set at p (just after '['); advances p past ']'. Returns
// false in `ok` for a malformed set, which is then taken literally.
bool matchSet(std::string_view pattern, std::size_t& p, char c, bool& ok) {
    std::size_t i = p;
    bool negate = i < pattern.size() && (pattern[i] == '!' || pattern[i] == '^');
    if (negate) ++i;
    bool hit = false;
    bool first = true;
    while (i < pattern.size() && (pattern[i] != ']' || first)) {
        first = false;
        char lo = fold(pattern[i]);
        char hi = lo;
        if (i + 2 < pattern.size() && pattern[i + 1] == '-' && pattern[i + 2] != ']') {
            hi = fold(pattern[i + 2]);
            i += 2;
        }
        if (fold(c) >= lo && fold(c) <= hi) hit = true;
        ++i;
    }
    ok = i < pattern.size();
    if (!ok) return false;
    p = i + 1;
    return hit != negate;
}

bool match(std::string_view pat, std::size_t p, std::string_view text, std::size_t t) {
    while (p < pat.size()) {
        char c = pat[p];
        if (c == '*') {
            bool deep = p + 1 < pat.size() && pat[p + 1] == '*';
            std::size_t rest = p + (deep ? 2 : 1);
            if (deep && rest < pat.size() && pat[rest] == '/' && match(pat, rest + 1, text, t)) return true;
            for (std::size_t k = t;; ++k) {
                if (match(pat, rest, text, k)) return true;
                if (k >= text.size() || (!deep && text[k] == '/')) return false;
            }
        }
        if (t >= text.size()) return false;
        if (c == '?') {
            if (text[t] == '/') return false;
            ++p, ++t;
        } else if (c == '[') {
            std::size_t q = p + 1;
            bool ok;
            bool hit = matchSet(pat, q, text[t], ok);
            if (ok) {
                if (!hit || text[t] == '/') return false;
                p = q, ++t;
            } else {
                if (text[t] != '[') return false;
                ++p, ++t;
            }
        } else {
            if (fold(c) != fold(text[t])) return false;
            ++p, ++t;
        }
    }
    return t == text.size();
}

}  // namespace

bool globMatch(std::string_view pattern, std::string_view text) { return match(pattern, 0, text, 0); }

bool matchesPath(std::string_view pattern, std::string_view relativePath) {
    if (pattern.find('/') == std::string_view::npos) {
        std::size_t slash = relativePath.rfind('/');
        return globMatch(pattern, slash == std::string_view::npos ? relativePath : relativePath.substr(slash + 1));
    }
    if (!pattern.empty() && pattern[0] == '/') pattern.remove_prefix(1);
    return globMatch(pattern, relativePath);
}

}  // namespace corvel::build
