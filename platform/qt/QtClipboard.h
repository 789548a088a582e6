#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

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
    // The formats the clipboard holds, asked of it again only after it
    // announced a change: the update pass asks many times a second.
    struct Offer {
        QStringList formats;
        bool text = false;
    };
    const Offer& offer() const;

    std::unique_ptr<QObject> listener_;
    mutable std::optional<Offer> offer_;
    // What the open writer has put; handed to the clipboard on close.
    std::unique_ptr<QMimeData> pending_;
    bool emptied_ = false;
};

}  // namespace platform
