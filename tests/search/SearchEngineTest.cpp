#include "search/SearchEngine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "settings/CSettings.h"
#include "tests/search/SearchTestSupport.h"

namespace {

using searchtest::ProgressLog;
using searchtest::StoreOf;

// The match of `pattern` in `bytes` as "index+length", or "-" for none.
std::string matchIn(const std::string& bytes, const std::string& pattern, bool hex, bool regex,
                    bool matchCase, bool forward = true, SearchSettings settings = {}) {
    SearchEngine engine(nullptr, settings);
    if (!engine.compilePattern(pattern, hex, regex, matchCase)) {
        return "invalid";
    }
    std::vector<std::uint8_t> buffer(bytes.begin(), bytes.end());
    buffer.push_back(0xEE);  // the spare byte
    const auto match = engine.matchBlock(buffer.data(), bytes.size(), forward);
    return match ? std::to_string(match->first) + "+" + std::to_string(match->second) : "-";
}
std::string hex(const std::string& bytes, const std::string& pattern, bool forward = true) {
    return matchIn(bytes, pattern, true, false, false, forward);
}
std::string text(const std::string& bytes, const std::string& pattern, bool matchCase) {
    return matchIn(bytes, pattern, false, false, matchCase);
}
std::string glob(const std::string& bytes, const std::string& pattern, bool forward = true,
                 bool matchCase = true) {
    return matchIn(bytes, pattern, false, true, matchCase, forward);
}

TEST(HexPatternTest, TokensWildcardsAndSeparators) {
    EXPECT_EQ(validateHexString("CE 4. A. ..", true, '.'), 4);
    EXPECT_EQ(validateHexString("4.", false, '.'), std::nullopt);  // wildcards off
    EXPECT_EQ(validateHexString("CE 4* A* **", true, '*'), 4);
    EXPECT_EQ(validateHexString("CE 4. A.", true, '*'), std::nullopt);
    EXPECT_EQ(validateHexString("0A0", true, '.'), std::nullopt);
    EXPECT_EQ(validateHexString("0G", true, '.'), std::nullopt);
    EXPECT_EQ(validateHexString(" \t\r\n ", true, '.'), std::nullopt);
    EXPECT_EQ(validateHexString("", true, '.'), std::nullopt);
    EXPECT_EQ(validateHexString("  01  \t02\r\n\n03  ", true, '.'), 3);

    EXPECT_EQ(compileHexPattern("A", true, '.'), compileHexPattern("0A", true, '.'));
    const std::vector<PatternEntry> entries = compileHexPattern("4. .F . ..", true, '.');
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0], (PatternEntry{0x40, 0xF0}));
    EXPECT_EQ(entries[1], (PatternEntry{0x0F, 0x0F}));
    EXPECT_EQ(entries[2], (PatternEntry{0x00, 0x00}));
    EXPECT_EQ(entries[3], (PatternEntry{0x00, 0x00}));
    const HexAnchor anchor = findHexAnchor(compileHexPattern("4B 71 3. 23 24 25 5.", true, '.'));
    EXPECT_EQ(anchor.position, 3u);
    EXPECT_EQ(anchor.length, 3u);
}

TEST(SearchEngineTest, HexPatternsMatchByMaskBothWays) {
    const std::string data("\xCE\x50\xA0\x00\xCE\x41\xA7\x00\xCE\x4F\xAF\xFF", 12);
    EXPECT_EQ(hex(data, "CE 4. A. .."), "4+4");
    EXPECT_EQ(hex(data, "CE 4. A. ..", false), "8+4");
    EXPECT_EQ(hex(data, "ce 50"), "0+2");
    EXPECT_EQ(hex(data, "A"), "-");
    EXPECT_EQ(hex(data, "0"), "3+1");
    EXPECT_EQ(hex(data, "0", false), "7+1");
    EXPECT_EQ(hex(data, ". .", false), "10+2");                   // nothing fixed to anchor on
    EXPECT_EQ(hex(data, ".F"), "9+1");                            // the low nibble only
    EXPECT_EQ(hex(std::string("\x01\x02", 2), "01 02 03"), "-");  // longer than the buffer
    EXPECT_EQ(hex(data, "4."), "5+1");
    EXPECT_EQ(matchIn(data, "", true, false, false), "invalid");
    EXPECT_EQ(matchIn(data, "4.", true, false, false, true, {1024, false, '.'}), "invalid");
}

