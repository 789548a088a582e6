#include "marks/ui/LevelImage.h"

#include <QPixmap>

#include "marks/DatamarkLevels.h"
#include "platform/qt/FlagImage.h"

QIcon levelIcon(int level) {
    const int image = DatamarkLevels::imageOf(level);
    return QIcon(QPixmap::fromImage(
        flagImage(DatamarkLevels::imageColour(image), DatamarkLevels::imageLabel(image))));
}
