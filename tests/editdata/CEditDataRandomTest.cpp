// Random edits applied to a store and to a plain byte vector side by side:
// after every step both must hold the same bytes, read through readData,
// readByte and getDataPointer, and the saved file must hold them too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "tests/editdata/BlockModel.h"
#include "tests/editdata/EditDataFixture.h"

namespace {

using edittest::FakeOwner;
using edittest::kFloor;
using edittest::patternBytes;
using edittest::readAll;
using edittest::StoreEnvironment;

struct MemoryStore {
    static constexpr std::size_t kSize = 65536 + 17;
    static constexpr int kSteps = 3000;
    static constexpr bool kTypingOnly = false;
    static constexpr int kFullCompareEvery = 1;
    static constexpr StorageMode kMode = StorageMode::MemoryLoaded;
    static void prepare(CEditData&) {}
};

struct InPlaceStore {
    static constexpr std::size_t kSize = kFloor + 1048576 + 999;
    static constexpr int kSteps = 3000;
    static constexpr bool kTypingOnly = true;  // anything else makes a work copy
    static constexpr int kFullCompareEvery = 250;
    static constexpr StorageMode kMode = StorageMode::InPlace;
    static void prepare(CEditData&) {}
};

struct WorkCopyStore {
    static constexpr std::size_t kSize = kFloor + 70001;
    static constexpr int kSteps = 400;
    static constexpr bool kTypingOnly = false;
    static constexpr int kFullCompareEvery = 1;
    static constexpr StorageMode kMode = StorageMode::WorkCopy;
    static void prepare(CEditData& store) { ASSERT_TRUE(store.makeWorkCopy()); }
};

template <typename Mode>
class CEditDataRandomTest : public testing::Test {
protected:
    StoreEnvironment env;
    FakeOwner owner;
    CEditData store{env.services()};
    std::string reference = patternBytes(Mode::kSize, 3);
    std::mt19937_64 random{20261208};

    std::uint64_t below(std::uint64_t bound) { return bound == 0 ? 0 : random() % bound; }

    void step() {
        const int kind = Mode::kTypingOnly ? 0 : static_cast<int>(below(4));
        const std::uint64_t size = reference.size();
        if (kind == 0 && size > 0) {
            const std::uint64_t offset = below(size);
            std::uint8_t byte = static_cast<std::uint8_t>(random());
            const std::uint8_t typed = byte;
            ASSERT_TRUE(store.writeByte(byte, offset, false)) << "type at " << offset;
            ASSERT_EQ(byte, static_cast<std::uint8_t>(reference[offset])) << "exchange at " << offset;
            reference[offset] = static_cast<char>(typed);
        } else if (kind == 1) {
            const std::uint64_t offset = below(size + 1);
            const std::string bytes = patternBytes(1 + below(3000), static_cast<unsigned>(random()));
            ASSERT_TRUE(store.insertData(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                         bytes.size(), offset, false))
                << "insert " << bytes.size() << " at " << offset;
            reference.insert(offset, bytes);
        } else if (kind == 2 && size > 0) {
            const std::uint64_t offset = below(size);
            const std::uint64_t count = 1 + below(std::min<std::uint64_t>(3000, size - offset));
            ASSERT_TRUE(store.deleteData(count, offset, false))
                << "delete " << count << " at " << offset;
            reference.erase(offset, count);
        } else if (size > 0) {
            const std::uint64_t offset = below(size);
            const std::uint64_t count = 1 + below(std::min<std::uint64_t>(3000, size - offset));
            const std::string bytes = patternBytes(count, static_cast<unsigned>(random()));
            ASSERT_TRUE(store.overwriteData(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                            count, offset, false))
                << "overwrite " << count << " at " << offset;
            reference.replace(offset, count, bytes);
        }
    }

