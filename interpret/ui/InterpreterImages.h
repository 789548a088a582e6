#pragma once

#include <QIcon>
#include <QImage>

// The state buttons' pictures: one strip of 16 x 16 images on pure green,
// the colour that stands for transparent, drawn once.
QImage interpreterButtonStrip();
// The image at `offset` in the strip, green made transparent.
QIcon interpreterButtonIcon(int offset);
