#pragma once

#include <QColor>
#include <QWidget>

// A small tip: a pop-up that never takes the focus, sized to its text with 8
// pixels beside and 4 above and below, light yellow with black text unless
// told otherwise.
class CTipWindow : public QWidget {
  public:
    explicit CTipWindow(const QFont& font, QWidget* parent = nullptr);

    // Shows `text` with its top-left corner at `screenPoint`.
    void showText(const QString& text, const QPoint& screenPoint, const QColor& color = Qt::black);
    void hideTip() { hide(); }
    const QString& text() const { return text_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString text_;
    QColor color_ = Qt::black;
};
