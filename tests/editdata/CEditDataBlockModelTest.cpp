// Column blocks and swaps on a store against a plain model that decides byte
// by byte, in memory (with undo and redo) and in a work file.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/editdata/BlockModel.h"
#include "tests/editdata/EditDataFixture.h"

namespace {

using namespace blockmodel;
using edittest::FakeOwner;
using edittest::kFloor;
using edittest::patternBytes;
using edittest::readAll;
using edittest::StoreEnvironment;

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
