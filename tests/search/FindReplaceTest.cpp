#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <random>
#include <set>

#include "editdata/EditDataStrings.h"
#include "platform/TempFile.h"
#include "search/FindTool.h"
#include "search/ReplaceTool.h"
#include "settings/CSettings.h"
#include "tests/search/SearchTestSupport.h"
#include "tests/support/FakeProgressRunner.h"
#include "tests/support/ScriptedMessageService.h"

namespace {

using platform::MessageAnswer;

// A view over a store: a caret, a range selection, linemarks by byte offset
// in lines of 16.
class FakeView : public SearchView {
  public:
    explicit FakeView(CEditData& data) : data_(data) {}
    CEditData& searchedData() override { return data_; }
    std::uint64_t caretOffset() override { return caret; }
    std::optional<std::pair<std::uint64_t, std::uint64_t>> rangeSelection() override {
        return selection;
    }
    bool hasSelection() override { return selection.has_value() || block; }
    void selectMatch(std::uint64_t offset, std::uint64_t length) override {
        caret = offset;
        selection = std::pair{offset, offset + length};
    }
    void markLineOf(std::uint64_t offset) override { marks.insert(offset / 16); }
    void clearSelection() override {
        selection.reset();
        block = false;
    }

    std::uint64_t caret = 0;
    std::optional<std::pair<std::uint64_t, std::uint64_t>> selection;
    bool block = false;
    std::set<std::uint64_t> marks;

  private:
    CEditData& data_;
};

class FindReplaceTest : public testing::Test {
  protected:
    platform::StringTable strings{searchStrings(), editDataStrings()};
    testsupport::ScriptedMessageService messages{strings};
    testsupport::FakeProgressRunner runner;

    std::string contents(CEditData& data) {
        std::string all(data.getDataSize(), '\0');
        std::uint64_t read = 0;
        data.readData(reinterpret_cast<std::uint8_t*>(all.data()), all.size(), read, 0);
        return all;
    }
    std::function<std::optional<std::string>()> temporary() {
        return [] {
            return platform::createUniqueTempFile(platform::systemTempDirectory(), "~HEXDATA");
        };
    }
};

TEST_F(FindReplaceTest, FindNextVisitsOverlappingMatchesAndWrapsAround) {
    searchtest::StoreOf file("aaaa..aa..");
    FakeView view(file.store());
    FindTool find({});
    view.caret = 1;
    EXPECT_EQ(find.findNext("aa", true, view, true, nullptr, strings), FindTool::Found);
    EXPECT_EQ(view.selection, (std::pair<std::uint64_t, std::uint64_t>{1, 3}));
    EXPECT_EQ(find.findNext("aa", true, view, true, nullptr, strings), FindTool::Found);
    EXPECT_EQ(view.caret, 2u);  // one byte on: the overlapping one
    EXPECT_EQ(find.findNext("aa", true, view, true, nullptr, strings), FindTool::Found);
    EXPECT_EQ(view.caret, 6u);
    EXPECT_EQ(find.findNext("aa", true, view, true, nullptr, strings), FindTool::Found);
    EXPECT_EQ(view.caret, 0u);  // round from the start
    // Against the direction: backward from the selected match.
    EXPECT_EQ(find.findNext("aa", false, view, true, nullptr, strings), FindTool::Found);
    EXPECT_EQ(view.caret, 6u);
    find.options.up = true;  // "Up": Find Previous searches forward
    view.caret = 3;
    view.selection.reset();
    EXPECT_EQ(find.findNext("aa", false, view, true, nullptr, strings), FindTool::Found);
    EXPECT_EQ(view.caret, 6u);
    // Without recycling the last one is the end.
    EXPECT_EQ(find.findNext("aa", false, view, false, nullptr, strings), FindTool::TextNotFound);
    EXPECT_EQ(find.findNext("", true, view, true, nullptr, strings), FindTool::EmptyText);
    find.options.asciiText = false;
    EXPECT_EQ(find.findNext("6G", true, view, true, nullptr, strings), FindTool::InvalidHex);
    EXPECT_EQ(find.findNext("FF", true, view, true, nullptr, strings), FindTool::HexNotFound);
    FindTool::reportForKeys(FindTool::HexNotFound, "FF", messages);
    FindTool::reportForKeys(FindTool::InvalidHex, "6G", messages);
    FindTool::reportForKeys(FindTool::EmptyText, "", messages);
    EXPECT_EQ(messages.shownIds(), (std::vector<int>{3008, 3005, 3001}));
}

TEST_F(FindReplaceTest, TheSecondPassFindsAMatchThatBeganBeforeTheCaret) {
    searchtest::StoreOf file("..XYZW......");
    FakeView view(file.store());
    FindTool find({4, true, '.', true, 4u << 20});
    view.caret = 4;  // inside the match, which ends within M bytes
    EXPECT_EQ(find.findNext("XYZW", true, view, true, nullptr, strings), FindTool::Found);
    EXPECT_EQ(view.caret, 2u);
}

TEST_F(FindReplaceTest, MarkAllLinesAddsAMarkPerMatchAndNeverRemovesOne) {
    std::string bytes(64, '.');
    for (const std::size_t at : {3u, 20u, 40u}) {
        bytes.replace(at, 2, "ab");
    }
    searchtest::StoreOf file(bytes);
    FakeView view(file.store());
    FindTool find({});
    find.options.markLines = true;
    for (int i = 0; i < 6; ++i) {
        ASSERT_EQ(find.findNext("ab", true, view, true, nullptr, strings), FindTool::Found);
    }
    EXPECT_EQ(view.marks, (std::set<std::uint64_t>{0, 1, 2}));
}

// A runner that notes whether the store counted as busy while it ran.
class BusyNotingRunner : public testsupport::FakeProgressRunner {
  public:
    explicit BusyNotingRunner(CEditData& data) : data_(data) {}
    bool runWithProgressText(
        int captionId, const std::string& text, bool cancellable,
        const std::function<void(const platform::ProgressCallback&)>& worker) override {
        busyEveryRun = busyEveryRun && data_.isBusy();
        return FakeProgressRunner::runWithProgressText(captionId, text, cancellable, worker);
    }
    bool busyEveryRun = true;