    // Reads a random stretch through the data window and byte by byte.
    void compareAround() {
        ASSERT_EQ(store.getDataSize(), reference.size());
        if (reference.empty()) {
            return;
        }
        const std::uint64_t offset = below(reference.size());
        const std::uint8_t* data = nullptr;
        const std::uint8_t* mask = nullptr;
        std::uint32_t count = 1 + static_cast<std::uint32_t>(below(4096));
        ASSERT_TRUE(store.getDataPointer(&data, &mask, count, offset, below(8) == 0));
        ASSERT_LE(offset + count, reference.size());
        ASSERT_EQ(std::memcmp(data, reference.data() + offset, count), 0) << "window at " << offset;
        for (int i = 0; i < 8; ++i) {
            const std::uint64_t at = offset + below(count);
            std::uint8_t byte = 0;
            ASSERT_TRUE(store.readByte(byte, at)) << at;
            ASSERT_EQ(byte, static_cast<std::uint8_t>(reference[at])) << "byte at " << at;
        }
    }
};

using Modes = testing::Types<MemoryStore, InPlaceStore, WorkCopyStore>;
TYPED_TEST_SUITE(CEditDataRandomTest, Modes);

TYPED_TEST(CEditDataRandomTest, MatchesAPlainBufferThroughEveryStepAndTheSave) {
    SCOPED_TRACE("random seed 20261208");
    this->store.setOwner(&this->owner);
    const std::string path = this->env.makeFile("data", this->reference);
    ASSERT_TRUE(this->store.open(path, kGenericRead | kGenericWrite));
    TypeParam::prepare(this->store);
    ASSERT_EQ(this->store.storageMode(), TypeParam::kMode);

    for (int i = 0; i < TypeParam::kSteps; ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        this->step();
        this->compareAround();
        if (i % TypeParam::kFullCompareEvery == 0) {
            ASSERT_EQ(readAll(this->store), this->reference);
        }
        if (this->HasFatalFailure()) {
            return;
        }
    }
    ASSERT_EQ(readAll(this->store), this->reference);

    const std::string copy = this->env.dir.file("saved-as");
    ASSERT_TRUE(this->store.save(copy));
    EXPECT_EQ(edittest::readFileBytes(copy), this->reference);
    ASSERT_TRUE(this->store.save(path));
    EXPECT_EQ(edittest::readFileBytes(path), this->reference);
    EXPECT_EQ(readAll(this->store), this->reference);
}

// Recorded steps (typing, ranges, column blocks, swaps) against a reference
// history: after every step undoing everything gives the bytes the history
// starts from, redoing everything the latest, and a random walk of undos and
// redos matches the reference at every stop. A file-backed store forgets its
// history when an operation rewrites its work file; the reference does too.
template <typename Mode>
class CEditDataHistoryWalkTest : public CEditDataRandomTest<Mode> {
protected:
    std::vector<std::string> history;  // the states the undo stack can reach
    std::size_t now = 0;               // where the store stands in it

    ColumnBlock randomBlock() {
        ColumnBlock b;
        b.lineWidth = 8 + static_cast<int>(this->below(24));
        b.firstColumn = static_cast<int>(this->below(static_cast<std::uint64_t>(b.lineWidth)));
        b.lastColumn = b.firstColumn + static_cast<int>(this->below(
                                           static_cast<std::uint64_t>(b.lineWidth - b.firstColumn)));
        b.indent = static_cast<int>(this->below(static_cast<std::uint64_t>(b.lineWidth)));
        const std::uint64_t lines =
            this->reference.size() / static_cast<std::uint64_t>(b.lineWidth) + 1;
        b.firstLine = static_cast<int>(this->below(lines));
        b.lastLine = b.firstLine + static_cast<int>(this->below(20));
        return b;
    }

