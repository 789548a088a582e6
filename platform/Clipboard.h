#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The desktop clipboard as the programs use it: private formats by name,
// each holding bytes, and plain text. A writer opens it, empties it, puts
// its formats and closes it; what was put becomes visible on close.
class Clipboard {
  public:
    virtual ~Clipboard() = default;

    // False when the clipboard cannot be taken now.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual void empty() = 0;

    // Whether anything at all is on the clipboard.
    virtual bool hasAnyFormat() const = 0;
    virtual bool hasFormat(const std::string& name) const = 0;
    virtual std::optional<std::vector<std::uint8_t>> read(const std::string& name) const = 0;
    virtual void write(const std::string& name, std::vector<std::uint8_t> bytes) = 0;

    virtual bool hasText() const = 0;
    virtual std::optional<std::string> readText() const = 0;
    virtual void writeText(std::string text) = 0;
};

// Holds the clipboard open for one scope: every reader and writer opens it
// through this, so it is closed however the scope ends (an early return, a
// failed allocation). A writer empties it first with `empty()`.
class ClipboardSession {
  public:
    explicit ClipboardSession(Clipboard& clipboard)
        : clipboard_(clipboard), open_(clipboard.open()) {}
    ~ClipboardSession() {
        if (open_) {
            clipboard_.close();
        }
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    bool isOpen() const { return open_; }
    void empty() { clipboard_.empty(); }

  private:
    Clipboard& clipboard_;
    bool open_;
};

}  // namespace platform
