// Orvanel's entry: brings up the application, creates the main window and
// runs the event loop until the main window closes. Takes no command line
// beyond what QApplication itself consumes.

#include "app/appicon.h"
#include "app/inistore.h"
#include "app/settingslocation.h"
#include "app/tfrmabout.h"
#include "appfonts.h"
#include "tfrmminpmt.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>

#include <cstdio>
#include <exception>

namespace {

// An error raised inside a handler ends that handler; the user sees it in a
// standard error box and the event loop goes on.
class OrvanelApplication : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception &error) {
            QMessageBox::critical(activeWindow(), QStringLiteral("Error"), QString::fromUtf8(error.what()));
        }
        return false;
    }
};

// With ORVANEL_STARTUP_TIMING set, prints on stderr how long the start took,
// from the top of main() to the main window's first paint (a measurement aid;
// nothing else reads it).
class FirstPaintTimer : public QObject
{
public:
    explicit FirstPaintTimer(const QElapsedTimer &clock) : m_clock(clock) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            std::fprintf(stderr, "orvanel: first paint %.1f ms after start\n", double(m_clock.nsecsElapsed()) / 1e6);
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    QElapsedTimer m_clock;
};

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer startClock;
    startClock.start();
    // 1-2. Modules and the application object. The application's name and
    // domain place its files under the desktop's usual folders.
    OrvanelApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvanel"));
    QApplication::setOrganizationDomain(QStringLiteral("example.com"));
    // Ties the window to its desktop entry, so a Wayland task bar shows its icon.
    QApplication::setDesktopFileName(QStringLiteral("orvanel"));
    appfonts::registerTahoma();
    QApplication::setWindowIcon(ApplicationIcon());
    // The settings file beside the executable (or in the user's configuration
    // folder when that one cannot be written), read once when first needed.
    const SettingsPaths settingsPaths = DefaultSettingsPaths();
    IniStore settings(settingsPaths.writePath, settingsPaths.readPath, QLocale());

    // 3. A top-level window has its own task-bar entry: nothing to do.
    // 4. The main window (its creation loads the remembered values).
    TfrmMinPmt frmMinPmt(nullptr, &settings);
    // 5. The About window, hidden until "About..." shows it.
    TfrmAbout about(&frmMinPmt, &frmMinPmt);
    frmAbout = &about;
    FirstPaintTimer firstPaint(startClock);
    if (qEnvironmentVariableIsSet("ORVANEL_STARTUP_TIMING"))
        frmMinPmt.installEventFilter(&firstPaint);

    // 6-7. Showing the main window runs its first calculation; closing it
    // ends the loop and the program.
    frmMinPmt.show();
    return app.exec();
}
