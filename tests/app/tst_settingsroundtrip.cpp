// Remembered settings through the real calculator window, with the settings
// file in a temporary folder: the first close, a restart, partial, out-of-range,
// foreign-locale and damaged files, a folder that cannot be written, and the
// About command.
#include "app/inistore.h"
#include "app/tfrmabout.h"
#include "numericedit.h"
#include "radiogroup.h"
#include "tfrmminpmt.h"
#include "settingsfixture.h"
#include "trackbar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

using settingstest::MessageBoxAnswerer;
using settingstest::readAll;

void writeText(const QString &path, const QByteArray &text)
{
    settingstest::writeBytes(path, text);
}

const QByteArray DesignedProperties = "[frmMinPmt_Properties]\n"
                                      "trkMinPmtPct.Position=25\n"
                                      "edtMinPmtPct.Value=2.5\n"
                                      "trkAPR.Position=1790\n"
                                      "edtAPR.Value=17.9\n"
                                      "trkBalance.Position=2100\n"
                                      "edtBalance.Value=2100\n"
                                      "rgpExtraMoney.ItemIndex=0\n"
                                      "\n";

} // namespace

class TestSettingsRoundTrip : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void init()
    {
        QLocale::setDefault(QLocale::c());
        m_path = m_dir.filePath("orvanel.ini");
        QFile::remove(m_path);
        QFile::remove(m_path + ".bad");
    }

    void firstStartWritesBothSectionsAtClose()
    {
        IniStore ini(m_path);
        TfrmMinPmt w(nullptr, &ini);
        QCOMPARE(w.edtBalance->value(), 2100.0L);
        w.show();
        w.setGeometry(40, 50, 760, 842);
        QVERIFY(!QFile::exists(m_path)); // nothing is written before the close
        QVERIFY(w.close());
        QCOMPARE(readAll(m_path), QByteArray("[frmMinPmtFormState]\nMaximized=0\nLeft=40\nTop=50\n"
                                             "Right=800\nBottom=892\nSaved=1\n\n")
                                      + DesignedProperties);
    }

    void restartRestoresPlacementValuesAndChoice()
    {
        {
            IniStore ini(m_path);
            TfrmMinPmt w(nullptr, &ini);
            w.show();
            w.setGeometry(30, 40, 760, 700);
            w.edtBalance->setValue(5000.25L);
            w.edtAPR->setValue(9.99L);
            w.edtMinPmtPct->setValue(3.5L);
            w.rgpExtraMoney->setItemIndex(4);
            w.cbxConstantPayment->setChecked(true);
            w.showMaximized();
            QTRY_VERIFY(w.isMaximized());
            QVERIFY(w.close());
        }
        IniStore ini(m_path);
        TfrmMinPmt w(nullptr, &ini);
        QCOMPARE(w.edtBalance->value(), 5000.25L);
        QCOMPARE(w.trkBalance->position(), 5000);
        QCOMPARE(w.edtAPR->value(), 9.99L);
        QCOMPARE(w.trkAPR->position(), 999);
        QCOMPARE(w.edtMinPmtPct->value(), 3.5L);
        QCOMPARE(w.trkMinPmtPct->position(), 35);
        QCOMPARE(w.rgpExtraMoney->itemIndex(), 4);
        QVERIFY(!w.cbxConstantPayment->isChecked()); // never remembered
        w.show();
        QTRY_VERIFY(w.isMaximized());
        w.showNormal();
        QTRY_COMPARE(w.geometry(), QRect(30, 40, 760, 700));
        // The first showing computed with the restored values.
        QVERIFY(!w.txtMinPmtValue->text().isEmpty());
    }

    void loadedValuesReachTheWindow_data()
    {
        QTest::addColumn<QByteArray>("entries");
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<double>("balance");
        QTest::addColumn<int>("balancePosition");
        QTest::addColumn<double>("apr");
        QTest::addColumn<int>("aprPosition");
        QTest::addColumn<int>("extra");
        QTest::newRow("only some entries")
            << QByteArray("edtAPR.Value=12.5\nrgpExtraMoney.ItemIndex=2\n") << "C" << 2100.0 << 2100 << 12.5
            << 1250 << 2;
        QTest::newRow("slider beyond its range is limited")
            << QByteArray("trkAPR.Position=99999\n") << "C" << 2100.0 << 2100 << 36.0 << 3600 << 0;
        QTest::newRow("field finer than its slider")
            << QByteArray("trkBalance.Position=3000\nedtBalance.Value=3000.75\n") << "C" << 3000.75 << 3001
            << 17.9 << 1790 << 0;
        QTest::newRow("another locale's separator reads 0")
            << QByteArray("edtAPR.Value=17.9\n") << "de_DE" << 2100.0 << 2100 << 0.0 << 0 << 0;
        QTest::newRow("own locale's separator")
            << QByteArray("edtAPR.Value=17,5\n") << "de_DE" << 2100.0 << 2100 << 17.5 << 1750 << 0;
        QTest::newRow("extra-money index beyond 7")
            << QByteArray("rgpExtraMoney.ItemIndex=40\n") << "C" << 2100.0 << 2100 << 17.9 << 1790 << 7;
    }
    void loadedValuesReachTheWindow()
    {
        QFETCH(QByteArray, entries);
        QFETCH(QString, localeName);
        QFETCH(double, balance);
        QFETCH(int, balancePosition);
        QFETCH(double, apr);
        QFETCH(int, aprPosition);
        QFETCH(int, extra);
        QLocale::setDefault(QLocale(localeName));
        writeText(m_path, "[frmMinPmt_Properties]\n" + entries);
        MessageBoxAnswerer answerer;
        IniStore ini(m_path);
        TfrmMinPmt w(nullptr, &ini);
        QCOMPARE(double(w.edtBalance->value()), balance);
        QCOMPARE(w.trkBalance->position(), balancePosition);
        QCOMPARE(double(w.edtAPR->value()), apr);
        QCOMPARE(w.trkAPR->position(), aprPosition);
        QCOMPARE(w.rgpExtraMoney->itemIndex(), extra);
        QCOMPARE(answerer.texts, QStringList());
    }

    void fieldBeyondItsBoundsGoesThroughTheRangeMessage()
    {
        writeText(m_path, "[frmMinPmt_Properties]\nedtBalance.Value=60000\n");
        MessageBoxAnswerer answerer;
        IniStore ini(m_path);
        TfrmMinPmt w(nullptr, &ini);
        QCOMPARE(answerer.texts, QStringList{"The Balance is too high\n and will be adjusted automatically."});
        QCOMPARE(w.edtBalance->value(), 50000.0L);
        QCOMPARE(w.trkBalance->position(), 50000);
    }

    void damagedFileStartsWithDesignedValues_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not text") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QTest::newRow("truncated") << QByteArray("[frmMinPmtFormState]\nMaximized=1\nLe");
        QTest::newRow("garbage lines") << QByteArray("[frmMinPmt_Properties\nedtBalance.Value\n=17\n");
    }
    void damagedFileStartsWithDesignedValues()
    {
        QFETCH(QByteArray, bytes);
        writeText(m_path, bytes);
        MessageBoxAnswerer answerer;
        {
            IniStore ini(m_path);
            TfrmMinPmt w(nullptr, &ini);
            QCOMPARE(w.edtBalance->value(), 2100.0L);
            QCOMPARE(w.edtAPR->value(), 17.9L);
            QCOMPARE(w.rgpExtraMoney->itemIndex(), 0);
            w.show();
            QVERIFY(w.close());
        }
        QCOMPARE(answerer.texts, QStringList());
        // The next start finds a sound file.
        IniStore ini(m_path);
        QVERIFY(ini.readBool("frmMinPmtFormState", "Saved", false));
        QCOMPARE(ini.readInteger("frmMinPmt_Properties", "trkAPR.Position", 0), 1790);
    }

    void unwritableFolderShowsOneErrorAndStillCloses()
    {
        writeText(m_dir.filePath("blocker"), "");
        IniStore ini(m_dir.filePath("blocker/orvanel.ini"));
        TfrmMinPmt w(nullptr, &ini);
        QStringList messages;
        w.messageDialogHook = [&](const QString &msg, QMessageBox::Icon type, QMessageBox::StandardButtons buttons) {
            messages.append(msg);
            [&] {
                QCOMPARE(type, QMessageBox::Critical);
                QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            }();
            return int(QMessageBox::Ok);
        };
        w.show();
        QVERIFY(w.close());
        QVERIFY(!w.isVisible());
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().startsWith("Unable to write to "), qPrintable(messages.first()));
    }

    void aboutCommandShowsTheOneAboutWindowCentred()
    {
        TfrmMinPmt w;
        w.show();
        w.move(100, 80);
        w.resize(760, 842);
        TfrmAbout about(&w, &w);
        frmAbout = &about;
        QList<QPoint> shownAt;
        auto closeWhenShown = [&] {
            QTimer::singleShot(0, &about, [&] {
                shownAt.append(about.pos());
                about.RzButton1->click();
            });
        };
        closeWhenShown();
        w.About2->trigger();
        w.move(20, 10);
        closeWhenShown();
        w.mnuAboutClick();
        QCOMPARE(shownAt, (QList<QPoint>{QPoint(100 + 196, 80 + 245), QPoint(20 + 196, 10 + 245)}));
        QCOMPARE(frmAbout, &about);
    }
};

QTEST_MAIN(TestSettingsRoundTrip)
#include "tst_settingsroundtrip.moc"