  private:
    CEditData& data_;
};

TEST_F(FindReplaceTest, WhileAWorkerSearchesTheStoreIsBusyForTheUserInterface) {
    searchtest::StoreOf file(std::string(300000, 'x') + "needle");
    FakeView view(file.store());
    BusyNotingRunner busy(file.store());
    FindTool find({1024, true, '.', true, 100000});
    EXPECT_EQ(find.findNext("needle", true, view, true, &busy, strings), FindTool::Found);
    ReplaceTool tool({1024, true, '.', true, 100000});
    tool.inSelection = true;
    view.selection = std::pair{150000, 300006};
    EXPECT_TRUE(tool.replaceAll("needle", "pin", view, messages, &busy, temporary()).applied);
    EXPECT_EQ(busy.runs().size(), 3u);  // the find, the range and the copy around it
    EXPECT_TRUE(busy.busyEveryRun);
    EXPECT_FALSE(file.store().isBusy());
}

TEST_F(FindReplaceTest, ALongSearchRunsUnderTheDialogAndACancelledPassIsNotFound) {
    searchtest::StoreOf file(std::string(300000, 'x') + "needle" + std::string(10, 'x'));
    FakeView view(file.store());
    FindTool find({1024, true, '.', true, 100000});
    view.caret = 200000;
    runner.cancelAtReport(2);  // each pass is cancelled at its second report
    EXPECT_EQ(find.findNext("a needle of more than sixteen", true, view, true, &runner, strings),
              FindTool::TextNotFound);
    ASSERT_EQ(runner.runs().size(), 2u);  // the first pass, then the other end
    EXPECT_EQ(runner.runs()[0].captionId, 3021);
    EXPECT_EQ(runner.runs()[0].text, "Kestrane is finding the data: \"a needle of more...\" ...");
    EXPECT_EQ(runner.runs()[1].text,
              "Kestrane is finding in another end the data: \"a needle of more...\" ...");
    runner.cancelAtReport(1000);
    EXPECT_EQ(find.findNext("needle", true, view, true, &runner, strings), FindTool::Found);
    EXPECT_EQ(view.caret, 300000u);
    EXPECT_EQ(
        shortenedFindText("\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4"
                          "\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4X"),
        std::string(32, '\0').replace(0, 32,
                                      "\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4"
                                      "\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4"
                                      "\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4") +
            "...");
}

TEST_F(FindReplaceTest, ReplaceIsOneUndoStepAndNeedsARange) {
    searchtest::StoreOf file("one two three");
    CEditData& data = file.store();
    FakeView view(data);
    ReplaceTool tool({});
    EXPECT_FALSE(tool.replace("2", view, messages));  // no selection
    view.selection = std::pair{4, 7};
    ASSERT_TRUE(tool.replace("TWO!", view, messages));
    EXPECT_EQ(contents(data), "one TWO! three");
    EXPECT_EQ(data.getUndoCount(), 1);
    data.undo(0);
    EXPECT_EQ(contents(data), "one two three");
    view.selection = std::pair{3, 7};
    ASSERT_TRUE(tool.replace("", view, messages));  // an empty replacement deletes
    EXPECT_EQ(contents(data), "one three");
    tool.options().asciiText = false;
    view.selection = std::pair{0, 3};
    EXPECT_FALSE(tool.replace("4*", view, messages));  // no wildcard in a replacement
    EXPECT_EQ(messages.shownIds(), (std::vector<int>{3006}));
    view.selection.reset();
    view.block = true;
    EXPECT_FALSE(tool.replace("41", view, messages));
    EXPECT_EQ(contents(data), "one three");
}

TEST_F(FindReplaceTest, ReplaceAllKeepsTheBytesItDoesNotReplace) {
    searchtest::StoreOf file("xABCyabczAbC");
    CEditData& data = file.store();
    FakeView view(data);
    ReplaceTool tool({});
    messages.answer(MessageAnswer::Cancel);
    ReplaceTool::Outcome outcome =
        tool.replaceAll("abc", "--", view, messages, nullptr, temporary());
    EXPECT_EQ(outcome.replaced, 3u);
    EXPECT_FALSE(outcome.applied);
    EXPECT_EQ(contents(data), "xABCyabczAbC");  // Cancel: as it was
    outcome = tool.replaceAll("abc", "", view, messages, nullptr, temporary());
    EXPECT_TRUE(outcome.applied);
    EXPECT_EQ(contents(data), "xyz");
    EXPECT_EQ(data.getUndoCount(), 0);  // Replace All cannot be undone
    EXPECT_EQ(tool.replaceAll("abc", "", view, messages, nullptr, temporary()).replaced, 0u);
    EXPECT_EQ(messages.shownIds(), (std::vector<int>{3003, 3003, 3004}));
}

TEST_F(FindReplaceTest, ReplaceAllInASelectionFromTheCaretAndOfEmptyMatches) {
    {
        searchtest::StoreOf file("ab|ab|ab|ab");
        FakeView view(file.store());
        ReplaceTool tool({});
        tool.options().matchCase = true;
        tool.inSelection = true;
        view.selection = std::pair{3, 8};
        tool.replaceAll("ab", "X", view, messages, nullptr, temporary());
        EXPECT_EQ(contents(file.store()), "ab|X|X|ab");
    }
    {
        // The caret inside an occurrence: that one is split and stays.
        searchtest::StoreOf file("abab");
        FakeView view(file.store());
        ReplaceTool tool({});
        tool.fromTop = false;
        view.caret = 3;
        tool.replaceAll("ab", "X", view, messages, nullptr, temporary());
        EXPECT_EQ(contents(file.store()), "Xab");
    }
    {
        // A whole-file selection: nothing outside it to copy.
        searchtest::StoreOf file("abab");
        FakeView view(file.store());
        ReplaceTool tool({});
        tool.inSelection = true;
        view.selection = std::pair{0, 4};
        tool.replaceAll("b", "", view, messages, nullptr, temporary());
        EXPECT_EQ(contents(file.store()), "aa");
    }
    {
        // "*" matches nothing before each byte: each byte is kept, the scan goes on.
        searchtest::StoreOf file("abc");
        FakeView view(file.store());
        ReplaceTool tool({});
        tool.options().regex = true;
        const auto outcome = tool.replaceAll("*", "-", view, messages, nullptr, temporary());
        EXPECT_EQ(outcome.replaced, 3u);
        EXPECT_EQ(contents(file.store()), "-a-b-c");
    }
}

TEST_F(FindReplaceTest, ALongReplaceAllRunsUnderTheDialogAndCancelChangesNothing) {
    std::string bytes;
    for (int i = 0; i < 20000; ++i) {
        bytes += "..needle..";
    }
    searchtest::StoreOf file(bytes);
    FakeView view(file.store());
    ReplaceTool tool({1024, true, '.', true, 50000});
    runner.cancelAtReport(3);
    const auto cancelled = tool.replaceAll("needle", "pin", view, messages, &runner, temporary());
    EXPECT_FALSE(cancelled.done);
    EXPECT_EQ(contents(file.store()), bytes);
    EXPECT_TRUE(messages.shownIds().empty());
    ASSERT_EQ(runner.runs().size(), 1u);
    EXPECT_EQ(runner.runs()[0].captionId, 3024);
    EXPECT_EQ(runner.runs()[0].text, "Kestrane is replacing the data string: \"needle\" ...");
    runner.cancelAtReport(1 << 30);
    const auto done = tool.replaceAll("needle", "pin", view, messages, &runner, temporary());
    EXPECT_EQ(done.replaced, 20000u);
    EXPECT_EQ(file.store().getDataSize(), 20000u * 7);
}

TEST_F(FindReplaceTest, ATemporaryFileThatCannotBeMadeSaysWhyAndChangesNothing) {
    searchtest::StoreOf file("abc");
    FakeView view(file.store());
    ReplaceTool tool({});
    const auto outcome = tool.replaceAll("b", "x", view, messages, nullptr, [] {
        return std::optional<std::string>("/nonexistent/dir/~HEXDATA1.tmp");
    });
    EXPECT_FALSE(outcome.done);
    EXPECT_EQ(contents(file.store()), "abc");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_NE(messages.shown()[0].text.find("No such file"), std::string::npos);
}

// Replace All against the rules read plainly: block by block, reading each
// block afresh after every hit.
std::pair<std::string, std::uint64_t> plainReplaceAll(const std::string& data, SearchEngine& engine,
                                                      std::uint64_t start, std::uint64_t end,
                                                      const std::string& replacement) {
    const auto m = static_cast<std::uint64_t>(engine.settings().maxFindBytes);
    std::string out = data.substr(0, start);
    std::uint64_t count = 0;
    while (start < end) {
        const std::uint64_t n = std::min(end - start, 64 * m);
        std::vector<std::uint8_t> block(data.begin() + static_cast<long>(start),
                                        data.begin() + static_cast<long>(start + n));
        block.push_back(0);
        const auto match = engine.matchBlock(block.data(), n, true);
        if (!match) {
            const std::uint64_t step = start + n < end ? 63 * m : n;
            out += data.substr(start, step);
            start += step;
            continue;
        }
        out += data.substr(start, match->first) + replacement;
        ++count;
        start += match->first + match->second;
        if (match->second == 0) {
            out += data[start];
            ++start;
        }
    }
    return {out + data.substr(end), count};
}

TEST_F(FindReplaceTest, ReplaceAllMatchesThePlainRules) {
    constexpr std::uint32_t kSeed = 417;
    std::mt19937 random(kSeed);
    const auto below = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    static const char alphabet[] = "aAbB\0-";
    static const char* patterns[][2] = {{"ab", ""},    {"aB", "0"},    {"a?", "1"}, {"b*a", "22"},
                                        {"[ab]", "3"}, {"61 6.", "4"}, {"*", "5"},  {"2d", ""}};
    for (int round = 0; round < 300; ++round) {
        const std::size_t m = 1 + below(16);
        std::string data(64 * m * 2 + below(300), '\0');
        for (char& c : data) {
            c = alphabet[below(6)];
        }
        const auto& pattern = patterns[below(std::size(patterns))];
        const bool hex = std::string(pattern[0]).find(' ') != std::string::npos ||
                         std::string(pattern[0]) == "2d";
        const bool regex = !hex && below(2) == 0;
        const bool matchCase = below(2) == 0;
        searchtest::StoreOf file(data);
        FakeView view(file.store());
        ReplaceTool tool({static_cast<std::int32_t>(m), true, '.', true, 4u << 20});
        tool.options() = {!hex, matchCase, regex, false, false};
        const int rangeKind = static_cast<int>(below(3));
        std::uint64_t start = 0;
        std::uint64_t end = data.size();
        if (rangeKind == 0) {
            tool.inSelection = true;
            start = below(data.size());
            end = start + 1 + below(data.size() - start);
            view.selection = std::pair{start, end};
        } else {
            tool.fromTop = rangeKind == 1;
            view.caret = below(data.size());
        }
        std::string replacement = hex ? std::string() : pattern[1];
        const std::string replaceText =
            hex ? (std::string(pattern[1]).empty() ? "" : "41 42") : replacement;
        if (hex && !replaceText.empty()) {
            replacement = "AB";
        }
        SearchEngine reference(nullptr, tool.engine().settings());
        ASSERT_TRUE(reference.compilePattern(pattern[0], hex, regex, matchCase));
        std::pair<std::string, std::uint64_t> expected;
        if (rangeKind == 2 && view.caret > 0) {
            const auto first = plainReplaceAll(data, reference, 0, view.caret, replacement);
            const std::string head =
                first.first.substr(0, first.first.size() - (data.size() - view.caret));
            const auto second =
                plainReplaceAll(data, reference, view.caret, data.size(), replacement);
            expected = {head + second.first.substr(view.caret), first.second + second.second};
        } else {
            expected = plainReplaceAll(data, reference, start, end, replacement);
        }
        messages.answer(MessageAnswer::Ok);
        const auto outcome =
            tool.replaceAll(pattern[0], replaceText, view, messages, nullptr, temporary());
        ASSERT_EQ(outcome.replaced, expected.second) << "seed " << kSeed << " round " << round;
        ASSERT_EQ(contents(file.store()), expected.second > 0 ? expected.first : data)
            << "seed " << kSeed << " round " << round << " pattern " << pattern[0];
    }
}

}  // namespace

