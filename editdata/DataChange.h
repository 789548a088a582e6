#pragma once

#include <cstdint>

// One change of a store's data as its listeners hear of it: where, how many
// bytes went and how many came, and what made it. An undo, a redo, a new
// content or a reload may touch anything: they name the whole data.
struct DataChange {
    enum class Kind { Edit, Undo, Redo, Replace, Reload };
    Kind kind = Kind::Edit;
    std::uint64_t offset = 0;
    std::uint64_t removed = 0;
    std::uint64_t inserted = 0;
};

// Hears every change of a store, once the operation that made it is done,
// on the thread that made it.
class DataChangeListener {
  public:
    virtual ~DataChangeListener() = default;
    virtual void dataChanged(const DataChange& change) = 0;
};
