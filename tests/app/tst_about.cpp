// The About window: centring on the main window at every showing, its texts
// and focus, and its links opening through a stand-in opener.
#include "app/applicationinfo.h"
#include "app/tfrmabout.h"
#include "app/urllabel.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void centresByTheMainWindowsClientSize_data()
    {
        QTest::addColumn<QRect>("mainWindow");
        QTest::addColumn<QPoint>("expected");
        // Designed client 745 x 823 against 367 x 351: dx = 378, dy = 472.
        QTest::newRow("designed size") << QRect(100, 50, 745, 823) << QPoint(289, 286);
        QTest::newRow("partly off-screen") << QRect(-300, 10, 745, 823) << QPoint(-111, 246);
        // Negative offsets halve toward zero: -67 / 2 = -33, -151 / 2 = -75.
        QTest::newRow("smaller than the About window") << QRect(0, 0, 300, 200) << QPoint(-33, -75);
        QTest::newRow("odd offsets") << QRect(7, 9, 746, 824) << QPoint(7 + 189, 9 + 236);
    }
    void centresByTheMainWindowsClientSize()
    {
        QFETCH(QRect, mainWindow);
        QFETCH(QPoint, expected);
        QWidget main;
        main.setGeometry(mainWindow);
        TfrmAbout about(&main);
        about.show();
        QCOMPARE(about.pos(), expected);
        QCOMPARE(about.size(), QSize(367, 351));
    }

    void everyShowingCentresAndFillsItAgain()
    {
        QWidget main;
        main.setGeometry(100, 50, 745, 823);
        TfrmAbout about(&main);
        about.show();
        about.RzButton1->click();
        QVERIFY(about.isHidden());
        about.txtProductName->setText("stale");
        main.setGeometry(0, 0, 845, 723);
        about.show();
        QCOMPARE(about.pos(), QPoint(239, 186));
        QCOMPARE(about.txtProductName->text(), QString("Orvanel"));
    }

    void showsTheProductInformation()
    {
        QWidget main;
        TfrmAbout about(&main);
        about.show();
        QCOMPARE(about.windowTitle(), QString("About"));
        QCOMPARE(about.txtProductName->text(), ApplicationInfo::ProductName());
        QCOMPARE(about.txtProductName->text(), QString("Orvanel"));
        QCOMPARE(about.txtCopyright->text(), ApplicationInfo::Copyright());
        QCOMPARE(about.txtProductName->geometry(), QRect(1, 115, 367, 18));
        QCOMPARE(about.txtCopyright->geometry(), QRect(1, 138, 367, 21));
        QCOMPARE(about.RzURLLabel1->url(), ApplicationInfo::WebsiteURL());
        QCOMPARE(about.RzURLLabel1->toolTip(), QString("Goto website"));
        QVERIFY(QUrl(ApplicationInfo::WebsiteURL()).host().endsWith("example.com"));
        QVERIFY(!about.Image1->pixmap().isNull());
        QCOMPARE(about.Image1->pixmap().size(), QSize(350, 96));
        QCOMPARE(about.focusWidget(), about.RzButton1);
        const Qt::WindowFlags flags = about.windowFlags();
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QCOMPARE(about.minimumSize(), about.maximumSize());
    }

    void linkOpensThroughTheOpener_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("opens");
        QTest::newRow("web site, opened") << "RzURLLabel1" << true;
        QTest::newRow("web site, opener fails") << "RzURLLabel1" << false;
        QTest::newRow("other product, opened") << "RzURLLabel3" << true;
        QTest::newRow("other product, opener fails") << "RzURLLabel4" << false;
    }
    void linkOpensThroughTheOpener()
    {
        QFETCH(QString, link);
        QFETCH(bool, opens);
        QWidget main;
        TfrmAbout about(&main);
        QList<QUrl> asked;
        about.setOpener([&](const QUrl &url) {
            asked.append(url);
            return opens;
        });
        about.show();
        auto *label = about.findChild<UrlLabel *>(link);
        QVERIFY(label);
        QCOMPARE(label->linkColor(), QColor(68, 132, 178));
        const QWidgetList before = QApplication::topLevelWidgets();
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(asked, QList<QUrl>{QUrl(label->url())});
        QCOMPARE(label->visited(), opens);
        QCOMPARE(label->linkColor(), opens ? QColor(128, 0, 128) : QColor(68, 132, 178));
        QCOMPARE(QApplication::topLevelWidgets(), before); // no message of any kind
        // The colour lasts through later showings of the same window.
        about.close();
        about.show();
        QCOMPARE(label->linkColor(), opens ? QColor(128, 0, 128) : QColor(68, 132, 178));
    }

    void linkTargetFallsBackToItsText()
    {
        UrlLabel label;
        QList<QUrl> asked;
        label.setOpener([&](const QUrl &url) {
            asked.append(url);
            return true;
        });
        label.setText("https://www.example.com/text");
        label.setUrl("   ");
        QVERIFY(label.openTarget());
        label.setText(" ");
        label.setUrl(QString());
        QVERIFY(!label.openTarget()); // nothing to open: the opener is not asked
        QCOMPARE(asked, QList<QUrl>{QUrl("https://www.example.com/text")});
        // Only a left click opens.
        QTest::mouseClick(&label, Qt::RightButton);
        QCOMPARE(asked.size(), 1);
    }

    void closeButtonEndsTheModalShowing()
    {
        QWidget main;
        TfrmAbout about(&main);
        QTimer::singleShot(0, &about, [&] { about.RzButton1->click(); });
        about.exec();
        QVERIFY(about.isHidden());
        // Reused: a second modal showing works the same.
        QTimer::singleShot(0, &about, [&] { about.close(); });
        about.exec();
        QVERIFY(about.isHidden());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
