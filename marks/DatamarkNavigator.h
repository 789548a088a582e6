#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "marks/DatamarkList.h"

// "Browser Style": the order Next and Previous Datamark follow.
enum class BrowserStyle { Nature = 0, Occurrence = 1, Association = 2 };

// An association split at its last "#": the path ("" for this file) and the name.
struct AssociationTarget {
    std::string path;
    std::string name;
};
std::optional<AssociationTarget> splitAssociation(std::string_view association);

// Where a step leads: a datamark of this list, another file's datamark
// (path#name, opened by the application), or nowhere.
struct NavigationTarget {
    enum class Kind { None, Here, OtherFile };
    Kind kind = Kind::None;
    std::size_t index = 0;
    std::string association;
};

// Next and Previous Datamark over one view's list: the current datamark,
// the three orders, following associations.
class DatamarkNavigator {
  public:
    // `shown` tells whether a datamark's level shows; `dataSize` keeps
    // datamarks beyond the data from being visited.
    DatamarkNavigator(DatamarkList& list, std::function<bool(const CBmitemObj&)> shown,
                      std::uint64_t dataSize, int lineWidth)
        : list_(list),
          shown_(std::move(shown)),
          dataSize_(dataSize),
          lineWidth_(lineWidth > 0 ? lineWidth : 1) {}

    // The target of one step from the caret; the current datamark is
    // dropped first when it left the list, is hidden, or the caret left its line.
    NavigationTarget step(bool next, BrowserStyle style, std::uint64_t caret);
    // "#name": that datamark of the list; anything else: the other file.
    NavigationTarget follow(std::string_view association) const;
    // The first datamark named so (ignoring case), if any.
    std::optional<std::size_t> byName(std::string_view name) const;

  private:
    bool visitable(const CBmitemObj& datamark) const;
    // The shown datamark after (before) `reference` by position, wrapping.
    NavigationTarget byPosition(bool next, std::uint64_t reference) const;
    NavigationTarget byNature(bool next, std::size_t from) const;

    DatamarkList& list_;
    std::function<bool(const CBmitemObj&)> shown_;
    std::uint64_t dataSize_;
    std::uint64_t lineWidth_;
};
