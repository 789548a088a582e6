#pragma once

#include <cstdint>
#include <vector>

#include "editdata/CEditAction.h"
#include "editdata/EditDataTypes.h"

// The concrete edit actions. Write actions hold the bytes that are not in
// the data now (at first the overwritten bytes, after each undo or redo the
// bytes that undo or redo replaced); delete actions the removed bytes;
// insert actions the inserted bytes. Block buffers hold rows x columns
// bytes, row after row. Each setData copies what it is given and fails for
// an offset beyond 63 bits, a missing source or a zero count.

// Marks the actions that insert or remove bytes.
class CChangeSizeAction : public CEditAction {
    KESTRANE_DECLARE_CLASS(CChangeSizeAction)
};

class CWriteByteAction : public CEditAction {
    KESTRANE_DECLARE_CLASS(CWriteByteAction)
public:
    bool setData(const CaretContext& caret, std::uint8_t byte, std::uint64_t offset);
    std::string getName() const override;
    bool undo(CEditData& store) override;
    bool redo(CEditData& store) override;
    bool markChanges(std::uint64_t windowStart, std::uint32_t windowLength,
                     std::uint8_t* mask) const override;

    std::uint8_t byte() const { return static_cast<std::uint8_t>(byte_); }
    std::uint64_t offset() const { return offset_; }

private:
    bool exchange(CEditData& store);
    std::uint32_t byte_ = 0;
    std::uint64_t offset_ = 0;
};

// The bytes and place of a range action.
struct RangeRecord {
    std::vector<std::uint8_t> buffer;
    std::uint64_t count = 0;
    std::uint64_t offset = 0;

    bool set(const std::uint8_t* source, std::uint64_t count, std::uint64_t offset);
};

class CWriteDataAction : public CEditAction {
    KESTRANE_DECLARE_CLASS(CWriteDataAction)
public:
    bool setData(const CaretContext& caret, const std::uint8_t* oldBytes,
                 std::uint64_t count, std::uint64_t offset);
    std::string getName() const override;
    bool undo(CEditData& store) override;
    bool redo(CEditData& store) override;
    bool markChanges(std::uint64_t windowStart, std::uint32_t windowLength,
                     std::uint8_t* mask) const override;
    const RangeRecord& record() const { return record_; }

private:
    bool exchange(CEditData& store);
    RangeRecord record_;
};

// The bytes and geometry of a column-block action.
struct BlockRecord {
    std::vector<std::uint8_t> buffer;
    ColumnBlock geometry;

    bool set(const std::uint8_t* source, const ColumnBlock& geometry);
};

class CWriteBlockAction : public CEditAction {
    KESTRANE_DECLARE_CLASS(CWriteBlockAction)
public:
    bool setData(const CaretContext& caret, const std::uint8_t* oldBytes,
                 const ColumnBlock& geometry);
    std::string getName() const override;
    bool undo(CEditData& store) override;
    bool redo(CEditData& store) override;
    bool markChanges(std::uint64_t windowStart, std::uint32_t windowLength,
                     std::uint8_t* mask) const override;
    const BlockRecord& record() const { return record_; }

private:
    bool exchange(CEditData& store);
    BlockRecord record_;
};

struct SwapParameters {
    std::uint64_t count = 0;
    std::uint64_t start = 0;
    std::int32_t chunk = 0;
    std::int32_t unit = 0;
    std::int32_t shift = 0;
};

class CSwapDataAction : public CEditAction {
    KESTRANE_DECLARE_CLASS(CSwapDataAction)
public:
    bool setData(const CaretContext& caret, const SwapParameters& parameters);
    std::string getName() const override;
    // The swap is its own inverse: undo and redo both swap again.
    bool undo(CEditData& store) override;
    bool redo(CEditData& store) override;
    bool markChanges(std::uint64_t windowStart, std::uint32_t windowLength,
                     std::uint8_t* mask) const override;
    const SwapParameters& parameters() const { return parameters_; }

private:
    bool swap(CEditData& store) const;
    SwapParameters parameters_;
};

class CDeleteDataAction : public CChangeSizeAction {
    KESTRANE_DECLARE_CLASS(CDeleteDataAction)
public:
    bool setData(const CaretContext& caret, const std::uint8_t* removed,
                 std::uint64_t count, std::uint64_t offset);
    std::string getName() const override;
    bool undo(CEditData& store) override;
    bool redo(CEditData& store) override;
    const RangeRecord& record() const { return record_; }

private:
    RangeRecord record_;
};

class CInsertDataAction : public CChangeSizeAction {
    KESTRANE_DECLARE_CLASS(CInsertDataAction)
public:
    bool setData(const CaretContext& caret, const std::uint8_t* inserted,
                 std::uint64_t count, std::uint64_t offset);
    std::string getName() const override;
    bool undo(CEditData& store) override;
    bool redo(CEditData& store) override;
    const RangeRecord& record() const { return record_; }

private:
    RangeRecord record_;
};

// A deleted column block. Where the block reached past the end of the data
// only the bytes that existed were removed; `removed` counts them, and undo
// puts back exactly those (the rows up to the one the data ended in).
class CDeleteBlockAction : public CChangeSizeAction {
    KESTRANE_DECLARE_CLASS(CDeleteBlockAction)
public:
    bool setData(const CaretContext& caret, const std::uint8_t* removedRows,
                 const ColumnBlock& geometry, std::uint64_t removed);
    std::string getName() const override;
    bool undo(CEditData& store) override;
    bool redo(CEditData& store) override;
    const BlockRecord& record() const { return record_; }
    std::uint64_t removed() const { return removed_; }

private:
    BlockRecord record_;
    std::uint64_t removed_ = 0;
};

// An inserted column block. Where the old data ran out the inserted rows
// follow each other without old bytes between them; undo removes exactly
// the inserted bytes by walking the layout again from `sizeBefore`.
class CInsertBlockAction : public CChangeSizeAction {
    KESTRANE_DECLARE_CLASS(CInsertBlockAction)
public:
    bool setData(const CaretContext& caret, const std::uint8_t* inserted,
                 const ColumnBlock& geometry, std::uint64_t sizeBefore);
    std::string getName() const override;
    bool undo(CEditData& store) override;
    bool redo(CEditData& store) override;
    const BlockRecord& record() const { return record_; }

private:
    BlockRecord record_;
    std::uint64_t sizeBefore_ = 0;
};
