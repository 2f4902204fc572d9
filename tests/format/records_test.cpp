// Install script records: exact payload layout of every type 1..17, typed
// round trips, raw records, the stream with and without terminator.
#include <gtest/gtest.h>

#include "records.h"
#include "support.h"

namespace corvel {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes str(const std::string& s) {
    Bytes b(s.begin(), s.end());
    b.push_back(0);
    return b;
}
Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}
Bytes u32(std::uint32_t v) { return {Bytes::value_type(v), Bytes::value_type(v >> 8), Bytes::value_type(v >> 16), Bytes::value_type(v >> 24)}; }
Bytes u16(std::uint16_t v) { return {Bytes::value_type(v), Bytes::value_type(v >> 8)}; }
Bytes u8(std::uint8_t v) { return {v}; }

ProductRecord sampleProduct() {
    ProductRecord p;
    p.productName = "Prod";
    p.displayName = "Prod Display";
    p.normalFont = "Tahoma,0x102030";
    p.colour1 = 0x01000005;
    p.colour2 = 0x00112233;
    p.titleFont = "Verdana,0xFFFFFF";
    p.colour3 = 0x00445566;
    p.options1 = kProductWelcomeHeaderColour | kProductCaptionBar;
    p.installPathSource = "HKLM,Software\\Corvel,Path";
    p.launchFile1 = "<ProgramFiles>\\a.exe";
    p.launchFile2 = "readme.txt";
    p.options2 = kProductCompactDialogs | kProductDesktopOption | kProductReboot | kProductUninstaller;
    return p;
}

// ---- exact layouts ----------------------------------------------------------

TEST(RecordLayout, Type1Variable) {
    Record r = variableRecord("%A%", "value");
    EXPECT_EQ(r.type, 1u);
    EXPECT_EQ(r.payload, cat({str("%A%"), str("value")}));
}

TEST(RecordLayout, Type2PageSwitchesIsTwelveBytes) {
    Record r = pageSwitchesRecord({1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 7});
    EXPECT_EQ(r.type, 2u);
    EXPECT_EQ(r.payload, (Bytes{1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 7}));
}

TEST(RecordLayout, OneStringTypes) {
    struct Case { Record r; std::uint32_t type; };
    const std::vector<Case> cases = {
        {licenceRecord("L"), 3},       {readmeRecord("R"), 4},        {shortcutRecord("S"), 10},
        {registryRecord("G"), 11},     {iniRecord("I"), 12},          {programRecord("P"), 13},
        {dllCallRecord("D"), 14},      {associationRecord("A"), 15},  {backgroundTextRecord("B"), 17},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        EXPECT_EQ(c.r.type, c.type);
        EXPECT_TRUE(isTextRecordType(c.type));
        ASSERT_EQ(c.r.payload.size(), 2u);
        EXPECT_EQ(c.r.payload[1], 0);
    }
    for (std::uint32_t t : {1u, 2u, 5u, 6u, 7u, 8u, 9u, 16u, 0u, 18u}) EXPECT_FALSE(isTextRecordType(t)) << t;
}

TEST(RecordLayout, Type5String) {
    Record r = stringRecord(0x0407, 0x70, 39, "Fehler");
    EXPECT_EQ(r.type, 5u);
    EXPECT_EQ(r.payload, cat({u16(0x0407), u8(0x70), u8(39), str("Fehler")}));
}

TEST(RecordLayout, Type6Languages) {
    Record r = languagesRecord(1, {9, 7, 0x0C});
    EXPECT_EQ(r.type, 6u);
    EXPECT_EQ(r.payload, cat({u8(1), u16(9), u16(7), u16(0x0C)}));
}

TEST(RecordLayout, Type7GradientAndType8Accent) {
    Record g = gradientRecord(0x00112233, 0x00AABBCC);
    EXPECT_EQ(g.type, 7u);
    EXPECT_EQ(g.payload, cat({u32(0x00112233), u32(0x00AABBCC)}));
    Record a = accentColourRecord(0x00C88C00);
    EXPECT_EQ(a.type, 8u);
    EXPECT_EQ(a.payload, u32(0x00C88C00));
}

