#include "display/CaretNavigator.h"

#include <algorithm>

KeyMove CaretNavigator::moveTo(std::uint64_t offset, int nibble) const {
    KeyMove move;
    move.kind = KeyMove::Kind::Move;
    move.caret.offset = std::min(offset, cells_.dataSize());
    // Only a byte has digits; the end position has none.
    move.caret.nibble =
        cells_.panel() == CellGeometry::Panel::Hex && move.caret.offset < cells_.dataSize() ? nibble
                                                                                            : 0;
    return move;
}

// One digit left in the hex panel, over the blank between units and back
// to the previous line's last used cell; nothing at the first digit.
KeyMove CaretNavigator::digitLeft(CaretPlace caret) const {
    const auto perLine = static_cast<std::uint64_t>(cells_.cellsPerLine());
    const auto perUnit = static_cast<std::uint64_t>(cells_.cellsPerUnit());
    const auto used = static_cast<std::uint64_t>(cells_.usedCellsPerLine());
    const std::uint64_t cell =
        cells_.byteToCell(caret.offset) + static_cast<std::uint64_t>(caret.nibble);
    if (cell <= cells_.byteToCell(0)) {
        return {};
    }
    std::uint64_t target = cell - 1;
    if (target % perLine >= used) {
        target = (cell / perLine) * perLine - perLine + used - 1;
    } else if (target % perLine % perUnit == perUnit - 1) {
        --target;
    }
    const std::uint64_t offset = cells_.cellToByte(target);
    return moveTo(offset, cells_.byteToCell(offset) + 1 == target ? 1 : 0);
}

// One digit right, over the blanks and on to the next line; never onto a
// cell whose byte is past the data.
KeyMove CaretNavigator::digitRight(CaretPlace caret) const {
    const auto perLine = static_cast<std::uint64_t>(cells_.cellsPerLine());
    const auto perUnit = static_cast<std::uint64_t>(cells_.cellsPerUnit());
    const auto used = static_cast<std::uint64_t>(cells_.usedCellsPerLine());
    const std::uint64_t cell =
        cells_.byteToCell(caret.offset) + static_cast<std::uint64_t>(caret.nibble);
    std::uint64_t target = cell + 1;
    if (target % perLine % perUnit == perUnit - 1) {
        ++target;  // the blank between units
    }
    if (target % perLine >= used || target % perLine == 0) {
        target = (cell / perLine + 1) * perLine;
    }
    const std::uint64_t offset = cells_.cellToByte(target);
    if (offset >= cells_.dataSize()) {
        return {};
    }
    return moveTo(offset, cells_.byteToCell(offset) + 1 == target ? 1 : 0);
}

KeyMove CaretNavigator::press(std::uint32_t key, bool shift, bool control, CaretPlace caret,
                              std::optional<std::uint64_t> selectionEnd) const {
    const auto width = static_cast<std::uint64_t>(cells_.lineWidth());
    const auto indent = static_cast<std::uint64_t>(cells_.indent());
    const auto unit = static_cast<std::uint64_t>(cells_.unit());
    const std::uint64_t size = cells_.dataSize();
    const bool hex = cells_.panel() == CellGeometry::Panel::Hex;
    // An extending key moves the selection's end, a plain one the caret.
    const std::uint64_t from = shift && selectionEnd ? *selectionEnd : caret.offset;
    const auto target = [&](std::uint64_t offset, int nibble = 0) {
        if (!shift) {
            return moveTo(offset, nibble);
        }
        KeyMove move;
        move.kind = KeyMove::Kind::Extend;
        move.end = std::min(offset, size);
        return move;
    };
    const int keepDigit = shift ? 0 : caret.nibble;
    KeyMove move;
    switch (key) {
        case kLeft:
            if (shift) {
                return target(from >= unit ? from - unit : from);
            }
            return hex ? digitLeft(caret) : target(caret.offset > 0 ? caret.offset - 1 : 0);
        case kRight:
            if (shift) {
                return target(from + unit);
            }
            if (hex) {
                return digitRight(caret);
            }
            return caret.offset + 1 < size ? target(caret.offset + 1) : KeyMove{};
        case kUp:
            if (!shift && (caret.offset + indent) / width == 0) {
                return {};
            }
            return target(from >= width ? from - width : 0, keepDigit);
        case kDown:
            return target(std::min(from + width, size), keepDigit);
        case kHome: {
            const std::uint64_t line = (from + indent) / width;
            move = target(control || line == 0 ? 0 : line * width - indent);
            move.sideways = KeyMove::Sideways::FullLeft;
            return move;
        }
        case kEnd: {
            if (control) {
                move = target(shift ? size : (size > 0 ? size - 1 : 0));
            } else {
                const std::uint64_t last = width * ((from + indent) / width + 1) - indent;
                move = target(shift ? std::min(last, size) : std::min(last - 1, size));
            }
            move.sideways = KeyMove::Sideways::FullRight;
            return move;
        }
        case kPageDown: {
            std::uint64_t to = from;
            for (std::int64_t i = 0; i < page_ && to + width < size; ++i) {
                to += width;
            }
            move = target(to, keepDigit);
            move.scrollLines = page_;
            return move;
        }
        case kPageUp: {
            // The same column, at most up to the first line (where the
            // indent may leave no byte in that column: then offset 0).
            const std::uint64_t position = from + indent;
            const auto lines =
                std::min<std::uint64_t>(static_cast<std::uint64_t>(page_), position / width);
            const std::uint64_t to = position - lines * width;
            move = target(to >= indent ? to - indent : 0, keepDigit);
            move.scrollLines = -page_;
            return move;
        }
        default:
            return {};
    }
}
