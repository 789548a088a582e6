#include "platform/qt/DialogUnits.h"

#include <QFontMetrics>
#include <algorithm>

DialogUnits::DialogUnits(const QFontMetrics& metrics)
    : baseWidth_(std::max(1, (metrics.horizontalAdvance(QStringLiteral(
                                  "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) +
                              26) /
                                 52)),
      baseHeight_(std::max(1, metrics.height())) {}
