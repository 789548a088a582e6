#pragma once

#include <QFont>
#include <QImage>
#include <map>
#include <memory>
#include <string>

#include "display/ui/QtGraphics.h"

class CHexPanel;

// Fonts, metrics and images of the hex view, and painting a panel into an
// image: what the hex window does on every paint, usable without a window.
class HexViewRenderer {
  public:
    // `face`: the "Display Facename" setting; an empty face leaves it to the system.
    HexViewRenderer(const std::string& face, int logicalDpiY);

    const QFont& font() const { return font_; }
    int lineHeight() const { return lineHeight_; }
    int charWidth() const { return charWidth_; }
    const std::map<int, QImage>& images() const { return images_; }
    const CellGlyphs* glyphs() const { return glyphs_.get(); }

    // Gives the panel this renderer's metrics.
    void applyMetrics(CHexPanel& panel) const;
    // Paints the part `clip` of the panel's window into `image` (client size).
    void render(CHexPanel& panel, QImage& image, const QRect& clip) const;

  private:
    QFont font_;
    int lineHeight_;
    int charWidth_;
    std::map<int, QImage> images_;
    std::unique_ptr<CellGlyphs> glyphs_;
};
