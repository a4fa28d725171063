// Hostile settings files through the real calculator window: empty, binary,
// huge, duplicated, byte-order-marked and out-of-range files give a sound
// window and a clean file at the close; an unwritable file or folder gives one
// error box and the close still ends; a save killed half-way leaves the old or
// the new file whole, and leaves no temporaries piling up.
#include "app/inistore.h"
#include "calc/payoff.h"
#include "numericedit.h"
#include "radiogroup.h"
#include "schedulemodel.h"
#include "tfrmminpmt.h"
#include "trackbar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QRandomGenerator>
#include <QScreen>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "settingsfixture.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using settingstest::MessageBoxAnswerer;
using settingstest::readAll;

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QVERIFY2(settingstest::writeBytes(path, bytes), qPrintable(path));
}

// `megabytes` of text written a mebibyte at a time, so the test itself never
// holds the file in memory: a valid properties section, then comment lines.
void writeHugeFile(const QString &path, int megabytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[frmMinPmt_Properties]\nedtBalance.Value=3000\n");
    QByteArray chunk;
    const QByteArray line = "; " + QByteArray(61, 'x') + '\n';
    while (chunk.size() < (1 << 20))
        chunk += line;
    for (int i = 0; i < megabytes; ++i)
        QCOMPARE(f.write(chunk), chunk.size());
}

QByteArray utf16(const QString &text, QStringConverter::Encoding encoding)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    return encoder(text);
}

long peakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A file as a close writes it from scratch: the placement ({L}, {T}, {R},
// {B} stand for the bounds the window had), then the values.
QByteArray designedFile(int pctPos, const char *pct, int aprPos, const char *apr, int balancePos,
                        const char *balance, int extra)
{
    return "[frmMinPmtFormState]\nMaximized=0\nLeft={L}\nTop={T}\nRight={R}\nBottom={B}\nSaved=1\n\n"
           "[frmMinPmt_Properties]\ntrkMinPmtPct.Position=" + QByteArray::number(pctPos)
           + "\nedtMinPmtPct.Value=" + pct + "\ntrkAPR.Position=" + QByteArray::number(aprPos)
           + "\nedtAPR.Value=" + apr + "\ntrkBalance.Position=" + QByteArray::number(balancePos)
           + "\nedtBalance.Value=" + balance + "\nrgpExtraMoney.ItemIndex=" + QByteArray::number(extra) + "\n\n";
}

const QByteArray Placement = "[frmMinPmtFormState]\nMaximized=0\nLeft={L}\nTop={T}\nRight={R}\nBottom={B}\nSaved=1\n\n";

// The window's results equal a calculation of the inputs it shows.
void verifyResultsMatchShownInputs(const TfrmMinPmt &w)
{
    calc::PayoffInputs inputs;
    inputs.Balance = *calc::Decimal::fromLongDouble(w.edtBalance->value());
    inputs.APR = *calc::Decimal::fromLongDouble(w.edtAPR->value());
    inputs.MinPmtPct = *calc::Decimal::fromLongDouble(w.edtMinPmtPct->value());
    inputs.ExtraMoney = w.rgpExtraMoney->itemIndex() < 0 ? 0 : calc::ExtraMoneyChoices[w.rgpExtraMoney->itemIndex()];
    inputs.ConstantPayment = w.cbxConstantPayment->isChecked();
    QCOMPARE(calc::CheckPayoffInputs(inputs), std::nullopt);
    std::vector<calc::ScheduleRow> rows;
    const calc::PayoffSummary summary
        = calc::CalculatePayoff(inputs, calc::AbsoluteMinimumPayment, [&](const calc::ScheduleRow &r) {
              rows.push_back(r);
          });
    const calc::SummaryTexts texts = calc::MakeSummaryTexts(summary, QLocale::c());
    QCOMPARE(w.ClientDataSet1->rowCount(), int(rows.size()));
    if (!rows.empty()) {
        QCOMPARE(w.ClientDataSet1->rows().back().NewBalance, rows.back().NewBalance);
        QCOMPARE(w.txtMinPmtValue->text(), texts.MinPmtValue);
    }
    QCOMPARE(w.txtTotalFinanceChargeValue->text(), texts.TotalFinanceChargeValue);
    QCOMPARE(w.txtTotalMoneyPaidValue->text(), texts.TotalMoneyPaidValue);
    QCOMPARE(w.txtNumberofPaymentsValue->text(), texts.NumberofPaymentsValue);
    QCOMPARE(w.txtPayoffLength->text(), texts.PayoffLength);
}

// On a screen, no larger than its work area, no smaller than the window allows.
void verifySoundPlacement(const TfrmMinPmt &w)
{
    QScreen *screen = QGuiApplication::screenAt(w.geometry().topLeft());
    QVERIFY2(screen, "the window's corner lies on no screen");
    const QRect area = screen->availableGeometry();
    const QRect frame = w.frameGeometry();
    QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4 outside the screen")
                                                  .arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())));
    QVERIFY(w.width() >= w.minimumWidth() && w.height() >= w.minimumHeight());
}

