#include "marks/DatamarkNavigator.h"

namespace {

NavigationTarget here(std::size_t index) {
    return {NavigationTarget::Kind::Here, index, {}};
}

std::string_view trimmedFront(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' ||
                             text.front() == '\n')) {
        text.remove_prefix(1);
    }
    return text;
}

}  // namespace

std::optional<AssociationTarget> splitAssociation(std::string_view association) {
    association = trimmedFront(association);
    const auto hash = association.rfind('#');
    if (hash == std::string_view::npos || hash + 1 == association.size()) {
        return std::nullopt;
    }
    return AssociationTarget{std::string(association.substr(0, hash)),
                             std::string(association.substr(hash + 1))};
}

bool DatamarkNavigator::visitable(const CBmitemObj& datamark) const {
    return datamark.position < dataSize_ && (!shown_ || shown_(datamark));
}

NavigationTarget DatamarkNavigator::byPosition(bool next, std::uint64_t reference) const {
    std::optional<std::size_t> beyond;  // strictly past the reference
    std::optional<std::size_t> wrap;    // the first (last) of all
    for (std::size_t i = 0; i < list_.size(); ++i) {
        const CBmitemObj& d = list_.at(i);
        if (!visitable(d)) {
            continue;
        }
        const std::uint64_t p = d.position;
        // Strict comparisons keep the first in list order among equal positions.
        if (next ? p > reference : p < reference) {
            if (!beyond ||
                (next ? p < list_.at(*beyond).position : p > list_.at(*beyond).position)) {
                beyond = i;
            }
        }
        if (!wrap || (next ? p < list_.at(*wrap).position : p > list_.at(*wrap).position)) {
            wrap = i;
        }
    }
    if (beyond) {
        return here(*beyond);
    }
    return wrap ? here(*wrap) : NavigationTarget{};
}

// The list neighbour whatever its level, passing over datamarks beyond the data.
NavigationTarget DatamarkNavigator::byNature(bool next, std::size_t from) const {
    const std::size_t n = list_.size();
    for (std::size_t step = 1; step <= n; ++step) {
        const std::size_t i = next ? (from + step) % n : (from + n - step % n) % n;
        if (list_.at(i).position < dataSize_) {
            return here(i);
        }
    }
    return {};
}

std::optional<std::size_t> DatamarkNavigator::byName(std::string_view name) const {
    return list_.find(name);
}

NavigationTarget DatamarkNavigator::follow(std::string_view association) const {
    association = trimmedFront(association);
    if (association.empty()) {
        return {};
    }
    if (association.front() != '#') {
        return {NavigationTarget::Kind::OtherFile, 0, std::string(association)};
    }
    const auto found = byName(association.substr(1));
    return found && list_.at(*found).position < dataSize_ ? here(*found) : NavigationTarget{};
}

NavigationTarget DatamarkNavigator::step(bool next, BrowserStyle style, std::uint64_t caret) {
    auto current = list_.currentDatamark();
    if (current && (*current >= list_.size() || !visitable(list_.at(*current)) ||
                    caret / lineWidth_ != list_.at(*current).position / lineWidth_)) {
        list_.setCurrentDatamark(std::nullopt);
        current.reset();
    }
    if (!current) {
        return byPosition(next, caret);
    }
    const CBmitemObj& c = list_.at(*current);
    if (style == BrowserStyle::Association && c.associations.empty()) {
        style = BrowserStyle::Nature;
    }
    switch (style) {
        case BrowserStyle::Occurrence:
            return byPosition(next, c.position);
        case BrowserStyle::Association:
            return follow(c.associations.front());
        case BrowserStyle::Nature:
        default:
            return byNature(next, *current);
    }
}
