#include "search/GlobPattern.h"

#include <algorithm>
#include <cstring>

#include "search/ByteScan.h"

GlobPattern::GlobPattern(std::string_view pattern) {
    // The pattern ends at its first zero, as a C string does.
    if (const std::size_t zero = pattern.find('\0'); zero != std::string_view::npos) {
        pattern = pattern.substr(0, zero);
    }
    const auto byteAt = [&](std::size_t i) { return static_cast<std::uint8_t>(pattern[i]); };
    std::size_t i = 0;
    while (i < pattern.size()) {
        Element element;
        const char c = pattern[i];
        if (c == '?') {
            element.kind = Element::Kind::Any;
            ++i;
        } else if (c == '*') {
            element.kind = Element::Kind::Star;
            hasStar_ = true;
            ++i;
            if (!elements_.empty() && elements_.back().kind == Element::Kind::Star) {
                continue;  // "**" is "*"
            }
        } else if (c == '[') {
            element.kind = Element::Kind::Set;
            ++i;
            const bool negated = i < pattern.size() && pattern[i] == '^';
            if (negated) {
                ++i;
            }
            std::uint8_t previous = 0;  // a range at the set's beginning starts at 0
            bool closed = false;
            while (i < pattern.size()) {
                if (pattern[i] == ']') {
                    closed = true;
                    ++i;
                    break;
                }
                if (pattern[i] == '-') {
                    if (i + 1 >= pattern.size() || pattern[i + 1] == ']') {
                        return;  // a range without its end: matches nowhere
                    }
                    const std::uint8_t last = byteAt(i + 1);
                    for (unsigned b = previous; b <= last; ++b) {
                        element.set.set(b);
                    }
                    previous = last;
                    i += 2;
                } else {
                    previous = byteAt(i);
                    element.set.set(previous);
                    ++i;
                }
            }
            if (!closed) {
                return;  // a set left open: matches nowhere
            }
            // An empty set matches nothing, negated or not.
            if (negated && element.set.any()) {
                element.set.flip();
            }
            element.set.reset(0);
        } else {
            element.byte = byteAt(i);
            ++i;
        }
        elements_.push_back(element);
    }
    for (const Element& element : elements_) {
        if (element.kind != Element::Kind::Byte) {
            break;
        }
        prefix_ += static_cast<char>(element.byte);
    }
    matchable_ = true;
}

std::ptrdiff_t GlobPattern::matchAt(const std::uint8_t* data) const {
    bool reachedStar = false;
    return matchable_ ? attempt(data, reachedStar) : -1;
}

std::ptrdiff_t GlobPattern::attempt(const std::uint8_t* data, bool& reachedStar) const {
    const std::size_t count = elements_.size();
    std::size_t p = 0;
    std::size_t d = 0;
    std::ptrdiff_t starElement = -1;
    std::size_t starData = 0;
    for (;;) {
        if (p == count) {
            return static_cast<std::ptrdiff_t>(d);
        }
        const Element& element = elements_[p];
        if (element.kind == Element::Kind::Star) {
            reachedStar = true;
            starElement = static_cast<std::ptrdiff_t>(p);
            starData = d;
            ++p;
            continue;
        }
        if (data[d] != 0 && element.takes(data[d])) {
            ++p;
            ++d;
            continue;
        }
        // The latest "*" takes one byte more, and the rest is tried again.
        if (starElement < 0 || data[starData] == 0) {
            return -1;
        }
        d = ++starData;
        p = static_cast<std::size_t>(starElement) + 1;
    }
}

std::ptrdiff_t GlobPattern::firstMatch(const std::uint8_t* data, std::size_t size, std::size_t from,
                                       std::size_t& length) const {
    if (!matchable_) {
        return -1;
    }
    std::size_t i = from;
    while (i < size) {
        if (!prefix_.empty()) {
            const std::ptrdiff_t found = bytescan::findForward(
                data + i, size - i, reinterpret_cast<const std::uint8_t*>(prefix_.data()),
                prefix_.size());
            if (found < 0) {
                return -1;
            }
            i += static_cast<std::size_t>(found);
        }
        bool reachedStar = false;
        const std::ptrdiff_t matched = attempt(data + i, reachedStar);
        if (matched >= 0) {
            length = static_cast<std::size_t>(matched);
            return static_cast<std::ptrdiff_t>(i);
        }
        if (reachedStar) {
            // A failed attempt that reached a "*" tried every continuation up
            // to the next zero byte; no later start before that zero can do
            // better, so the search goes on after it.
            const auto* zero =
                static_cast<const std::uint8_t*>(std::memchr(data + i, 0, size - i + 1));
            i = static_cast<std::size_t>(zero - data) + 1;
        } else {
            ++i;
        }
    }
    return -1;
}

std::ptrdiff_t GlobPattern::lastMatchStart(const std::uint8_t* data, std::size_t size) const {
    if (!matchable_ || size == 0) {
        return -1;
    }
    if (!hasStar_) {
        // Every attempt is as long as the pattern: try the starts from the end.
        const auto* prefix = reinterpret_cast<const std::uint8_t*>(prefix_.data());
        std::size_t limit = size;
        while (limit > 0) {
            std::size_t i = limit - 1;
            if (!prefix_.empty()) {
                const std::ptrdiff_t found = bytescan::findBackward(
                    data, std::min(size, i + prefix_.size()), prefix, prefix_.size());
                if (found < 0) {
                    return -1;
                }
                i = static_cast<std::size_t>(found);
            }
            if (matchAt(data + i) >= 0) {
                return static_cast<std::ptrdiff_t>(i);
            }
            limit = i;
        }
        return -1;
    }
    // From the end, position by position: can[e] says whether the elements
    // from e on match from this position, given the same for the next one.
    const std::size_t count = elements_.size();
    std::vector<char> next(count + 1, 0);
    std::vector<char> can(count + 1, 0);
    next[count] = 1;
    for (std::size_t e = count; e-- > 0;) {
        next[e] = elements_[e].kind == Element::Kind::Star ? next[e + 1] : 0;  // at the final zero
    }
    for (std::size_t p = size; p-- > 0;) {
        const std::uint8_t byte = data[p];
        can[count] = 1;
        for (std::size_t e = count; e-- > 0;) {
            const Element& element = elements_[e];
            if (element.kind == Element::Kind::Star) {
                can[e] = static_cast<char>(can[e + 1] || (byte != 0 && next[e]));
            } else {
                can[e] = static_cast<char>(byte != 0 && element.takes(byte) && next[e + 1]);
            }
        }
        if (can[0]) {
            return static_cast<std::ptrdiff_t>(p);
        }
        can.swap(next);
    }
    return -1;
}
