#include "appfonts.h"

#include <QFile>
#include <QFontDatabase>

namespace appfonts {

bool registerTahoma()
{
    const QString family = QStringLiteral("Tahoma");
    if (QFontDatabase::hasFamily(family))
        return true;
    for (const char *file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
        const QString path = QString::fromLatin1(file);
        if (QFile::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
    return QFontDatabase::hasFamily(family);
}

} // namespace appfonts
