#include "app/TipSelector.h"

#include <algorithm>

std::size_t TipSelector::next(std::size_t start) {
    if (shown_.empty()) {
        return 0;
    }
    if (std::all_of(shown_.begin(), shown_.end(), [](bool shown) { return shown; })) {
        std::fill(shown_.begin(), shown_.end(), false);
    }
    start %= shown_.size();
    std::size_t chosen = start;
    bool found = false;
    for (std::size_t i = start; i < shown_.size() && !found; ++i) {
        if (!shown_[i]) {
            chosen = i;
            found = true;
        }
    }
    for (std::size_t i = start; i > 0 && !found; --i) {
        if (!shown_[i - 1]) {
            chosen = i - 1;
            found = true;
        }
    }
    shown_[chosen] = true;
    return chosen;
}
