#include "languages.hpp"

#include "names.hpp"

namespace corvel::build {

namespace {

struct Language {
    std::uint16_t id;
    const char* name;     // English name
    const char* code;     // ISO 639-1
    const char* native;   // own name in ASCII, "" when the same as the English one
};

constexpr Language kLanguages[] = {
    {0x01, "Arabic", "ar", ""},        {0x02, "Bulgarian", "bg", ""},   {0x03, "Catalan", "ca", "catala"},
    {0x04, "Chinese", "zh", ""},       {0x05, "Czech", "cs", "cesky"},  {0x06, "Danish", "da", "dansk"},
    {0x07, "German", "de", "deutsch"}, {0x08, "Greek", "el", ""},       {0x09, "English", "en", ""},
    {0x0A, "Spanish", "es", "espanol"}, {0x0B, "Finnish", "fi", "suomi"}, {0x0C, "French", "fr", "francais"},
    {0x0D, "Hebrew", "he", ""},        {0x0E, "Hungarian", "hu", "magyar"}, {0x0F, "Icelandic", "is", "islenska"},
    {0x10, "Italian", "it", "italiano"}, {0x11, "Japanese", "ja", ""}, {0x12, "Korean", "ko", ""},
    {0x13, "Dutch", "nl", "nederlands"}, {0x14, "Norwegian", "no", "norsk"}, {0x15, "Polish", "pl", "polski"},
    {0x16, "Portuguese", "pt", "portugues"}, {0x18, "Romanian", "ro", "romana"}, {0x19, "Russian", "ru", ""},
    {0x1A, "Croatian", "hr", "hrvatski"}, {0x1B, "Slovak", "sk", "slovencina"}, {0x1C, "Albanian", "sq", "shqip"},
    {0x1D, "Swedish", "sv", "svenska"}, {0x1E, "Thai", "th", ""},       {0x1F, "Turkish", "tr", "turkce"},
    {0x20, "Urdu", "ur", ""},          {0x21, "Indonesian", "id", "bahasa"}, {0x22, "Ukrainian", "uk", ""},
    {0x23, "Belarusian", "be", ""},    {0x24, "Slovenian", "sl", "slovenscina"}, {0x25, "Estonian", "et", "eesti"},
    {0x26, "Latvian", "lv", "latviesu"}, {0x27, "Lithuanian", "lt", "lietuviu"}, {0x29, "Farsi", "fa", "persian"},
    {0x2A, "Vietnamese", "vi", ""},    {0x2B, "Armenian", "hy", ""},    {0x2C, "Azeri", "az", "azerbaijani"},
    {0x2D, "Basque", "eu", "euskara"}, {0x2F, "Macedonian", "mk", ""},  {0x36, "Afrikaans", "af", ""},
    {0x37, "Georgian", "ka", ""},      {0x38, "Faeroese", "fo", "faroese"}, {0x39, "Hindi", "hi", ""},
    {0x3E, "Malay", "ms", "melayu"},   {0x3F, "Kazakh", "kk", "kazak"}, {0x40, "Kyrgyz", "ky", ""},
    {0x41, "Swahili", "sw", "kiswahili"}, {0x43, "Uzbek", "uz", ""},    {0x44, "Tatar", "tt", ""},
    {0x45, "Bengali", "bn", ""},       {0x46, "Punjabi", "pa", ""},     {0x47, "Gujarati", "gu", ""},
    {0x49, "Tamil", "ta", ""},         {0x4A, "Telugu", "te", ""},      {0x4B, "Kannada", "kn", ""},
    {0x4E, "Marathi", "mr", ""},       {0x4F, "Sanskrit", "sa", ""},    {0x50, "Mongolian", "mn", ""},
    {0x56, "Galician", "gl", "galego"}, {0x57, "Konkani", "kok", ""},   {0x5A, "Syriac", "syr", ""},
    {0x65, "Divehi", "dv", ""},
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

std::string languageName(std::uint16_t id) {
    for (const Language& l : kLanguages)
        if (l.id == id) return l.name;
    return "";
}

}  // namespace corvel::build