TEST(SearchEngineTest, TextFoldsOnlyAsciiLettersWithoutMatchCase) {
    EXPECT_EQ(text("xxABCx", "abc", false), "2+3");
    EXPECT_EQ(text("xxaBcx", "abc", false), "2+3");
    EXPECT_EQ(text("xxABCabc", "abc", true), "5+3");
    EXPECT_EQ(text("\xE4\xC4", "\xC4", false), "1+1");  // never folded above 0x7F
    EXPECT_EQ(text("\xE4", "\xC4", false), "-");
    EXPECT_EQ(matchIn("abc", "", false, false, false), "invalid");
}

TEST(SearchEngineTest, TheRestrictedRegularExpression) {
    EXPECT_EQ(glob("ABC", "A?C"), "0+3");
    EXPECT_EQ(glob(std::string("A\0C", 3), "A?C"), "-");
    EXPECT_EQ(glob("xACx", "A*C"), "1+2");
    EXPECT_EQ(glob("AXYZC", "A*C"), "0+5");
    EXPECT_EQ(glob("AXCYC", "A*C"), "0+3");  // the shortest run first
    EXPECT_EQ(glob("ab12c", "[0-9][0-9]"), "2+2");
    EXPECT_EQ(glob("AB", "[^A]"), "1+1");
    EXPECT_EQ(glob("A", "[^A]"), "-");
    EXPECT_EQ(glob("abc]", "[]"), "-");
    EXPECT_EQ(glob("abc", "[^]"), "-");
    EXPECT_EQ(glob("a_9", "[a-z0-9_][a-z0-9_][a-z0-9_]"), "0+3");
    // A range at the set's beginning starts at 0; each range starts at the
    // character written before its "-".
    EXPECT_EQ(glob("\x05", "[-\x06]"), "0+1");
    EXPECT_EQ(glob("d", "[a-c-e]"), "0+1");
    EXPECT_EQ(glob("]", "]"), "0+1");
    // Open sets and ranges without an end never match.
    for (const char* open : {"[", "[^", "[a-", "[a-]", "ab[c", "a*[x"}) {
        EXPECT_EQ(glob("ab[c]a-x", open), "-") << open;
    }
    // A zero byte ends the data: neither "?" nor "*" nor a negated set crosses it.
    EXPECT_EQ(glob(std::string("A\0C", 3), "A*C"), "-");
    EXPECT_EQ(glob(std::string("A\0", 2), "A[^B]"), "-");
    EXPECT_EQ(glob("xx", "*"), "0+0");
    // Backward: the last start that matches, with its own shortest length.
    EXPECT_EQ(glob("AXCYAC", "A*C", false), "4+2");
    EXPECT_EQ(glob("A1C A2C", "A?C", false), "4+3");
    EXPECT_EQ(glob("abc", "ABC", true, false), "0+3");
    EXPECT_EQ(glob("abc", "[A-C]*C", true, false), "0+3");  // the pattern is folded too
}

TEST(SearchEngineTest, ManyStarsOverALongRunEndQuickly) {
    for (const bool forward : {true, false}) {
        EXPECT_EQ(glob(std::string(65536, 'a'), "*a*a*a*a*a*a*a*a*b", forward), "-");
        EXPECT_EQ(glob(std::string(65536, 'a'), "a*a*a*b", forward), "-");
    }
    EXPECT_EQ(glob(std::string(65536, 'a') + "b", "a*a*a*b"), "0+65537");
}

// The open-set patterns in buffers exactly their size: AddressSanitizer
// sees any read past the end.
TEST(SearchEngineTest, MalformedSetsNeverReadPastThePattern) {
    for (const char* open : {"[", "[^", "[a-", "x[ab-", "[a"}) {
        const std::size_t size = std::strlen(open);
        const auto exact = std::make_unique<char[]>(size);
        std::memcpy(exact.get(), open, size);
        const GlobPattern pattern(std::string_view(exact.get(), size));
        EXPECT_FALSE(pattern.isMatchable()) << open;
        const std::uint8_t data[] = {'x', 'a', 'b', 0};
        EXPECT_EQ(pattern.matchAt(data), -1);
    }
}