TEST(RecordLayout, Type9ProductFieldsInOrder) {
    ProductRecord p = sampleProduct();
    Record r = productRecord(p);
    EXPECT_EQ(r.type, 9u);
    EXPECT_EQ(r.payload, cat({str(p.productName), str(p.displayName), str(p.normalFont), u32(p.colour1),
                              u32(p.colour2), str(p.titleFont), u32(p.colour3), u8(p.options1),
                              str(p.installPathSource), str(p.launchFile1), str(p.launchFile2),
                              u8(p.options2)}));
}

TEST(RecordLayout, Type9Defaults) {
    ProductRecord p;
    EXPECT_EQ(p.colour1, 0x01000000u);
    EXPECT_EQ(p.colour2, 0u);
    EXPECT_EQ(p.colour3, 0u);
    Record r = encode(p);
    // 3 empty strings, 2 u32, empty string, u32, u8, 3 empty strings, u8.
    EXPECT_EQ(r.payload.size(), 3u + 8u + 1u + 4u + 1u + 3u + 1u);
}

TEST(RecordLayout, Type16Requirements) {
    RequirementsRecord q{"2000", "8.0", "5.5", "2000", 1};
    Record r = requirementsRecord(q);
    EXPECT_EQ(r.type, 16u);
    EXPECT_EQ(r.payload, cat({str("2000"), str("8.0"), str("5.5"), str("2000"), u8(1)}));
}

TEST(RecordLayout, SerializedRecordAndTerminator) {
    Record r = licenceRecord("ab");
    EXPECT_EQ(serializeRecord(r), cat({u32(3), u32(3), str("ab")}));
    auto stream = serializeRecords({r, rawRecord(99, {1, 2})});
    EXPECT_EQ(stream, cat({u32(3), u32(3), str("ab"), u32(99), u32(2), Bytes{1, 2}, u32(0xFFFFFFFF)}));
    EXPECT_EQ(serializeRecords({}), u32(0xFFFFFFFF)) << "terminator has no size field";
    EXPECT_EQ(serializeRecords({r}, false), cat({u32(3), u32(3), str("ab")}));
}

// ---- typed round trips ----------------------------------------------------

std::vector<TypedRecord> everyTypedRecord() {
    std::vector<TypedRecord> all;
    all.push_back(VariableRecord{"%InstallPath%", "<ProgramFiles>\\Corvel"});
    all.push_back(PageSwitchesRecord{{1, 1, 1, 0, 0, 1, 1, 1, 0, 1, 1, 1}});
    all.push_back(TextRecord{RecordType::Licence, "Licence text\r\nline 2"});
    all.push_back(TextRecord{RecordType::Readme, ""});
    all.push_back(StringRecord{9, 3, 200, "Choose a folder"});
    all.push_back(LanguagesRecord{1, {9, 7, 12}});
    all.push_back(LanguagesRecord{0, {}});
    all.push_back(LanguagesRecord{kLanguagesAutoSelect | kLanguagesCodePages, {9, 0x19}, {0, 1251}});
    all.push_back(GradientRecord{0x000000FF, 0x00FF0000});
    all.push_back(AccentColourRecord{0x00123456});
    all.push_back(sampleProduct());
    all.push_back(TextRecord{RecordType::Shortcut, "%ShortcutsGroup%\\App.lnk,%InstallPath%\\app.exe"});
    all.push_back(TextRecord{RecordType::Registry, "2,Software\\Corvel,Path,%InstallPath%,0"});
    all.push_back(TextRecord{RecordType::Ini, "<Windows>\\win.ini,Section,Key,Value"});
    all.push_back(TextRecord{RecordType::Program, "%InstallPath%\\setup2.exe,/s,,11,1,1,0"});
    all.push_back(TextRecord{RecordType::DllCall, "%InstallPath%\\x.dll,DllRegisterServer,,,11,1"});
    all.push_back(TextRecord{RecordType::Association, ".cvl,CorvelFile,Corvel file,%InstallPath%\\app.exe"});
    all.push_back(RequirementsRecord{"98", "7.0", "5.0", "", 0});
    all.push_back(TextRecord{RecordType::BackgroundText, "\"Corvel, Demo\",10,10,0xFFFFFF"});
    return all;
}

