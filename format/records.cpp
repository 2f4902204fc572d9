// records.cpp - install script records.
#include "records.h"

#include <type_traits>

#include "bytes.h"

namespace corvel {

using detail::Cursor;
using detail::putString;
using detail::putU16;
using detail::putU32;
using detail::putU8;

bool ProductRecord::operator==(const ProductRecord& o) const {
    return productName == o.productName && displayName == o.displayName && normalFont == o.normalFont &&
           colour1 == o.colour1 && colour2 == o.colour2 && titleFont == o.titleFont && colour3 == o.colour3 &&
           options1 == o.options1 && installPathSource == o.installPathSource &&
           launchFile1 == o.launchFile1 && launchFile2 == o.launchFile2 && options2 == o.options2;
}

Record rawRecord(std::uint32_t type, std::vector<std::uint8_t> payload) {
    Record r;
    r.type = type;
    r.payload = std::move(payload);
    return r;
}

namespace {
Record make(RecordType type) {
    Record r;
    r.type = static_cast<std::uint32_t>(type);
    return r;
}
}  // namespace

Record encode(const VariableRecord& v) {
    Record r = make(RecordType::Variable);
    putString(r.payload, v.name);
    putString(r.payload, v.value);
    return r;
}

Record encode(const PageSwitchesRecord& v) {
    Record r = make(RecordType::PageSwitches);
    r.payload.assign(v.pages.begin(), v.pages.end());
    return r;
}

Record encode(const TextRecord& v) {
    Record r = make(v.type);
    putString(r.payload, v.text);
    return r;
}

Record encode(const StringRecord& v) {
    Record r = make(RecordType::String);
    putU16(r.payload, v.language);
    putU8(r.payload, v.group);
    putU8(r.payload, v.index);
    putString(r.payload, v.text);
    return r;
}

Record encode(const LanguagesRecord& v) {
    Record r = make(RecordType::Languages);
    putU8(r.payload, v.autoSelect);
    for (std::size_t i = 0; i < v.ids.size(); ++i) {
        putU16(r.payload, v.ids[i]);
        if (v.autoSelect & kLanguagesCodePages) putU16(r.payload, i < v.codePages.size() ? v.codePages[i] : 0);
    }
    return r;
}

Record encode(const GradientRecord& v) {
    Record r = make(RecordType::Gradient);
    putU32(r.payload, v.start);
    putU32(r.payload, v.end);
    return r;
}

Record encode(const AccentColourRecord& v) {
    Record r = make(RecordType::AccentColour);
    putU32(r.payload, v.colour);
    return r;
}

Record encode(const ProductRecord& v) {
    Record r = make(RecordType::Product);
    auto& p = r.payload;
    putString(p, v.productName);
    putString(p, v.displayName);
    putString(p, v.normalFont);
    putU32(p, v.colour1);
    putU32(p, v.colour2);
    putString(p, v.titleFont);
    putU32(p, v.colour3);
    putU8(p, v.options1);
    putString(p, v.installPathSource);
    putString(p, v.launchFile1);
    putString(p, v.launchFile2);
    putU8(p, v.options2);
    return r;
}

Record encode(const RequirementsRecord& v) {
    Record r = make(RecordType::Requirements);
    putString(r.payload, v.windows);
    putString(r.payload, v.directX);
    putString(r.payload, v.internetExplorer);
    putString(r.payload, v.access);
    putU8(r.payload, v.admin);
    return r;
}

Record encode(const TypedRecord& r) {
    return std::visit([](const auto& x) { return encode(x); }, r);
}

Record variableRecord(const std::string& name, const std::string& value) {
    return encode(VariableRecord{name, value});
}
Record pageSwitchesRecord(const std::array<std::uint8_t, 12>& pages) {
    return encode(PageSwitchesRecord{pages});
}
Record textRecord(RecordType type, const std::string& text) { return encode(TextRecord{type, text}); }
Record licenceRecord(const std::string& text) { return textRecord(RecordType::Licence, text); }
Record readmeRecord(const std::string& text) { return textRecord(RecordType::Readme, text); }
Record stringRecord(std::uint16_t language, std::uint8_t group, std::uint8_t index, const std::string& text) {
    return encode(StringRecord{language, group, index, text});
}
Record languagesRecord(std::uint8_t autoSelect, const std::vector<std::uint16_t>& ids,
                       const std::vector<std::uint16_t>& codePages) {
    if (!codePages.empty()) autoSelect |= kLanguagesCodePages;
    return encode(LanguagesRecord{autoSelect, ids, codePages});
}
Record gradientRecord(std::uint32_t startRgb, std::uint32_t endRgb) {
    return encode(GradientRecord{startRgb, endRgb});
}
Record accentColourRecord(std::uint32_t colorref) { return encode(AccentColourRecord{colorref}); }
Record productRecord(const ProductRecord& product) { return encode(product); }
Record shortcutRecord(const std::string& text) { return textRecord(RecordType::Shortcut, text); }
Record registryRecord(const std::string& text) { return textRecord(RecordType::Registry, text); }
Record iniRecord(const std::string& text) { return textRecord(RecordType::Ini, text); }
Record programRecord(const std::string& text) { return textRecord(RecordType::Program, text); }
Record dllCallRecord(const std::string& text) { return textRecord(RecordType::DllCall, text); }
Record associationRecord(const std::string& text) { return textRecord(RecordType::Association, text); }
Record requirementsRecord(const RequirementsRecord& req) { return encode(req); }
Record backgroundTextRecord(const std::string& text) { return textRecord(RecordType::BackgroundText, text); }

bool isTextRecordType(std::uint32_t type) {
    switch (type) {
        case 3: case 4: case 10: case 11: case 12: case 13: case 14: case 15: case 17:
            return true;
        default:
            return false;
    }
}

const char* recordTypeName(std::uint32_t type) {
    switch (type) {
        case 1: return "variable";
        case 2: return "page switches";
        case 3: return "licence text";
        case 4: return "readme text";
        case 5: return "string";
        case 6: return "languages";
        case 7: return "background gradient";
        case 8: return "accent colour";
        case 9: return "product";
        case 10: return "shortcut";
        case 11: return "registry entry";
        case 12: return "INI entry";
        case 13: return "program";
        case 14: return "DLL call";
        case 15: return "association";
        case 16: return "requirements";
        case 17: return "background text";
        case kRecordTerminator: return "terminator";
        default: return "unknown";
    }
}

namespace {
template <class X>
Result<TypedRecord> decoded(X&& x) {
    Result<TypedRecord> r;
    r.value.emplace<std::decay_t<X>>(std::forward<X>(x));
    return r;
}
}  // namespace

Result<TypedRecord> decodeRecord(const Record& record) {
    using R = Result<TypedRecord>;
    Cursor c(record.payload.data(), record.payload.size());
    const std::string what = std::string("record type ") + std::to_string(record.type) + " (" +
                             recordTypeName(record.type) + "): ";
    auto truncated = [&](const char* field) {
        return R::failure(what + "payload of " + std::to_string(record.payload.size()) +
                          " bytes ends in field '" + field + "'");
    };

    if (isTextRecordType(record.type)) {
        TextRecord t;
        t.type = static_cast<RecordType>(record.type);
        if (!c.str(t.text)) return truncated("text");
        return decoded(std::move(t));
    }
    switch (record.type) {
        case 1: {
            VariableRecord v;
            if (!c.str(v.name)) return truncated("name");
            if (!c.str(v.value)) return truncated("value");
            return decoded(std::move(v));
        }
        case 2: {
            PageSwitchesRecord v;
            for (std::size_t k = 0; k < v.pages.size(); ++k)
                if (!c.u8(v.pages[k])) return truncated("page switch");
            return decoded(std::move(v));
        }
        case 5: {
            StringRecord v;
            if (!c.u16(v.language)) return truncated("language");
            if (!c.u8(v.group)) return truncated("group");
            if (!c.u8(v.index)) return truncated("index");
            if (!c.str(v.text)) return truncated("text");
            return decoded(std::move(v));
        }
        case 6: {
            LanguagesRecord v;
            if (!c.u8(v.autoSelect)) return truncated("auto-select");
            bool withCodePages = v.autoSelect & kLanguagesCodePages;
            std::uint16_t id, codePage;
            while (c.remaining() >= (withCodePages ? 4u : 2u) && c.u16(id)) {
                v.ids.push_back(id);
                if (withCodePages && c.u16(codePage)) v.codePages.push_back(codePage);
            }
            return decoded(std::move(v));
        }
        case 7: {
            GradientRecord v;
            if (!c.u32(v.start)) return truncated("start colour");
            if (!c.u32(v.end)) return truncated("end colour");
            return decoded(std::move(v));
        }
        case 8: {
            AccentColourRecord v;
            if (!c.u32(v.colour)) return truncated("colour");
            return decoded(std::move(v));
        }
        case 9: {
            ProductRecord v;
            if (!c.str(v.productName)) return truncated("product name");
            if (!c.str(v.displayName)) return truncated("display name");
            if (!c.str(v.normalFont)) return truncated("normal font");
            if (!c.u32(v.colour1)) return truncated("colour 1");
            if (!c.u32(v.colour2)) return truncated("colour 2");
            if (!c.str(v.titleFont)) return truncated("title font");
            if (!c.u32(v.colour3)) return truncated("colour 3");
            if (!c.u8(v.options1)) return truncated("options 1");
            if (!c.str(v.installPathSource)) return truncated("install path source");
            if (!c.str(v.launchFile1)) return truncated("first launch file");
            if (!c.str(v.launchFile2)) return truncated("second launch file");
            if (!c.u8(v.options2)) return truncated("options 2");
            return decoded(std::move(v));
        }
        case 16: {
            RequirementsRecord v;
            if (!c.str(v.windows)) return truncated("Windows");
            if (!c.str(v.directX)) return truncated("DirectX");
            if (!c.str(v.internetExplorer)) return truncated("Internet Explorer");
            if (!c.str(v.access)) return truncated("Access");
            if (!c.u8(v.admin)) return truncated("administrator flag");
            return decoded(std::move(v));
        }
        default:
            return R::failure(what + "not a type 1..17");
    }
}

std::vector<std::uint8_t> serializeRecord(const Record& record) {
    std::vector<std::uint8_t> out;
    out.reserve(8 + record.payload.size());
    putU32(out, record.type);
    putU32(out, static_cast<std::uint32_t>(record.payload.size()));
    out.insert(out.end(), record.payload.begin(), record.payload.end());
    return out;
}

std::vector<std::uint8_t> serializeRecords(const std::vector<Record>& records, bool terminate) {
    std::size_t total = terminate ? 4 : 0;
    for (const Record& r : records) total += 8 + r.payload.size();
    std::vector<std::uint8_t> out;
    out.reserve(total);
    for (const Record& r : records) {
        putU32(out, r.type);
        putU32(out, static_cast<std::uint32_t>(r.payload.size()));
        out.insert(out.end(), r.payload.begin(), r.payload.end());
    }
    if (terminate) putU32(out, kRecordTerminator);
    return out;
}

Result<ParsedRecords> parseRecords(const std::uint8_t* data, std::size_t size) {
    using R = Result<ParsedRecords>;
    ParsedRecords parsed;
    Cursor c(data, size);
    for (;;) {
        const std::size_t at = c.pos();
        if (c.remaining() == 0)
            return R::failure("record stream ends at offset " + std::to_string(at) + " without a terminator",
                              std::move(parsed));
        std::uint32_t type = 0;
        if (!c.u32(type))
            return R::failure("record stream ends inside a type field at offset " + std::to_string(at),
                              std::move(parsed));
        if (type == kRecordTerminator) {
            parsed.terminated = true;
            parsed.terminatorOffset = at;
            parsed.bytesAfterTerminator = c.remaining();
            return R::success(std::move(parsed));
        }
        std::uint32_t len = 0;
        if (!c.u32(len))
            return R::failure("record stream ends inside the size field of the record at offset " +
                                  std::to_string(at),
                              std::move(parsed));
        if (len > c.remaining())
            return R::failure("record at offset " + std::to_string(at) + " (type " + std::to_string(type) +
                                  ") has size " + std::to_string(len) + " but only " +
                                  std::to_string(c.remaining()) + " bytes follow",
                              std::move(parsed));
        Record r;
        r.type = type;
        r.payload.assign(data + c.pos(), data + c.pos() + len);
        c.skip(len);
        parsed.records.push_back(std::move(r));
        parsed.offsets.push_back(at);
    }
}

std::string joinFields(const std::vector<std::string>& fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ',';
        out += fields[i];
    }
    return out;
}

namespace {
// Unquoted splitting into slots [first, 15) from `text`.
void splitInto(std::vector<std::string>& slots, std::size_t first, const std::string& text) {
    std::size_t pos = 0;
    for (std::size_t slot = first; slot < 15; ++slot) {
        std::size_t comma = text.find(',', pos);
        if (comma == std::string::npos) {
            slots[slot] = text.substr(pos);
            return;
        }
        slots[slot] = text.substr(pos, comma - pos);
        pos = comma + 1;
    }
}
}  // namespace

std::vector<std::string> splitFields(const std::string& text, bool quoted) {
    std::vector<std::string> slots(15);
    if (!quoted) {
        splitInto(slots, 0, text);
        return slots;
    }
    std::size_t open = text.find('"');
    if (open == std::string::npos) return slots;
    std::size_t close = text.find('"', open + 1);
    if (close == std::string::npos) {
        slots[0] = text.substr(open + 1);
        return slots;
    }
    slots[0] = text.substr(open + 1, close - open - 1);
    std::size_t comma = text.find(',', close + 1);
    if (comma != std::string::npos) splitInto(slots, 1, text.substr(comma + 1));
    return slots;
}

}  // namespace corvel