TEST(SearchEngineTest, TheSameStringAgainKeepsTheLastFoundOffset) {
    SearchEngine engine;
    ASSERT_TRUE(engine.compilePattern("CE 4.", true, false, false));
    engine.lastFoundOffset = 77;
    engine.lastMatchLength = 2;
    EXPECT_TRUE(engine.compilePattern("ce 4.", true, true, true));  // hex ignores the other flags
    EXPECT_EQ(engine.lastFoundOffset, 77);
    EXPECT_TRUE(engine.compilePattern("CE 4. 00", true, false, false));
    EXPECT_EQ(engine.lastFoundOffset, -1);
    EXPECT_EQ(engine.lastMatchLength, 0);

    ASSERT_TRUE(engine.compilePattern("abc", false, false, false));
    engine.lastFoundOffset = 5;
    EXPECT_TRUE(engine.compilePattern("ABC", false, false, false));
    EXPECT_EQ(engine.lastFoundOffset, 5);
    EXPECT_TRUE(engine.compilePattern("ABC", false, false, true));  // Match Case changed
    EXPECT_EQ(engine.lastFoundOffset, -1);
    engine.lastFoundOffset = 6;
    EXPECT_TRUE(engine.compilePattern("abc", false, false, true));  // exact with Match Case
    EXPECT_EQ(engine.lastFoundOffset, -1);
}

TEST(SearchEngineTest, SettingsAreHeldToWhatCanBeUsed) {
    testsupport::TempDir dir;
    platform::Registry registry(dir.file("registry.sqlite"));
    CSettings settings(registry);
    settings.open();
    settings.write(settings::edit::MaxFindBytes, 0);
    settings.write(settings::edit::AsynThreshold, 5000);
    settings.write(settings::edit::HexWildcard, ' ');
    settings.write(settings::edit::EnableAsynFind, 0);
    const SearchSettings find = SearchSettings::forFind(settings);
    EXPECT_EQ(find.maxFindBytes, 1024);
    EXPECT_EQ(find.asyncThreshold, 4u << 20);
    EXPECT_EQ(find.hexWildcard, '.');
    EXPECT_FALSE(find.asyncEnabled);
    settings.write(settings::edit::MaxFindBytes, 4096);
    settings.write(settings::edit::HexWildcard, '*');
    settings.write(settings::edit::AsynThreshold, 16);
    const SearchSettings replace = SearchSettings::forReplace(settings);
    EXPECT_EQ(replace.maxFindBytes, 4096);
    EXPECT_EQ(replace.hexWildcard, '*');
    EXPECT_TRUE(replace.asyncEnabled);  // always for Replace
    EXPECT_EQ(replace.asyncThreshold, 4u << 20);
}

// ------------------------------------------------------------ the range scan

std::optional<SearchMatch> scan(CEditData& store, const std::string& pattern, bool hexMode,
                                bool forward, std::uint64_t start, std::uint64_t end,
                                int maxFindBytes = 1024) {
    SearchEngine engine(&store, {maxFindBytes, true, '.', true, 4u << 20});
    if (!engine.compilePattern(pattern, hexMode, false, true)) {
        return std::nullopt;
    }
    bool cancelled = false;
    return engine.searchRange(forward, start, end, nullptr, cancelled);
}

TEST(SearchRangeTest, AnOccurrenceAcrossABlockEdgeIsFoundBothWays) {
    std::string bytes(200000, '.');
    bytes.replace(65536 - 6, 8, "NEEDLE!!");  // six bytes before the second block's start
    StoreOf file(bytes);
    for (const bool forward : {true, false}) {
        const auto found = scan(file.store(), "NEEDLE!!", false, forward, 0, bytes.size());
        ASSERT_TRUE(found) << forward;
        EXPECT_EQ(found->offset, 65530u);
        EXPECT_EQ(found->length, 8u);
    }
}

TEST(SearchRangeTest, FirstForwardLastBackwardAndNothingOutsideTheRange) {
    std::string bytes(1000, '-');
    for (const std::size_t at : {10u, 400u, 990u}) {
        bytes.replace(at, 3, "abc");
    }
    StoreOf file(bytes);
    EXPECT_EQ(scan(file.store(), "abc", false, true, 0, 1000)->offset, 10u);
    EXPECT_EQ(scan(file.store(), "abc", false, false, 0, 1000)->offset, 990u);
    // Matches cut by either end of the range are not in it.
    EXPECT_EQ(scan(file.store(), "abc", false, true, 11, 992)->offset, 400u);
    EXPECT_EQ(scan(file.store(), "abc", false, false, 11, 992)->offset, 400u);
    EXPECT_FALSE(scan(file.store(), "abc", false, true, 401, 992));
    EXPECT_FALSE(scan(file.store(), "abc", false, false, 401, 992));
    EXPECT_FALSE(scan(file.store(), "abc", false, true, 10, 12));  // shorter than the pattern
    EXPECT_FALSE(scan(file.store(), "abc", false, true, 500, 500));
    EXPECT_FALSE(scan(file.store(), "abc", false, true, 600, 500));
    EXPECT_FALSE(scan(file.store(), "abc", false, true, 0, 1001));  // past the data
}

