#pragma once

#include <cstdint>
#include <optional>

#include "display/CellGeometry.h"

// Where the caret stands: a byte and, in the hex panel, its digit.
struct CaretPlace {
    std::uint64_t offset = 0;
    int nibble = 0;  // 0 the high digit, 1 the low one
    bool operator==(const CaretPlace&) const = default;
};

// What a caret key does, as the key table of the design gives it: move the
// caret (clearing a selection), or move a range selection's end (the first
// extending key only anchors it), and how the window scrolls for it.
struct KeyMove {
    enum class Kind { None, Move, Extend };
    enum class Sideways { Keep, FullLeft, FullRight };
    Kind kind = Kind::None;
    CaretPlace caret;              // Move: the new caret
    std::uint64_t end = 0;         // Extend: the selection's new end
    std::int64_t scrollLines = 0;  // Page Up and Page Down scroll a page first
    Sideways sideways = Sideways::Keep;
};

// The caret keys of one data panel as a function of the layout, the data
// size, the page and where the caret and the selection's end stand. Plain
// values in, a plain value out: the panel applies it.
class CaretNavigator {
  public:
    // `cells`: the geometry of the panel holding the caret; `pageLines`: the
    // whole lines the window shows.
    CaretNavigator(const CellGeometry& cells, std::int64_t pageLines)
        : cells_(cells), page_(pageLines) {}

    // `selectionEnd`: the end of the range selection that an extending key
    // moves, when a range exists.
    KeyMove press(std::uint32_t key, bool shift, bool control, CaretPlace caret,
                  std::optional<std::uint64_t> selectionEnd) const;

    // The virtual-key codes of the caret keys.
    static constexpr std::uint32_t kPageUp = 0x21, kPageDown = 0x22, kEnd = 0x23, kHome = 0x24,
                                   kLeft = 0x25, kUp = 0x26, kRight = 0x27, kDown = 0x28;

  private:
    KeyMove digitLeft(CaretPlace caret) const;
    KeyMove digitRight(CaretPlace caret) const;
    KeyMove moveTo(std::uint64_t offset, int nibble = 0) const;

    CellGeometry cells_;
    std::int64_t page_;
};
