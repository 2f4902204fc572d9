#include "languages.hpp"

#include "names.hpp"

namespace corvel::build {

namespace {

struct Language {
    std::uint16_t id;
    const char* name;     // English name
    const char* code;     // ISO 639-1
    const char* native;   // own name in ASCII, "" when the same as the English one
    int codePage;         // its Windows ANSI code page; 0 when it has none (Unicode only)
};

constexpr Language kLanguages[] = {
    {0x01, "Arabic", "ar", "", 1256}, {0x02, "Bulgarian", "bg", "", 1251},
    {0x03, "Catalan", "ca", "catala", 1252}, {0x04, "Chinese", "zh", "", 936},
    {0x05, "Czech", "cs", "cesky", 1250}, {0x06, "Danish", "da", "dansk", 1252},
    {0x07, "German", "de", "deutsch", 1252}, {0x08, "Greek", "el", "", 1253},
    {0x09, "English", "en", "", 1252}, {0x0A, "Spanish", "es", "espanol", 1252},
    {0x0B, "Finnish", "fi", "suomi", 1252}, {0x0C, "French", "fr", "francais", 1252},
    {0x0D, "Hebrew", "he", "", 1255}, {0x0E, "Hungarian", "hu", "magyar", 1250},
    {0x0F, "Icelandic", "is", "islenska", 1252}, {0x10, "Italian", "it", "italiano", 1252},
    {0x11, "Japanese", "ja", "", 932}, {0x12, "Korean", "ko", "", 949},
    {0x13, "Dutch", "nl", "nederlands", 1252}, {0x14, "Norwegian", "no", "norsk", 1252},
    {0x15, "Polish", "pl", "polski", 1250}, {0x16, "Portuguese", "pt", "portugues", 1252},
    {0x18, "Romanian", "ro", "romana", 1250}, {0x19, "Russian", "ru", "", 1251},
    {0x1A, "Croatian", "hr", "hrvatski", 1250}, {0x1B, "Slovak", "sk", "slovencina", 1250},
    {0x1C, "Albanian", "sq", "shqip", 1250}, {0x1D, "Swedish", "sv", "svenska", 1252},
    {0x1E, "Thai", "th", "", 874}, {0x1F, "Turkish", "tr", "turkce", 1254},
    {0x20, "Urdu", "ur", "", 1256}, {0x21, "Indonesian", "id", "bahasa", 1252},
    {0x22, "Ukrainian", "uk", "", 1251}, {0x23, "Belarusian", "be", "", 1251},
    {0x24, "Slovenian", "sl", "slovenscina", 1250}, {0x25, "Estonian", "et", "eesti", 1257},
    {0x26, "Latvian", "lv", "latviesu", 1257}, {0x27, "Lithuanian", "lt", "lietuviu", 1257},
    {0x29, "Farsi", "fa", "persian", 1256}, {0x2A, "Vietnamese", "vi", "", 1258},
    {0x2B, "Armenian", "hy", "", 0}, {0x2C, "Azeri", "az", "azerbaijani", 1254},
    {0x2D, "Basque", "eu", "euskara", 1252}, {0x2F, "Macedonian", "mk", "", 1251},
    {0x36, "Afrikaans", "af", "", 1252}, {0x37, "Georgian", "ka", "", 0},
    {0x38, "Faeroese", "fo", "faroese", 1252}, {0x39, "Hindi", "hi", "", 0},
    {0x3E, "Malay", "ms", "melayu", 1252}, {0x3F, "Kazakh", "kk", "kazak", 1251},
    {0x40, "Kyrgyz", "ky", "", 1251}, {0x41, "Swahili", "sw", "kiswahili", 1252},
    {0x43, "Uzbek", "uz", "", 1254}, {0x44, "Tatar", "tt", "", 1251},
    {0x45, "Bengali", "bn", "", 0}, {0x46, "Punjabi", "pa", "", 0},
    {0x47, "Gujarati", "gu", "", 0}, {0x49, "Tamil", "ta", "", 0},
    {0x4A, "Telugu", "te", "", 0}, {0x4B, "Kannada", "kn", "", 0},
    {0x4E, "Marathi", "mr", "", 0}, {0x4F, "Sanskrit", "sa", "", 0},
    {0x50, "Mongolian", "mn", "", 1251}, {0x56, "Galician", "gl", "galego", 1252},
    {0x57, "Konkani", "kok", "", 0}, {0x5A, "Syriac", "syr", "", 0},
    {0x65, "Divehi", "dv", "", 0},
};

}  // namespace

std::optional<std::uint16_t> languageId(const std::string& name) {
    std::string key = lower(name);
    for (const Language& l : kLanguages) {
        if (l.id > kMaxLanguageId) continue;
        if (key == lower(l.name) || key == l.code || (*l.native && key == l.native)) return l.id;
    }
    return std::nullopt;
}

int languageCodePage(std::uint16_t id) {
    for (const Language& l : kLanguages)
        if (l.id == id) return l.codePage;
    return 0;
}

std::string languageName(std::uint16_t id) {
    for (const Language& l : kLanguages)
        if (l.id == id) return l.name;
    return "";
}

}  // namespace corvel::build
