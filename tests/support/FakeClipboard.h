#pragma once

#include <map>

#include "platform/Clipboard.h"

namespace testsupport {

// A clipboard in memory; writes show on close, as on the desktop. It can be
// made to refuse opening.
class FakeClipboard : public platform::Clipboard {
  public:
    bool refuseOpen = false;
    int opens = 0;
    // How often anyone asked whether it holds anything.
    mutable int queries = 0;

    bool open() override {
        if (refuseOpen) {
            return false;
        }
        ++opens;
        pending_ = shown_;
        pendingText_ = shownText_;
        return true;
    }
    void close() override {
        shown_ = pending_;
        shownText_ = pendingText_;
    }
    void empty() override {
        pending_.clear();
        pendingText_.reset();
    }
    bool hasAnyFormat() const override {
        ++queries;
        return !shown_.empty() || shownText_.has_value();
    }
    bool hasFormat(const std::string& name) const override { return shown_.count(name) != 0; }
    std::optional<std::vector<std::uint8_t>> read(const std::string& name) const override {
        const auto found = shown_.find(name);
        if (found == shown_.end()) {
            return std::nullopt;
        }
        return found->second;
    }
    void write(const std::string& name, std::vector<std::uint8_t> bytes) override {
        pending_[name] = std::move(bytes);
    }
    bool hasText() const override { return shownText_.has_value(); }
    std::optional<std::string> readText() const override { return shownText_; }
    void writeText(std::string text) override { pendingText_ = std::move(text); }

    // Puts content directly, as another program would.
    void put(const std::string& name, std::vector<std::uint8_t> bytes) {
        shown_[name] = std::move(bytes);
    }
    void putText(std::string text) { shownText_ = std::move(text); }

  private:
    std::map<std::string, std::vector<std::uint8_t>> shown_, pending_;
    std::optional<std::string> shownText_, pendingText_;
};

}  // namespace testsupport
