#pragma once

#include <QString>
#include <memory>

#include "platform/Clipboard.h"

class QMimeData;

namespace platform {

// The desktop clipboard through QClipboard. Each format name maps to one
// MIME type, so other processes read exactly the bytes that were put.
class QtClipboard : public Clipboard {
  public:
    QtClipboard();
    ~QtClipboard() override;

    // "Kestrane HEX-Data" -> "application/x-kestrane-hex-data".
    static QString mimeTypeOf(const std::string& name);

    bool open() override;
    void close() override;
    void empty() override;
    bool hasAnyFormat() const override;
    bool hasFormat(const std::string& name) const override;
    std::optional<std::vector<std::uint8_t>> read(const std::string& name) const override;
    void write(const std::string& name, std::vector<std::uint8_t> bytes) override;
    bool hasText() const override;
    std::optional<std::string> readText() const override;
    void writeText(std::string text) override;

  private:
    // What the open writer has put; handed to the clipboard on close.
    std::unique_ptr<QMimeData> pending_;
    bool emptied_ = false;
};

}  // namespace platform