namespace {

// Replace All where the temporary file may not grow past 64 KiB: the write
// fails, the reason is shown, the data stay as they were. Run in a child
// process, whose file-size limit nobody else shares.
TEST_F(FindReplaceTest, AFailedWriteOfTheTemporaryFileChangesNothingAndSaysWhy) {
    std::string bytes;
    for (int i = 0; i < 20000; ++i) {
        bytes += "..needle..";
    }
    const auto run = [&] {
        searchtest::StoreOf file(bytes);
        FakeView view(file.store());
        ReplaceTool tool({});
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{65536, 65536};
        setrlimit(RLIMIT_FSIZE, &limit);
        const auto outcome = tool.replaceAll("needle", "pin", view, messages, nullptr, temporary());
        const bool unchanged = contents(file.store()) == bytes;
        const bool said = messages.shown().size() == 1 &&
                          messages.shown()[0].text.find("too large") != std::string::npos;
        std::exit(!outcome.done && !outcome.applied && unchanged && said ? 0 : 1);
    };
    EXPECT_EXIT(run(), testing::ExitedWithCode(0), "");
}

TEST_F(FindReplaceTest, ReplaceAllInAFileEditedInPlace) {
    testsupport::TempDir dir;
    platform::Registry registry(dir.file("registry.sqlite"));
    CSettings settings(registry);
    settings.open();
    settings.write(settings::general::MaxFileSize, 4194304);
    std::string bytes(5 << 20, '-');
    for (std::size_t at = 1000; at + 6 < bytes.size(); at += 400000) {
        bytes.replace(at, 6, "needle");
    }
    const std::string path = dir.file("large.bin");
    testsupport::writeFile(path, bytes);
    CEditData store(CEditDataServices{settings, nullptr, nullptr});
    ASSERT_TRUE(store.open(path, kGenericRead | kGenericWrite));
    FakeView view(store);
    ReplaceTool tool({});
    const auto outcome = tool.replaceAll("needle", "pin", view, messages, nullptr, temporary());
    EXPECT_EQ(outcome.replaced, 14u);
    ASSERT_TRUE(outcome.applied);
    std::string expected = bytes;
    for (std::size_t at = expected.find("needle"); at != std::string::npos;
         at = expected.find("needle", at)) {
        expected.replace(at, 6, "pin");
    }
    EXPECT_EQ(contents(store), expected);
    EXPECT_EQ(testsupport::readFile(path), bytes);  // the file waits for a save
}

}  // namespace
