#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QStringDecoder>

namespace platform {

namespace {

const QMimeData* shown() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard != nullptr ? clipboard->mimeData() : nullptr;
}

}  // namespace

QtClipboard::QtClipboard() : listener_(std::make_unique<QObject>()) {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        QObject::connect(clipboard, &QClipboard::dataChanged, listener_.get(),
                         [this] { offer_.reset(); });
    }
}

const QtClipboard::Offer& QtClipboard::offer() const {
    if (!offer_) {
        Offer fresh;
        if (const QMimeData* data = shown()) {
            fresh.formats = data->formats();
            fresh.text = data->hasText();
        }
        offer_ = std::move(fresh);
    }
    return *offer_;
}
QtClipboard::~QtClipboard() = default;

QString QtClipboard::mimeTypeOf(const std::string& name) {
    QString type = QString::fromStdString(name).toLower();
    type.replace(QLatin1Char(' '), QLatin1Char('-'));
    return QStringLiteral("application/x-") + type;
}

bool QtClipboard::open() {
    if (QGuiApplication::clipboard() == nullptr) {
        return false;
    }
    pending_ = std::make_unique<QMimeData>();
    emptied_ = false;
    return true;
}

void QtClipboard::close() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr || !pending_) {
        pending_.reset();
        return;
    }
    if (!pending_->formats().isEmpty()) {
        offer_.reset();
        clipboard->setMimeData(pending_.release());  // the clipboard owns it now
    } else if (emptied_) {
        clipboard->clear();
    }
    pending_.reset();
}

void QtClipboard::empty() {
    emptied_ = true;
    if (pending_) {
        pending_ = std::make_unique<QMimeData>();
    }
}

bool QtClipboard::hasAnyFormat() const {
    return !offer().formats.isEmpty();
}

bool QtClipboard::hasFormat(const std::string& name) const {
    return offer().formats.contains(mimeTypeOf(name));
}

std::optional<std::vector<std::uint8_t>> QtClipboard::read(const std::string& name) const {
    const QMimeData* data = shown();
    if (data == nullptr || !data->hasFormat(mimeTypeOf(name))) {
        return std::nullopt;
    }
    const QByteArray bytes = data->data(mimeTypeOf(name));
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

void QtClipboard::write(const std::string& name, std::vector<std::uint8_t> bytes) {
    if (pending_) {
        pending_->setData(mimeTypeOf(name), QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                       static_cast<qsizetype>(bytes.size())));
    }
}

bool QtClipboard::hasText() const {
    return offer().text;
}

std::optional<std::string> QtClipboard::readText() const {
    const QMimeData* data = shown();
    if (data == nullptr || !data->hasText()) {
        return std::nullopt;
    }
    // Text from the desktop is UTF-8 here, so a pasted text gives its UTF-8 bytes.
    return data->text().toUtf8().toStdString();
}

void QtClipboard::writeText(std::string text) {
    if (!pending_) {
        return;
    }
    // Bytes that are UTF-8 show as that text; any other bytes one character each.
    const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8(bytes);
    pending_->setText(utf8.hasError() ? QString::fromLatin1(bytes) : decoded);
}

}  // namespace platform