    // One recorded change on the store and the reference.
    void recordedStep() {
        std::string& data = this->reference;
        const auto size = static_cast<std::uint64_t>(data.size());
        const int kind = Mode::kTypingOnly ? 0 : static_cast<int>(this->below(6));
        bool done = false;
        std::string next = data;
        if (kind == 0 || size < 2) {
            const std::uint64_t offset = this->below(size);
            std::uint8_t byte = static_cast<std::uint8_t>(this->random());
            next[offset] = static_cast<char>(byte);
            done = this->store.writeByte(byte, offset, true);
        } else if (kind == 1) {
            const std::uint64_t offset = this->below(size + 1);
            const std::string bytes = patternBytes(1 + this->below(200), 5);
            next.insert(offset, bytes);
            done = this->store.insertData(edittest::bytesOf(bytes), bytes.size(), offset, true);
        } else if (kind == 2) {
            const std::uint64_t offset = this->below(size);
            const std::uint64_t count = 1 + this->below(std::min<std::uint64_t>(200, size - offset));
            next.erase(offset, count);
            done = this->store.deleteData(count, offset, true);
        } else if (kind == 3) {
            const std::uint64_t start = this->below(size);
            const std::uint64_t count = 1 + this->below(size - start);
            const int unit = 1 + static_cast<int>(this->below(8));
            const int chunk = unit * (1 + static_cast<int>(this->below(6)));
            next = blockmodel::modelSwap(data, count, start, chunk, unit, 0);
            done = this->store.swapData(count, start, chunk, unit, 0, true);
        } else {
            const ColumnBlock b = randomBlock();
            const std::string rows = patternBytes(static_cast<std::size_t>(b.rows() * b.columns()), 9);
            if (kind == 4) {
                next = blockmodel::modelDelete(data, b);
                done = next != data && this->store.deleteBlock(b, true);
            } else {
                next = blockmodel::modelOverwrite(data, b, rows);
                done = next != data && this->store.overwriteBlock(edittest::bytesOf(rows), b, true);
            }
        }
        if (!done) {
            return;  // a block with nothing in the data: refused, nothing changed
        }
        data = next;
        if (this->store.getUndoCount() == 0) {
            history = {data};  // a rewritten work file keeps no history
            now = 0;
            return;
        }
        history.resize(now + 1);  // a new change ends what could be redone
        history.push_back(data);
        now = history.size() - 1;
        ASSERT_EQ(static_cast<std::size_t>(this->store.getUndoCount()), now);
    }

    void undoAllRedoAll() {
        const int undos = this->store.getUndoCount();
        if (undos > 0) {
            ASSERT_TRUE(this->store.undo(undos - 1));
            ASSERT_EQ(readAll(this->store), history.front()) << "undo all";
        }
        const int redos = this->store.getRedoCount();
        if (redos > 0) {
            ASSERT_TRUE(this->store.redo(redos - 1));
        }
        ASSERT_EQ(readAll(this->store), history.back()) << "redo all";
        now = history.size() - 1;
    }

    void randomWalk() {
        for (int stop = 0; stop < 4; ++stop) {
            const bool back = this->below(2) == 0;
            const int can = back ? this->store.getUndoCount() : this->store.getRedoCount();
            if (can == 0) {
                continue;
            }
            const int n = static_cast<int>(this->below(static_cast<std::uint64_t>(can)));
            ASSERT_TRUE(back ? this->store.undo(n) : this->store.redo(n));
            now = back ? now - static_cast<std::size_t>(n + 1) : now + static_cast<std::size_t>(n + 1);
            ASSERT_EQ(readAll(this->store), history[now]) << "walk to " << now;
        }
        this->reference = history[now];
    }
};

TYPED_TEST_SUITE(CEditDataHistoryWalkTest, Modes);

TYPED_TEST(CEditDataHistoryWalkTest, UndoAndRedoFollowAReferenceHistoryAtEveryStep) {
    SCOPED_TRACE("random seed 20261208");
    this->store.setOwner(&this->owner);
    // Small enough to read whole after every step, large enough to stay in its mode.
    ASSERT_TRUE(this->store.open(this->env.makeFile("data", this->reference),
                                 kGenericRead | kGenericWrite));
    TypeParam::prepare(this->store);
    this->history = {this->reference};
    const int steps = std::min(TypeParam::kSteps, 60);
    for (int i = 0; i < steps; ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        this->recordedStep();
        this->undoAllRedoAll();
        this->randomWalk();
        if (this->HasFatalFailure()) {
            return;
        }
    }
}

}  // namespace