const QString Properties = QStringLiteral("[frmMinPmt_Properties]\n");

} // namespace

class TestHostileSettings : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void init()
    {
        QLocale::setDefault(QLocale::c());
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_dir.path()));
        m_path = m_dir.filePath("orvanel.ini");
    }

    // First, while the process's peak memory is still low: a 50 MB file is
    // neither read into memory nor kept whole in it, and the start stays quick.
    void hugeFileStartsLean()
    {
        writeHugeFile(m_path, 50);
        const long peakBefore = peakResidentKiB();
        QElapsedTimer timer;
        timer.start();
        IniStore ini(m_path);
        TfrmMinPmt w(nullptr, &ini);
        w.show();
        const qint64 startMs = timer.elapsed();
        const long grownKiB = peakResidentKiB() - peakBefore;
        qInfo("start with a 50 MB settings file: %lld ms, peak memory grew by %ld KiB", startMs, grownKiB);
        QVERIFY2(grownKiB < 20 * 1024, qPrintable(QString::number(grownKiB)));
        QCOMPARE(w.edtBalance->value(), 2100.0L); // not a settings file: designed values
        QVERIFY(w.close());
        // The huge file is moved aside whole, not copied.
        QCOMPARE(QFileInfo(m_path + ".bad").size(), qint64(50) * (1 << 20) + 45);
        QVERIFY(QFileInfo(m_path).size() < 1000);
    }

    void hostileFileGivesSoundWindowAndCleanClose_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("balance");
        QTest::addColumn<QString>("apr");
        QTest::addColumn<QString>("pct");
        QTest::addColumn<int>("extra");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("maximized");
        QTest::addColumn<QByteArray>("written"); // the file after the close
        QTest::addColumn<bool>("keptAside");     // moved to ".bad": not a settings file

        const QStringList none;
        const QByteArray designed = designedFile(25, "2.5", 1790, "17.9", 2100, "2100", 0);
        QTest::newRow("empty") << QByteArray() << "2100" << "17.9" << "2.5" << 0 << none << false << designed
                               << false;
        QByteArray binary(4096, '\0');
        for (int i = 0; i < binary.size(); ++i)
            binary[i] = char((i * 131 + 7) % 256);
        QTest::newRow("binary") << binary << "2100" << "17.9" << "2.5" << 0 << none << false << designed << true;
        QTest::newRow("just over a mebibyte")
            << "[frmMinPmt_Properties]\nedtAPR.Value=12\n" + QByteArray(1 << 20, ';') << "2100" << "17.9" << "2.5"
            << 0 << none << false << designed << true;
        QTest::newRow("duplicate sections and keys: the first key counts")
            << QByteArray("[frmMinPmt_Properties]\nedtBalance.Value=3000\n[frmMinPmtFormState]\nSaved=0\n"
                          "[FRMMINPMT_PROPERTIES]\nedtBalance.Value=4000\nedtAPR.Value=12\n"
                          "EDTAPR.VALUE=13\nrgpExtraMoney.ItemIndex=2\nrgpExtraMoney.ItemIndex=5\n")
            << "3000" << "12" << "2.5" << 2 << none << false
            << QByteArray("[frmMinPmt_Properties]\nedtBalance.Value=3000\nedtAPR.Value=12\nrgpExtraMoney.ItemIndex=2\n"
                          "trkMinPmtPct.Position=25\nedtMinPmtPct.Value=2.5\ntrkAPR.Position=1200\n"
                          "trkBalance.Position=3000\n\n[frmMinPmtFormState]\nSaved=1\nMaximized=0\nLeft={L}\n"
                          "Top={T}\nRight={R}\nBottom={B}\n\n")
            << false;
        const QString text = "[frmMinPmt_Properties]\nedtAPR.Value=12.5\nrgpExtraMoney.ItemIndex=3\n";
        const QByteArray fromText = text.toUtf8()
                                    + "trkMinPmtPct.Position=25\nedtMinPmtPct.Value=2.5\ntrkAPR.Position=1250\n"
                                      "trkBalance.Position=2100\nedtBalance.Value=2100\n\n"
                                    + Placement;
        QTest::newRow("UTF-8 byte-order mark")
            << "\xEF\xBB\xBF" + text.toUtf8() << "2100" << "12.5" << "2.5" << 3 << none << false << fromText << false;
        QTest::newRow("UTF-16 LE byte-order mark") << utf16(text, QStringConverter::Utf16LE) << "2100" << "12.5"
                                                    << "2.5" << 3 << none << false << fromText << false;
        QTest::newRow("UTF-16 BE byte-order mark") << utf16(text, QStringConverter::Utf16BE) << "2100" << "12.5"
                                                    << "2.5" << 3 << none << false << fromText << false;
        QTest::newRow("UTF-16 without a mark is not text")
            << QByteArray(QStringEncoder(QStringConverter::Utf16LE)(text)) << "2100" << "17.9" << "2.5" << 0 << none
            << false << designed << true;
        QTest::newRow("carriage returns only")
            << QByteArray("[frmMinPmt_Properties]\redtAPR.Value=9.5\rtrkBalance.Position=4000\r") << "4000" << "9.5"
            << "2.5" << 0 << none << false
            << "[frmMinPmt_Properties]\nedtAPR.Value=9.5\ntrkBalance.Position=4000\ntrkMinPmtPct.Position=25\n"
               "edtMinPmtPct.Value=2.5\ntrkAPR.Position=950\nedtBalance.Value=4000\nrgpExtraMoney.ItemIndex=0\n\n"
                   + Placement
            << false;
        QTest::newRow("every number beyond its range")
            << QByteArray("[frmMinPmtFormState]\nMaximized=-1\nLeft=2147483647\nTop=-2147483648\n"
                          "Right=-2147483648\nBottom=2147483647\nSaved=7\n"
                          "[frmMinPmt_Properties]\ntrkMinPmtPct.Position=2147483647\nedtMinPmtPct.Value=1E300\n"
                          "trkAPR.Position=-2147483648\nedtAPR.Value=-1E300\ntrkBalance.Position=99999999\n"
                          "edtBalance.Value=1E4000\nrgpExtraMoney.ItemIndex=-2147483648\n")
            << "50000" << "0" << "100" << -1
            << QStringList{"The Minimum Payment Percent is too high", "The Annual Percentage Rate is too low",
                           "The Balance is too high"}
            << true << designedFile(120, "100", 0, "0", 50000, "50000", -1) << false;
        QTest::newRow("texts that are no number read as 0")
            << QByteArray("[frmMinPmt_Properties]\nedtAPR.Value=nan\nedtBalance.Value=inf\n"
                          "trkMinPmtPct.Position=1e3\nedtMinPmtPct.Value=5..0\n")
            << "0" << "0" << "0.7" << 0 << QStringList{"The Minimum Payment Percent is too low"} << false
            << "[frmMinPmt_Properties]\nedtAPR.Value=0\nedtBalance.Value=0\ntrkMinPmtPct.Position=7\n"
               "edtMinPmtPct.Value=0.7\ntrkAPR.Position=0\ntrkBalance.Position=0\nrgpExtraMoney.ItemIndex=0\n\n"
                   + Placement
            << false;
        QTest::newRow("0x integers")
            << QByteArray("[frmMinPmt_Properties]\ntrkAPR.Position=0x3E8\ntrkBalance.Position=0XBB8\n"
                          "rgpExtraMoney.ItemIndex=0x6\ntrkMinPmtPct.Position=0x\nedtMinPmtPct.Value=0x32\n")
            << "3000" << "10" << "1" << 6 << QStringList{"The Minimum Payment Percent is too low"} << false
            << "[frmMinPmt_Properties]\ntrkAPR.Position=1000\ntrkBalance.Position=3000\nrgpExtraMoney.ItemIndex=6\n"
               "trkMinPmtPct.Position=10\nedtMinPmtPct.Value=1\nedtAPR.Value=10\nedtBalance.Value=3000\n\n"
                   + Placement
            << false;
        QTest::newRow("0x beyond 32 bits and negative 0x are no number")
            << QByteArray("[frmMinPmt_Properties]\ntrkAPR.Position=0x1000003E8\nrgpExtraMoney.ItemIndex=0x-1\n")
            << "2100" << "0" << "2.5" << 0 << none << false
            << "[frmMinPmt_Properties]\ntrkAPR.Position=0\nrgpExtraMoney.ItemIndex=0\ntrkMinPmtPct.Position=25\n"
               "edtMinPmtPct.Value=2.5\nedtAPR.Value=0\ntrkBalance.Position=2100\nedtBalance.Value=2100\n\n"
                   + Placement
            << false;
        const QByteArray boundsFirst = "[frmMinPmtFormState]\nLeft={L}\nTop={T}\nRight={R}\nBottom={B}\nSaved=1\n"
                                       "Maximized=0\n\n"
                                       + designed.mid(designed.indexOf("[frmMinPmt_Properties]"));
        QTest::newRow("window bounds huge")
            << QByteArray("[frmMinPmtFormState]\nLeft=10\nTop=10\nRight=100000000\nBottom=100000000\nSaved=1\n")
            << "2100" << "17.9" << "2.5" << 0 << none << false << boundsFirst << false;
        QTest::newRow("window far off-screen")
            << QByteArray("[frmMinPmtFormState]\nLeft=-90000\nTop=-90000\nRight=-89000\nBottom=-89200\nSaved=1\n")
            << "2100" << "17.9" << "2.5" << 0 << none << false << boundsFirst << false;
        QTest::newRow("window hanging off the screen's far corner")
            << QByteArray("[frmMinPmtFormState]\nLeft=790\nTop=790\nRight=1560\nBottom=1350\nSaved=1\n")
            << "2100" << "17.9" << "2.5" << 0 << none << false << boundsFirst << false;
        QTest::newRow("negative window size")
            << QByteArray("[frmMinPmtFormState]\nLeft=20\nTop=20\nRight=-500\nBottom=-2147483648\nSaved=1\n")
            << "2100" << "17.9" << "2.5" << 0 << none << false << boundsFirst << false;
    }
    void hostileFileGivesSoundWindowAndCleanClose()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, balance);
        QFETCH(QString, apr);
        QFETCH(QString, pct);
        QFETCH(int, extra);
        QFETCH(QStringList, messages);
        QFETCH(bool, maximized);
        QFETCH(QByteArray, written);
        QFETCH(bool, keptAside);
        writeBytes(m_path, bytes);

        MessageBoxAnswerer answerer;
        QRect normal;
        {
            IniStore ini(m_path);
            TfrmMinPmt w(nullptr, &ini);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QCOMPARE(double(w.edtBalance->value()), balance.toDouble());
            QCOMPARE(double(w.edtAPR->value()), apr.toDouble());
            QCOMPARE(double(w.edtMinPmtPct->value()), pct.toDouble());
            QCOMPARE(w.rgpExtraMoney->itemIndex(), extra);
            QCOMPARE(w.trkBalance->position(), qRound(balance.toDouble()));
            QCOMPARE(w.trkAPR->position(), qRound(apr.toDouble() * 100));
            QCOMPARE(w.trkMinPmtPct->position(), std::min(qRound(pct.toDouble() * 10), 120));
            QVERIFY(!w.cbxConstantPayment->isChecked());
            verifyResultsMatchShownInputs(w);
            QTRY_COMPARE(w.isMaximized(), maximized);
            if (maximized)
                w.showNormal();
            QTRY_VERIFY(!w.isMaximized());
            verifySoundPlacement(w);
            normal = w.geometry();
            QCOMPARE(answerer.firstLines(), messages);
            w.messageDialogHook = [](const QString &msg, QMessageBox::Icon, QMessageBox::StandardButtons) {
                qWarning("unexpected message: %s", qPrintable(msg));
                return int(QMessageBox::Ok);
            };
            QVERIFY(w.close());
        }
        written.replace("{L}", QByteArray::number(normal.x()))
            .replace("{T}", QByteArray::number(normal.y()))
            .replace("{R}", QByteArray::number(normal.x() + normal.width()))
            .replace("{B}", QByteArray::number(normal.y() + normal.height()));
        QCOMPARE(QString::fromUtf8(readAll(m_path)), QString::fromUtf8(written));
        QCOMPARE(QFile::exists(m_path + ".bad"), keptAside);
        if (keptAside)
            QCOMPARE(readAll(m_path + ".bad"), bytes);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), keptAside ? 2 : 1);
        // The next start reads back what the window showed.
        IniStore again(m_path);
        TfrmMinPmt next(nullptr, &again);
        QCOMPARE(double(next.edtBalance->value()), balance.toDouble());
        QCOMPARE(double(next.edtMinPmtPct->value()), pct.toDouble());
    }

    // The settings cannot be written: the error box comes once, as an error
    // with a single OK button, and the close still ends. The start is normal.
    void unwritableSettingsShowOneErrorAndClose_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("the file is a folder") << "folder";
        QTest::newRow("the folder is read-only") << "read-only folder";
        QTest::newRow("the file is read-only") << "read-only file";
    }
    void unwritableSettingsShowOneErrorAndClose()
    {
        QFETCH(QString, kind);
        const bool root = geteuid() == 0;
        QString path = m_path;
        QByteArray before;
        const QString folder = m_dir.filePath("locked");
        if (kind == "folder") {
            QVERIFY(QDir().mkpath(m_path));
        } else if (kind == "read-only folder") {
            if (root) {
                // Permissions do not stop the superuser; /proc refuses every
                // new file, even theirs.
                path = QStringLiteral("/proc/orvanel-hostile-test.ini");
                QFile probe(path);
                if (probe.open(QIODevice::WriteOnly))
                    QSKIP("no folder here refuses new files to the superuser");
            } else {
                QVERIFY(QDir().mkpath(folder));
                path = QDir(folder).filePath("orvanel.ini");
                QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
            }
        } else {
            if (root)
                QSKIP("the superuser writes read-only files; nothing to refuse");
            before = (Properties + "edtAPR.Value=12\n").toUtf8();
            writeBytes(m_path, before);
            QVERIFY(QFile::setPermissions(m_path, QFile::ReadOwner));
        }

        QStringList shown;
        {
            IniStore ini(path);
            TfrmMinPmt w(nullptr, &ini);
            w.messageDialogHook = [&](const QString &msg, QMessageBox::Icon type, QMessageBox::StandardButtons buttons) {
                shown.append(msg);
                [&] {
                    QCOMPARE(type, QMessageBox::Critical);
                    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
                }();
                return int(QMessageBox::Ok);
            };
            w.show();
            QCOMPARE(w.edtAPR->value(), before.isEmpty() ? 17.9L : 12.0L);
            verifyResultsMatchShownInputs(w);
            QVERIFY(w.close());
            QVERIFY(!w.isVisible());
        }
        if (kind == "read-only folder" && !root)
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().startsWith("Unable to write to " + QDir::toNativeSeparators(path)),
                 qPrintable(shown.first()));
        if (kind == "folder")
            QVERIFY(QFileInfo(m_path).isDir());
        if (!before.isEmpty())
            QCOMPARE(readAll(m_path), before);
        // No temporary was left behind by the failed saves.
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList(before.isEmpty() ? QStringList() : QStringList{"orvanel.ini"}));
    }

    // A process saving in a tight loop is killed at random moments: the file
    // is always exactly the old or the new text, never a part of one.
    void killedSaveLeavesOldOrNewFile()
    {
        const QString valueA = QStringLiteral("2100");
        const QString valueB = QStringLiteral("49999.99");
        // Some comment lines make each rewrite long enough to be cut.
        QByteArray padding;
        for (int i = 0; i < 500; ++i)
            padding += "; keep this line " + QByteArray::number(i) + " where it stands, padded to be long\n";
        const QByteArray head = padding + "[frmMinPmtFormState]\nMaximized=0\nLeft=40\nTop=50\nRight=800\n"
                                          "Bottom=892\nSaved=1\n\n[frmMinPmt_Properties]\ntrkMinPmtPct.Position=25\n"
                                          "edtMinPmtPct.Value=2.5\ntrkAPR.Position=1790\nedtAPR.Value=17.9\n"
                                          "trkBalance.Position=2100\nedtBalance.Value=";
        const QByteArray tail = "\nrgpExtraMoney.ItemIndex=0\n\n";
        const QByteArray textA = head + valueA.toUtf8() + tail;
        const QByteArray textB = head + valueB.toUtf8() + tail;
        writeBytes(m_path, textA);

        const int kills = 50;
        int sawA = 0, sawB = 0, mostTemporaries = 0;
        QStringList temporaries;
        for (int k = 0; k < kills; ++k) {
            QProcess saver;
            saver.start(QStringLiteral(SETTINGSSAVER), {m_path, valueA, valueB});
            QVERIFY2(saver.waitForReadyRead(10000), qPrintable(saver.errorString()));
            QTest::qSleep(int(QRandomGenerator::global()->bounded(1, 40)));
            QVERIFY2(saver.state() == QProcess::Running, saver.readAllStandardError().constData());
            saver.kill(); // SIGKILL
            QVERIFY(saver.waitForFinished(10000));
            QCOMPARE(saver.exitStatus(), QProcess::CrashExit);

            const QByteArray now = readAll(m_path);
            QVERIFY2(now == textA || now == textB,
                     qPrintable(QStringLiteral("kill %1 left %2 bytes").arg(k).arg(now.size())));
            (now == textA ? sawA : sawB)++;
            IniStore reread(m_path, {}, QLocale::c());
            QVERIFY(reread.readString("frmMinPmt_Properties", "edtBalance.Value", {}) == valueA
                    || reread.readString("frmMinPmt_Properties", "edtBalance.Value", {}) == valueB);
            temporaries = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
            temporaries.removeOne("orvanel.ini");
            mostTemporaries = std::max(mostTemporaries, int(temporaries.size()));
        }
        qInfo("%d kills: %d left the one text, %d the other; at most %d temporaries lay beside the file",
              kills, sawA, sawB, mostTemporaries);
        // At most one temporary per killed run, each named after the file.
        QVERIFY(mostTemporaries <= kills);
        for (const QString &name : std::as_const(temporaries))
            QVERIFY2(QRegularExpression("^orvanel\\.ini\\.[A-Za-z0-9]{6}$").match(name).hasMatch(), qPrintable(name));
    }

    // Temporaries of killed runs go at the next run's first write once they
    // are a minute old; a fresh one may belong to a copy writing right now.
    void staleTemporariesAreRemovedByTheNextSave()
    {
        const QStringList stale{"orvanel.ini.Ab12Cd", "orvanel.ini.zzzzzz"};
        const QStringList kept{"orvanel.ini.Fresh1", "orvanel.ini.bad", "orvanel.ini.notmine1", "other.ini.Ab12Cd"};
        for (const QString &name : stale + kept) {
            QFile f(m_dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[frmMinPmt_Properties]\nedtBal");
            f.flush();
            if (stale.contains(name))
                QVERIFY(f.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-120), QFileDevice::FileModificationTime));
        }
        IniStore ini(m_path, {}, QLocale::c());
        QVERIFY(ini.writeInteger("S", "a", 1));
        QVERIFY(ini.writeInteger("S", "a", 2));
        QStringList expected = kept + QStringList{"orvanel.ini"};
        expected.sort();
        QStringList present = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
        present.sort();
        QCOMPARE(present, expected);
    }

    // A start must never wait on a pipe or device where the file should be.
    void pipeInPlaceOfTheFileDoesNotBlock()
    {
        QVERIFY(mkfifo(QFile::encodeName(m_path).constData(), 0600) == 0);
        IniStore ini(m_path);
        TfrmMinPmt w(nullptr, &ini);
        QCOMPARE(w.edtBalance->value(), 2100.0L);
        w.show();
        QVERIFY(w.close());
        QVERIFY(QFileInfo(m_path).isFile()); // the close wrote a real file over it
        QVERIFY(readAll(m_path).startsWith("[frmMinPmtFormState]\nMaximized=0\n"));
    }
};

QTEST_MAIN(TestHostileSettings)
#include "tst_hostilesettings.moc"