TEST(RecordRoundTrip, EveryTypeThroughTheStream) {
    const auto typed = everyTypedRecord();
    std::vector<Record> records;
    for (const auto& t : typed) records.push_back(encode(t));
    // Every type 1..17 appears.
    for (std::uint32_t type = 1; type <= 17; ++type)
        EXPECT_TRUE(std::any_of(records.begin(), records.end(), [&](const Record& r) { return r.type == type; }))
            << type;

    auto stream = serializeRecords(records);
    auto parsed = parseRecords(stream);
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    EXPECT_TRUE(parsed->terminated);
    EXPECT_EQ(parsed->terminatorOffset, stream.size() - 4);
    EXPECT_EQ(parsed->bytesAfterTerminator, 0u);
    ASSERT_EQ(parsed->records, records);
    ASSERT_EQ(parsed->offsets.size(), records.size());
    EXPECT_EQ(parsed->offsets[0], 0u);
    EXPECT_EQ(parsed->offsets[1], 8u + records[0].payload.size());
    for (std::size_t i = 0; i < typed.size(); ++i) {
        SCOPED_TRACE(i);
        auto d = decodeRecord(parsed->records[i]);
        ASSERT_TRUE(d.ok()) << d.error;
        EXPECT_TRUE(d.value == typed[i]);
    }
}

TEST(RecordRoundTrip, RawRecordsOfAnyType) {
    std::vector<Record> records = {rawRecord(0, {}), rawRecord(18, {1, 2, 3}), rawRecord(0x7FFFFFFF, {0}),
                                   rawRecord(5, {0xFF})};
    auto parsed = parseRecords(serializeRecords(records));
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    EXPECT_EQ(parsed->records, records);
    EXPECT_FALSE(decodeRecord(records[0]).ok());
    EXPECT_FALSE(decodeRecord(records[1]).ok());
    EXPECT_FALSE(decodeRecord(records[3]).ok()) << "type 5 payload of one byte is truncated";
}

// ---- decoding odd payloads ---------------------------------------------------

TEST(RecordDecode, TruncatedPayloadsAreErrors) {
    for (const auto& t : everyTypedRecord()) {
        Record full = encode(t);
        for (std::size_t cut = 0; cut < full.payload.size(); ++cut) {
            Record r = full;
            r.payload.resize(cut);
            auto d = decodeRecord(r);
            if (r.type == 6 && cut >= 1) {
                EXPECT_TRUE(d.ok()) << "languages: fewer ids is still a valid record";
                continue;
            }
            EXPECT_FALSE(d.ok()) << "type " << r.type << " cut at " << cut;
        }
    }
}

TEST(RecordDecode, StringWithoutNulIsAnError) {
    Record r = rawRecord(3, {'a', 'b'});
    auto d = decodeRecord(r);
    EXPECT_FALSE(d.ok());
    EXPECT_NE(d.error.find("type 3"), std::string::npos) << d.error;
}

TEST(RecordDecode, TrailingBytesAreIgnored) {
    Record r = accentColourRecord(0x00010203);
    r.payload.push_back(0xEE);
    auto d = decodeRecord(r);
    ASSERT_TRUE(d.ok());
    EXPECT_EQ(std::get<AccentColourRecord>(d.value).colour, 0x00010203u);
}

TEST(RecordDecode, LanguagesOddTrailingByte) {
    Record r = languagesRecord(1, {9, 7});
    r.payload.push_back(0x55);  // size 6: (6 - 1) / 2 = 2 ids
    auto d = decodeRecord(r);
    ASSERT_TRUE(d.ok());
    EXPECT_EQ(std::get<LanguagesRecord>(d.value).ids, (std::vector<std::uint16_t>{9, 7}));
}

TEST(RecordDecode, StringsStopAtTheFirstNul) {
    Record r = rawRecord(1, {'n', 0, 'v', 0, 'x', 'y', 0});
    auto d = decodeRecord(r);
    ASSERT_TRUE(d.ok());
    EXPECT_EQ(std::get<VariableRecord>(d.value), (VariableRecord{"n", "v"}));
}

// ---- odd streams -------------------------------------------------------------

TEST(RecordStream, MissingTerminator) {
    auto stream = serializeRecords({licenceRecord("x"), readmeRecord("y")}, false);
    auto parsed = parseRecords(stream);
    EXPECT_FALSE(parsed.ok());
    EXPECT_FALSE(parsed->terminated);
    EXPECT_EQ(parsed->records.size(), 2u) << "complete records are kept";
    EXPECT_NE(parsed.error.find("terminator"), std::string::npos) << parsed.error;
}

