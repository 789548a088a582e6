#pragma once

#include <initializer_list>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "platform/PrintfFormat.h"

namespace platform {

// One entry of a program's string table: the numeric id the resources give
// the text, and the text itself.
struct StringEntry {
    int id;
    std::string_view text;
};

// The texts of one program by string id. Each subsystem keeps the entries it
// shows in a span of its own; a program's table is built by adding the spans
// of the subsystems it contains (a later entry replaces an earlier one with
// the same id, so a program can give a shared id its own wording).
class StringTable {
  public:
    StringTable() = default;
    StringTable(std::initializer_list<std::span<const StringEntry>> parts);

    void add(std::span<const StringEntry> entries);
    void add(int id, std::string text);

    bool contains(int id) const { return texts_.count(id) != 0; }
    // The text of `id`; empty when the table has no such string.
    std::string text(int id) const;
    // The text of `id` with its printf conversions filled in.
    std::string format(int id, std::initializer_list<FormatArg> args) const;
    std::size_t size() const { return texts_.size(); }

  private:
    std::map<int, std::string> texts_;
};

}  // namespace platform
