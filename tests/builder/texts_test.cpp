// The built-in string tables: complete for every text the stub reads, in
// their language's code page, and with the %s of every formatted text where
// the stub expects it.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "codepage.hpp"
#include "languages.hpp"
#include "names.hpp"
#include "texts.hpp"

namespace corvel::build {
namespace {

int countS(const std::string& s) {
    int n = 0;
    for (std::size_t i = s.find("%s"); i != std::string::npos; i = s.find("%s", i + 2)) ++n;
    return n;
}

std::map<TextKey, std::string> entries(const TextTable& t) {
    std::map<TextKey, std::string> out;
    for (std::size_t i = 0; i < t.count; ++i) {
        TextKey key{t.entries[i].group, t.entries[i].index};
        EXPECT_TRUE(out.emplace(key, t.entries[i].text).second)
            << "language " << t.language << " has text " << key.group << "." << key.index << " twice";
    }
    return out;
}

TEST(Texts, EveryShippedLanguageHasEveryTextTheStubReads) {
    auto english = entries(kEnglishTexts);
    for (std::uint16_t id : builtinLanguages()) {
        SCOPED_TRACE(languageName(id));
        const TextTable* table = builtinTexts(id);
        ASSERT_NE(table, nullptr);
        int codePage = languageCodePage(id);
        ASSERT_TRUE(writableCodePage(codePage)) << codePage;
        auto texts = entries(*table);
        for (const TextKey& key : stubTexts()) {
            auto it = texts.find(key);
            ASSERT_NE(it, texts.end()) << "missing " << stringGroupName(key.group) << "." << key.index;
            EXPECT_FALSE(it->second.empty());
            Unrepresentable why;
            EXPECT_TRUE(toAnsi(it->second, &why, codePage).has_value())
                << stringGroupName(key.group) << "." << key.index << ": " << describeCodePoint(why.codePoint);
            // A translation must take the stub's arguments in the same number.
            int args = formatArguments(key.group, key.index);
            if (args >= 0) {
                EXPECT_EQ(countS(it->second), countS(english[key]))
                    << stringGroupName(key.group) << "." << key.index << ": " << it->second;
                EXPECT_EQ(checkFormat(it->second, args), "") << it->second;
            }
        }
        // Nothing beyond what the stub reads (a stray index would be a typo).
        for (const auto& [key, text] : texts)
            EXPECT_TRUE(std::find(stubTexts().begin(), stubTexts().end(), key) != stubTexts().end())
                << "unused text " << stringGroupName(key.group) << "." << key.index;
    }
}

TEST(Texts, EnglishErrorsKeepTheirOriginalWording) {
    auto english = entries(kEnglishTexts);
    int errors = 0;
    for (const auto& [key, text] : english) errors += key.group == group::errors;
    EXPECT_EQ(errors, 40);
    EXPECT_EQ((english[TextKey{group::errors, 23}]), "Error mappnig view of a file  \n'%s'.");
    EXPECT_EQ((english[TextKey{group::errors, 31}]), "The target drive is not exists.");
    EXPECT_EQ((english[TextKey{group::errors, 25}]),
              "Error creating a registry value '%s' in the key '%s'.  \n%sContinue?");
    EXPECT_EQ((english[TextKey{group::messages, 13}]), "You need at least %s for the program to be working.");
}

TEST(Texts, TranslationsUseTheirLettersInTheirCodePage) {
    // One letter per language, checked at the byte the stub shows.
    struct Case { std::uint16_t language; TextKey key; unsigned char byte; };
    for (const Case& c : {Case{7, {group::buttons, 0}, 0xFC},        // "Zurück"
                          Case{12, {group::buttons, 0}, 0xE9},       // "Précédent"
                          Case{10, {group::buttons, 5}, 0xED},       // "Sí"
                          Case{10, {group::messages, 0}, 0xBF},      // "¿"
                          Case{0x1D, {group::buttons, 1}, 0xE4},     // "Nästa"
                          Case{0x06, {group::buttons, 1}, 0xE6},     // "Næste"
                          Case{0x16, {group::buttons, 6}, 0xE3}}) {  // "Não"
        auto texts = entries(*builtinTexts(c.language));
        auto ansi = toAnsi(texts[c.key], nullptr, languageCodePage(c.language));
        ASSERT_TRUE(ansi);
        EXPECT_NE(ansi->find(char(c.byte)), std::string::npos) << texts[c.key];
    }
}

TEST(CodePages, EachHoldsItsLettersAtTheirBytesAndRefusesOthers) {
    struct Case { int codePage; const char* utf8; unsigned char byte; const char* foreign; };
    for (const Case& c : {Case{1250, "ł", 0xB3, "Д"}, Case{1250, "Ő", 0xD5, "ñ"}, Case{1251, "Д", 0xC4, "é"},
                          Case{1251, "ї", 0xBF, "Ω"}, Case{1252, "é", 0xE9, "Д"}, Case{1252, "€", 0x80, "ł"},
                          Case{1253, "Ω", 0xD9, "Д"}, Case{1254, "ğ", 0xF0, "ł"}, Case{1254, "İ", 0xDD, "Ω"},
                          Case{1257, "ė", 0xEB, "ő"}}) {
        SCOPED_TRACE(codePageName(c.codePage) + " " + c.utf8);
        auto ansi = toAnsi(c.utf8, nullptr, c.codePage);
        ASSERT_TRUE(ansi);
        EXPECT_EQ(*ansi, std::string(1, char(c.byte)));
        EXPECT_EQ(fromAnsi(*ansi, c.codePage), c.utf8);
        Unrepresentable why;
        EXPECT_FALSE(toAnsi(std::string("a") + c.foreign, &why, c.codePage));
        EXPECT_EQ(why.index, 1u);
    }
    // A byte the code page leaves undefined reads as U+FFFD, and no character is written as it.
    EXPECT_EQ(fromAnsi("\x98", 1251), "\xEF\xBF\xBD");
    EXPECT_FALSE(toAnsi("\xC2\x81", nullptr, 1252));
    EXPECT_FALSE(toAnsi("a", nullptr, 1256));  // a code page the builder cannot write
}

TEST(Texts, FormatCheckCatchesWhatWouldCrashWsprintf) {
    EXPECT_EQ(checkFormat("File %s in use", 1), "");
    EXPECT_EQ(checkFormat("100%% sure, %s", 1), "");
    EXPECT_NE(checkFormat("%s and %s", 1), "");
    EXPECT_NE(checkFormat("50% done %s", 1), "");
    EXPECT_NE(checkFormat("%d files", 2), "");
    EXPECT_EQ(checkFormat("50% done", -1), "");  // shown as it is
}

TEST(Texts, ProductNamesAreFilledIn) {
    EXPECT_EQ(fillNames("{DisplayName} Setup - {ProductName} {DisplayName}", "Widget", "Widget 2"),
              "Widget Setup - Widget 2 Widget");
    EXPECT_EQ(fillNames("{DisplayName}", "{DisplayName}x", "p"), "{DisplayName}x");
}

}  // namespace
}  // namespace corvel::build