TEST(RecordStream, EveryCutIsReported) {
    const auto stream = serializeRecords({licenceRecord("abc"), variableRecord("n", "v")});
    for (std::size_t cut = 0; cut < stream.size(); ++cut) {
        auto parsed = parseRecords(stream.data(), cut);
        EXPECT_FALSE(parsed.ok()) << cut;
        EXPECT_FALSE(parsed->terminated) << cut;
        EXPECT_LE(parsed->records.size(), 2u);
    }
    EXPECT_TRUE(parseRecords(stream).ok());
}

TEST(RecordStream, SizeBeyondTheEnd) {
    auto stream = cat({u32(3), u32(1000), str("short"), u32(0xFFFFFFFF)});
    auto parsed = parseRecords(stream);
    EXPECT_FALSE(parsed.ok());
    EXPECT_TRUE(parsed->records.empty());
    EXPECT_NE(parsed.error.find("1000"), std::string::npos) << parsed.error;

    auto huge = cat({u32(1), u32(0xFFFFFFF0u)});
    EXPECT_FALSE(parseRecords(huge).ok());
}

TEST(RecordStream, BytesAfterTheTerminatorAreCounted) {
    auto stream = serializeRecords({iniRecord("a")});
    stream.push_back(1);
    stream.push_back(2);
    auto parsed = parseRecords(stream);
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed->bytesAfterTerminator, 2u);
    EXPECT_EQ(parsed->records.size(), 1u);
}

TEST(RecordStream, OnlyTheTerminator) {
    auto parsed = parseRecords(u32(0xFFFFFFFF));
    ASSERT_TRUE(parsed.ok());
    EXPECT_TRUE(parsed->terminated);
    EXPECT_TRUE(parsed->records.empty());
}

TEST(RecordStream, RandomGarbageNeverCrashes) {
    for (std::uint32_t seed = 0; seed < 300; ++seed) {
        auto g = test::randomBytes(seed % 97, seed);
        auto parsed = parseRecords(g);
        for (const auto& r : parsed->records) (void)decodeRecord(r);
    }
}

// ---- fields ------------------------------------------------------------------

TEST(Fields, SplitLikeTheStub) {
    auto f = splitFields("a,,b");
    ASSERT_EQ(f.size(), 15u);
    EXPECT_EQ(f[0], "a");
    EXPECT_EQ(f[1], "");
    EXPECT_EQ(f[2], "b");
    for (int i = 3; i < 15; ++i) EXPECT_EQ(f[i], "");
    EXPECT_EQ(splitFields(""), std::vector<std::string>(15));
    EXPECT_EQ(splitFields("x")[0], "x");

    std::string many;
    for (int i = 0; i < 20; ++i) many += std::to_string(i) + ",";
    auto m = splitFields(many);
    EXPECT_EQ(m[14], "14") << "the 15th field ends at the 15th comma";
}

TEST(Fields, QuotedMode) {
    auto f = splitFields("\"Hello, world\",10,20", true);
    EXPECT_EQ(f[0], "Hello, world");
    EXPECT_EQ(f[1], "10");
    EXPECT_EQ(f[2], "20");
    EXPECT_EQ(splitFields("no quote,1", true), std::vector<std::string>(15));
    EXPECT_EQ(splitFields("\"open", true)[0], "open");
    EXPECT_EQ(splitFields("\"a\" trailing", true)[1], "");
}

TEST(Fields, JoinIsTheInverseForCommaFreeFields) {
    std::vector<std::string> fields = {"%InstallPath%\\a.exe", "", "/s", "11"};
    EXPECT_EQ(joinFields(fields), "%InstallPath%\\a.exe,,/s,11");
    auto back = splitFields(joinFields(fields));
    EXPECT_TRUE(std::equal(fields.begin(), fields.end(), back.begin()));
}

TEST(RecordNames, KnownAndUnknown) {
    EXPECT_STREQ(recordTypeName(9), "product");
    EXPECT_STREQ(recordTypeName(17), "background text");
    EXPECT_STREQ(recordTypeName(0), "unknown");
    EXPECT_STREQ(recordTypeName(0xFFFFFFFF), "terminator");
}

}  // namespace
}  // namespace corvel
