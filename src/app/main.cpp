// Orvanel's entry: brings up the application, creates the main window and
// runs the event loop until the main window closes. Takes no command line
// beyond what QApplication itself consumes.

#include "appfonts.h"
#include "tfrmminpmt.h"

#include <QApplication>
#include <QMessageBox>

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

} // namespace

int main(int argc, char *argv[])
{
    // 1-2. Modules and the application object. The application's name and
    // domain place its files under the desktop's usual folders.
    OrvanelApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvanel"));
    QApplication::setOrganizationDomain(QStringLiteral("example.com"));
    appfonts::registerTahoma();
    // The application icon goes here once the shell ships it as a resource.

    // 3. A top-level window has its own task-bar entry: nothing to do.
    // 4. The main window (its creation loads the remembered values).
    TfrmMinPmt frmMinPmt;
    // 5. The About window is created here, hidden, once the shell has it.

    // 6-7. Showing the main window runs its first calculation; closing it
    // ends the loop and the program.
    frmMinPmt.show();
    return app.exec();
}
