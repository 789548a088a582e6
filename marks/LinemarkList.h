#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The linemarks of one view: display lines, ascending, each once. They live
// as long as the view and are never stored; they keep their numbers through
// edits and layout changes. Every change is told to the one who draws them.
class LinemarkList {
  public:
    // Called after every change.
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    // Removes `line` when it is marked, marks it otherwise.
    void toggle(std::uint64_t line);
    // Marks `line`; a marked line stays marked.
    void add(std::uint64_t line);
    void removeAt(std::size_t index);
    void clear();

    bool contains(std::uint64_t line) const;
    std::optional<std::size_t> indexOf(std::uint64_t line) const;
    // The first mark after `line`, else the first of all (wrapping); none
    // while the list is empty.
    std::optional<std::uint64_t> nextAfter(std::uint64_t line) const;
    // The last mark before `line`, else the last of all.
    std::optional<std::uint64_t> previousBefore(std::uint64_t line) const;

    const std::vector<std::uint64_t>& lines() const { return lines_; }
    bool empty() const { return lines_.empty(); }
    std::size_t size() const { return lines_.size(); }
    auto begin() const { return lines_.begin(); }
    auto end() const { return lines_.end(); }

  private:
    void changed() {
        if (onChange_) {
            onChange_();
        }
    }

    std::vector<std::uint64_t> lines_;
    std::function<void()> onChange_;
};
