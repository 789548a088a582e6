// Column blocks and swaps on a store against a plain model that decides byte
// by byte, in memory (with undo and redo) and in a work file.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/editdata/EditDataFixture.h"

namespace {

using edittest::FakeOwner;
using edittest::kFloor;
using edittest::patternBytes;
using edittest::readAll;
using edittest::StoreEnvironment;

// Where offset `o` falls in the block: its row and column, or -1.
std::pair<std::int64_t, std::int64_t> place(const ColumnBlock& b, std::int64_t o) {
    const std::int64_t shifted = o + b.indent;
    const std::int64_t line = shifted / b.lineWidth;
    const std::int64_t column = shifted % b.lineWidth;
    if (line < b.firstLine || line > b.lastLine || column < b.firstColumn ||
        column > b.lastColumn) {
        return {-1, -1};
    }
    return {line - b.firstLine, column - b.firstColumn};
}

std::string modelDelete(const std::string& data, const ColumnBlock& b) {
    std::string kept;
    for (std::size_t o = 0; o < data.size(); ++o) {
        if (place(b, static_cast<std::int64_t>(o)).first < 0) {
            kept += data[o];
        }
    }
    return kept;
}

std::string modelOverwrite(std::string data, const ColumnBlock& b, const std::string& rows) {
    for (std::size_t o = 0; o < data.size(); ++o) {
        const auto [row, column] = place(b, static_cast<std::int64_t>(o));
        if (row >= 0) {
            data[o] = rows[static_cast<std::size_t>(row * b.columns() + column)];
        }
    }
    return data;
}

std::string modelInsert(const std::string& data, const ColumnBlock& b, const std::string& rows) {
    const std::int64_t start = std::int64_t{b.firstLine} * b.lineWidth + b.firstColumn - b.indent;
    std::size_t old = static_cast<std::size_t>(std::clamp<std::int64_t>(start, 0, data.size()));
    std::string out = data.substr(0, old);
    for (std::int64_t row = 0; row < b.rows(); ++row) {
        out += rows.substr(static_cast<std::size_t>(row * b.columns()),
                           static_cast<std::size_t>(b.columns()));
        const std::size_t keep =
            std::min<std::size_t>(b.lineWidth - b.columns(), data.size() - old);
        out += data.substr(old, keep);
        old += keep;
    }
    return out + data.substr(old);
}

std::string modelSwap(std::string data, std::uint64_t count, std::uint64_t start, int chunk,
                      int unit, int shift) {
    std::uint64_t at = start;
    std::uint64_t length = static_cast<std::uint64_t>(chunk - shift);
    while (at < start + count) {
        const std::uint64_t end = std::min(at + length, start + count);
        for (std::uint64_t u = at; u < end; u += static_cast<std::uint64_t>(unit)) {
            std::reverse(data.begin() + static_cast<long>(u),
                         data.begin() + static_cast<long>(
                                            std::min(u + static_cast<std::uint64_t>(unit), end)));
        }
        at = end;
        length = static_cast<std::uint64_t>(chunk);
    }
    return data;
}

struct Runner {
    StoreEnvironment env;
    FakeOwner owner;
    CEditData store{env.services()};
    std::mt19937 random{20261208};

    ColumnBlock randomBlock() {
        ColumnBlock b;
        b.lineWidth = 8 + static_cast<int>(random() % 40);
        b.firstColumn = static_cast<int>(random() % b.lineWidth);
        b.lastColumn = b.firstColumn + static_cast<int>(random() % (b.lineWidth - b.firstColumn));
        b.indent = static_cast<int>(random() % b.lineWidth);
        const std::uint64_t lines =
            store.getDataSize() / static_cast<std::uint64_t>(b.lineWidth) + 2;
        b.firstLine = static_cast<int>(random() % lines);
        b.lastLine = b.firstLine + static_cast<int>(random() % 300);
        return b;
    }

    // One random operation on the store and the model; with `undoable` the
    // step is undone and redone and checked at both ends.
    void step(std::string& model, bool undoable) {
        const std::string before = model;
        bool done = false;
        std::string expected;
        if (random() % 4 == 3) {
            const std::uint64_t size = store.getDataSize();
            const std::uint64_t start = random() % size;
            const std::uint64_t count = 1 + random() % (size - start);
            const int chunk = 2 + static_cast<int>(random() % 40);
            const int unit = 1 + static_cast<int>(random() % 8);
            const int shift = static_cast<int>(random() % chunk);
            done = store.swapData(count, start, chunk, unit, shift, undoable);
            expected = modelSwap(model, count, start, chunk, unit, shift);
        } else {
            const ColumnBlock b = randomBlock();
            const std::string rows =
                patternBytes(static_cast<std::size_t>(b.rows() * b.columns()), random());
            switch (random() % 3) {
                case 0:
                    done = store.deleteBlock(b, undoable);
                    expected = modelDelete(model, b);
                    break;
                case 1:
                    done = store.insertBlock(edittest::bytesOf(rows), b, undoable);
                    expected = modelInsert(model, b, rows);
                    break;
                default:
                    done = store.overwriteBlock(edittest::bytesOf(rows), b, undoable);
                    expected = modelOverwrite(model, b, rows);
                    break;
            }
        }
        if (!done) {
            ASSERT_EQ(expected, model) << "refused, but the model changes";
            ASSERT_EQ(readAll(store), model);
            return;
        }
        model = expected;
        ASSERT_EQ(readAll(store), model);
        if (undoable) {
            ASSERT_TRUE(store.undo(0));
            ASSERT_EQ(readAll(store), before) << "undo";
            ASSERT_TRUE(store.redo(0));
            ASSERT_EQ(readAll(store), model) << "redo";
        }
    }
};

TEST(CEditDataBlockModelTest, MemoryOperationsMatchTheModelAndUndoToIt) {
    Runner runner;
    SCOPED_TRACE("random seed 20261208");
    runner.store.setOwner(&runner.owner);
    std::string model = patternBytes(20000, 11);
    ASSERT_TRUE(runner.store.open(runner.env.makeFile("doc", model), kGenericRead | kGenericWrite));
    for (int i = 0; i < 400 && !testing::Test::HasFatalFailure(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        runner.step(model, true);
    }
}

TEST(CEditDataBlockModelTest, WorkFileOperationsMatchTheModel) {
    Runner runner;
    SCOPED_TRACE("random seed 20261208");
    runner.store.setOwner(&runner.owner);
    std::string model = patternBytes(kFloor + 4321, 12);
    ASSERT_TRUE(runner.store.open(runner.env.makeFile("doc", model), kGenericRead | kGenericWrite));
    ASSERT_TRUE(runner.store.makeWorkCopy());
    for (int i = 0; i < 30 && !testing::Test::HasFatalFailure(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        runner.step(model, false);
    }
    EXPECT_EQ(runner.store.storageMode(), StorageMode::WorkCopy);
}

}  // namespace
