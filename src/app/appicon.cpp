#include "appicon.h"

QIcon ApplicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/orvanel/icons/%1/orvanel.png").arg(size), QSize(size, size));
    return icon;
}

QPixmap LogoPicture()
{
    return QPixmap(QStringLiteral(":/orvanel/logo.png"));
}
