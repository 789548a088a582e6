#include "marks/LinemarkList.h"

#include <algorithm>

void LinemarkList::toggle(std::uint64_t line) {
    const auto at = std::lower_bound(lines_.begin(), lines_.end(), line);
    if (at != lines_.end() && *at == line) {
        lines_.erase(at);
    } else {
        lines_.insert(at, line);
    }
    changed();
}

void LinemarkList::add(std::uint64_t line) {
    const auto at = std::lower_bound(lines_.begin(), lines_.end(), line);
    if (at == lines_.end() || *at != line) {
        lines_.insert(at, line);
        changed();
    }
}

void LinemarkList::removeAt(std::size_t index) {
    if (index < lines_.size()) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
        changed();
    }
}

void LinemarkList::clear() {
    if (!lines_.empty()) {
        lines_.clear();
        changed();
    }
}

bool LinemarkList::contains(std::uint64_t line) const {
    return std::binary_search(lines_.begin(), lines_.end(), line);
}

std::optional<std::size_t> LinemarkList::indexOf(std::uint64_t line) const {
    const auto at = std::lower_bound(lines_.begin(), lines_.end(), line);
    if (at == lines_.end() || *at != line) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(at - lines_.begin());
}

std::optional<std::uint64_t> LinemarkList::nextAfter(std::uint64_t line) const {
    if (lines_.empty()) {
        return std::nullopt;
    }
    const auto after = std::upper_bound(lines_.begin(), lines_.end(), line);
    return after != lines_.end() ? *after : lines_.front();
}

std::optional<std::uint64_t> LinemarkList::previousBefore(std::uint64_t line) const {
    if (lines_.empty()) {
        return std::nullopt;
    }
    const auto at = std::lower_bound(lines_.begin(), lines_.end(), line);
    return at != lines_.begin() ? *(at - 1) : lines_.back();
}
