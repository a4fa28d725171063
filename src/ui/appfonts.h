#pragma once

// Fonts the window asks for by name. Debian has no "Tahoma" in fontconfig's
// folders; fonts-wine ships a compatible face, which registerTahoma() adds to
// the application's fonts when the family is missing.

namespace appfonts {

// Registers /usr/share/wine/fonts/tahoma.ttf and tahomabd.ttf when no font
// family "Tahoma" is known. Safe to call more than once; needs a
// QGuiApplication. Returns whether "Tahoma" is available afterwards.
bool registerTahoma();

} // namespace appfonts