TEST(SearchRangeTest, AnOccurrenceLongerThanMaxFindBytesIsFoundOnlyInsideOneBlock) {
    // M = 4: blocks of 256 bytes every 252.
    std::string inside(600, '-');
    inside.replace(10, 10, "0123456789");
    StoreOf found(inside);
    EXPECT_EQ(scan(found.store(), "0123456789", false, true, 0, 600, 4)->offset, 10u);
    std::string across(600, '-');
    across.replace(250, 10, "0123456789");  // over the edge at 256 and the overlap at 252
    StoreOf lost(across);
    EXPECT_FALSE(scan(lost.store(), "0123456789", false, true, 0, 600, 4));
}

TEST(SearchRangeTest, ProgressReportsAndCancel) {
    StoreOf file(std::string(200000, 'x'));
    SearchEngine engine(&file.store());
    ASSERT_TRUE(engine.compilePattern("yy", false, false, true));
    ProgressLog log;
    const platform::ProgressCallback callback = log.callback();
    bool cancelled = true;
    EXPECT_FALSE(engine.searchRange(true, 0, 200000, &callback, cancelled));
    EXPECT_FALSE(cancelled);
    // Blocks at 0, 64512, 129024 and 193536 (the last 6464 bytes long).
    const std::vector<std::string> fourBlocks{"200000/0/progress",      "200000/65536/progress",
                                              "200000/131072/progress", "200000/196608/progress",
                                              "200000/203072/progress", "200000/200000/failed"};
    EXPECT_EQ(log.items, fourBlocks);

    ProgressLog backward;
    const platform::ProgressCallback back = backward.callback();
    EXPECT_FALSE(engine.searchRange(false, 0, 200000, &back, cancelled));
    EXPECT_EQ(backward.items, fourBlocks);  // from the end, overlapping as forward

    ProgressLog stop;
    stop.cancelAfter = 2;  // the second block's report
    const platform::ProgressCallback stopping = stop.callback();
    EXPECT_FALSE(engine.searchRange(true, 0, 200000, &stopping, cancelled));
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(stop.items.size(), 3u);  // no final report after a cancel

    ASSERT_TRUE(engine.compilePattern("xx", false, false, true));
    ProgressLog hit;
    const platform::ProgressCallback hitting = hit.callback();
    EXPECT_TRUE(engine.searchRange(true, 0, 200000, &hitting, cancelled));
    EXPECT_EQ(hit.items, (std::vector<std::string>{"200000/0/progress", "200000/200000/finished"}));
}

TEST(SearchRangeTest, NoStoreFindsNothing) {
    SearchEngine engine;
    ASSERT_TRUE(engine.compilePattern("00", true, false, false));
    bool cancelled = false;
    EXPECT_FALSE(engine.searchRange(true, 0, 10, nullptr, cancelled));
}

TEST(SearchRangeTest, AMatchPastFourGibibytesIsReportedAtItsOffset) {
    testsupport::TempDir dir;
    const std::string path = dir.file("sparse.bin");
    const std::uint64_t at = (std::uint64_t{1} << 32) + 12345;
    {
        testsupport::writeFile(path, "");
        FILE* file = std::fopen(path.c_str(), "r+b");
        ASSERT_NE(file, nullptr);
        ASSERT_EQ(fseeko(file, static_cast<off_t>(at), SEEK_SET), 0);
        std::fputs("FARAWAY", file);
        std::fclose(file);
    }
    CEditData store;
    ASSERT_TRUE(store.open(path, kGenericRead));
    SearchEngine engine(&store);
    ASSERT_TRUE(engine.compilePattern("faraway", false, false, false));
    bool cancelled = false;
    for (const bool forward : {true, false}) {
        const auto found = engine.searchRange(forward, at - 100000, at + 7, nullptr, cancelled);
        ASSERT_TRUE(found);
        EXPECT_EQ(found->offset, at);
    }
}

}  // namespace
