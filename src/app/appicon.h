#pragma once

// The program's own pictures, shipped as Qt resources: the application icon
// (16 to 256 pixels, also installed in the hicolor theme) and the About
// window's logo (350 x 96).

#include <QIcon>
#include <QPixmap>

QIcon ApplicationIcon();
QPixmap LogoPicture();
