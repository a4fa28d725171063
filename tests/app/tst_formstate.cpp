// The window-placement keeper on a plain test window: what it writes, what it
// restores (partial, damaged and off-monitor placements, maximised windows),
// its place in front of the window's own show and close handlers, and a
// failed write at close.
#include "app/formstate.h"
#include "app/inistore.h"

#include <QCloseEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace {

const QString Section = QStringLiteral("frmMinPmtFormState");

// Records what the window saw in its own show and close handlers.
class TestWindow : public QWidget
{
public:
    QRect geometryAtShow;
    bool savedBeforeClose = false;
    QString iniPath;

protected:
    void showEvent(QShowEvent *) override { geometryAtShow = geometry(); }
    void closeEvent(QCloseEvent *) override
    {
        QFile f(iniPath);
        savedBeforeClose = f.open(QIODevice::ReadOnly) && f.readAll().contains("Saved=1");
    }
};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeText(const QString &path, const QByteArray &text)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(text);
}

} // namespace

class TestFormState : public QObject
{
    Q_OBJECT

private slots:
    void noFileLeavesThePlacementToTheWindowSystem()
    {
        QTemporaryDir dir;
        IniStore ini(dir.filePath("orvanel.ini"), {}, QLocale::c());
        QWidget w;
        w.resize(400, 300);
        FormState state(&w, ini, Section, false);
        QVERIFY(!state.hasSavedPlacement());
        state.RestoreState();
        QCOMPARE(w.size(), QSize(400, 300));
        QVERIFY(!w.testAttribute(Qt::WA_Moved)); // nobody chose a position
        QVERIFY(!w.isMaximized());
        QVERIFY(!QFile::exists(dir.filePath("orvanel.ini")));
    }

    void saveWritesTheNormalBoundsInOrder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("orvanel.ini");
        IniStore ini(path, {}, QLocale::c());
        QWidget w;
        w.setGeometry(100, 120, 400, 300);
        FormState state(&w, ini, Section, false);
        QVERIFY(state.SaveState());
        QCOMPARE(readAll(path), QByteArray("[frmMinPmtFormState]\nMaximized=0\nLeft=100\nTop=120\n"
                                           "Right=500\nBottom=420\nSaved=1\n\n"));
        IniStore again(path, {}, QLocale::c());
        QVERIFY(FormState(&w, again, Section, false).hasSavedPlacement());
    }

    void restoreAppliesWhatIsStored_data()
    {
        QTest::addColumn<QByteArray>("entries");
        QTest::addColumn<QRect>("expected");
        // The window stands at (10, 20) with 400 x 300 before the restore.
        QTest::newRow("all bounds") << QByteArray("Left=50\nTop=60\nRight=550\nBottom=460\nSaved=1\n")
                                    << QRect(50, 60, 500, 400);
        QTest::newRow("only the corner keeps the size")
            << QByteArray("Left=50\nTop=60\n") << QRect(50, 60, 400, 300);
        QTest::newRow("only the far edges size it")
            << QByteArray("Right=510\nBottom=420\n") << QRect(10, 20, 500, 400);
        QTest::newRow("a bound that is no number is the current edge")
            << QByteArray("Left=abc\nTop=60\nRight=610\nBottom=460\n") << QRect(10, 60, 600, 400);
        QTest::newRow("bounds enclosing nothing keep the size")
            << QByteArray("Left=50\nTop=60\nRight=40\nBottom=60\n") << QRect(50, 60, 400, 300);
        QTest::newRow("corner on no monitor moves to the origin")
            << QByteArray("Left=-5000\nTop=9000\nRight=-4300\nBottom=9500\n") << QRect(0, 0, 700, 500);
    }
    void restoreAppliesWhatIsStored()
    {
        QFETCH(QByteArray, entries);
        QFETCH(QRect, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("orvanel.ini");
        writeText(path, "[frmMinPmtFormState]\n" + entries);
        IniStore ini(path, {}, QLocale::c());
        QWidget w;
        w.setGeometry(10, 20, 400, 300);
        FormState state(&w, ini, Section, false);
        state.RestoreState();
        QCOMPARE(w.geometry(), expected);
        QVERIFY(!w.isMaximized());
    }

    void maximisedRoundTripKeepsTheNormalBounds()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("orvanel.ini");
        {
            IniStore ini(path, {}, QLocale::c());
            QWidget w;
            FormState state(&w, ini, Section, true);
            w.setGeometry(60, 70, 320, 240);
            w.show();
            w.showMaximized();
            QTRY_VERIFY(w.isMaximized());
            QVERIFY(w.close());
        }
        QCOMPARE(readAll(path), QByteArray("[frmMinPmtFormState]\nMaximized=1\nLeft=60\nTop=70\n"
                                           "Right=380\nBottom=310\nSaved=1\n\n"));
        IniStore ini(path, {}, QLocale::c());
        QWidget w;
        w.resize(200, 100);
        FormState state(&w, ini, Section, true);
        w.show();
        QTRY_VERIFY(w.isMaximized());
        w.showNormal();
        QTRY_COMPARE(w.geometry(), QRect(60, 70, 320, 240));
    }

    void minimisedWindowStoresItsNormalBounds()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("orvanel.ini");
        IniStore ini(path, {}, QLocale::c());
        QWidget w;
        FormState state(&w, ini, Section, false);
        w.setGeometry(60, 70, 320, 240);
        w.show();
        w.setWindowState(Qt::WindowMinimized);
        QVERIFY(state.SaveState());
        QVERIFY(readAll(path).startsWith("[frmMinPmtFormState]\nMaximized=0\nLeft=60\nTop=70\nRight=380\nBottom=310\n"));
    }

    void hooksRunBeforeTheWindowsOwnShowAndClose()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("orvanel.ini");
        writeText(path, "[frmMinPmtFormState]\nLeft=30\nTop=40\nRight=530\nBottom=440\nSaved=1\n");
        IniStore ini(path, {}, QLocale::c());
        TestWindow w;
        w.iniPath = path;
        FormState state(&w, ini);
        QVERIFY(state.hasSavedPlacement());
        w.show();
        QCOMPARE(w.geometryAtShow, QRect(30, 40, 500, 400));
        w.move(90, 95); // later showings do not restore again
        const QRect moved = w.geometry();
        w.hide();
        w.show();
        QCOMPARE(w.geometryAtShow, moved);
        QVERIFY(w.close());
        QVERIFY(w.savedBeforeClose);
    }

    void failedWriteIsShownOnceAndTheCloseGoesOn()
    {
        QTemporaryDir dir;
        writeText(dir.filePath("blocker"), "");
        IniStore ini(dir.filePath("blocker/orvanel.ini"), {}, QLocale::c());
        QWidget w;
        FormState state(&w, ini);
        QStringList messages;
        QWidget *owner = nullptr;
        state.setMessageHook([&](QWidget *o, const QString &text) {
            owner = o;
            messages.append(text);
        });
        w.show();
        QVERIFY(w.close());
        QVERIFY(!w.isVisible());
        QCOMPARE(messages.size(), 1);
        QCOMPARE(owner, &w);
        QVERIFY2(messages.first().startsWith("Unable to write to "), qPrintable(messages.first()));
    }
};

QTEST_MAIN(TestFormState)
#include "tst_formstate.moc"
