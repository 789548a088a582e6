#pragma once

#include <QImage>
#include <cstdint>
#include <string>

// A 16 x 16 pennant in `colour` (0x00BBGGRR) with a short label: the picture
// of a mark level, drawn rather than loaded.
QImage flagImage(std::uint32_t colour, const std::string& label);
