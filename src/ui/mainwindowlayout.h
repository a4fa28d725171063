#pragma once

// MainWindowLayout: builds the controls of the calculator window at their
// designed geometry (pixels at 96 dpi), with captions, fonts, bounds and
// design values, the menu and the status bar. It creates widgets only; the
// window connects its handlers afterwards, so nothing fires while the window
// is being built.

#include <QFont>
#include <QSize>

class TfrmMinPmt;
class QLabel;
class QWidget;
class QRect;

namespace MainWindowLayout {

// The client area at design, status bar included, menu bar excluded.
inline constexpr QSize DesignedClientSize{745, 823};
inline constexpr int StatusBarHeight = 19;

// Creates every control of the window as a public member of `w`.
void setupUi(TfrmMinPmt &w);

// The window's font: Tahoma, 11 pixels (8 points at 96 dpi).
QFont windowFont();

} // namespace MainWindowLayout
