// The settings file: its number texts, its line format and ordering rules,
// write-through with atomic replacement, damaged files, and where it lives.
#include "app/inistore.h"
#include "app/settingslocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class TestIniStore : public QObject
{
    Q_OBJECT

private:
    static QByteArray readAll(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static void writeBytes(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    void formatGeneral_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fraction") << 17.9 << "C" << "17.9";
        QTest::newRow("whole number has no decimals") << 2100.0 << "C" << "2100";
        QTest::newRow("comma locale") << 2100.5 << "de_DE" << "2100,5";
        QTest::newRow("no grouping under grouping locale") << 49999.99 << "en_US" << "49999.99";
        QTest::newRow("15 significant digits") << 1.0 / 3.0 << "C" << "0.333333333333333";
        QTest::newRow("negative") << -12.25 << "C" << "-12.25";
        QTest::newRow("negative zero") << -0.0 << "C" << "0";
        QTest::newRow("large uses exponent") << 1e20 << "C" << "1E20";
        QTest::newRow("tiny uses exponent") << 0.00001 << "C" << "1E-5";
    }
    void formatGeneral()
    {
        QFETCH(double, value);
        QFETCH(QString, localeName);
        QFETCH(QString, expected);
        QCOMPARE(settingstext::FormatGeneral(value, QLocale(localeName)), expected);
    }

    void parseGeneral_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("expected");
        QTest::newRow("point") << "17.9" << "C" << true << 17.9;
        QTest::newRow("comma under comma locale") << "17,9" << "de_DE" << true << 17.9;
        QTest::newRow("point under comma locale") << "17.9" << "de_DE" << false << 0.0;
        QTest::newRow("comma under point locale") << "17,9" << "C" << false << 0.0;
        QTest::newRow("integer text") << "2100" << "de_DE" << true << 2100.0;
        QTest::newRow("blanks around") << "  5.5 " << "C" << true << 5.5;
        QTest::newRow("exponent") << "1E-5" << "C" << true << 0.00001;
        QTest::newRow("negative") << "-3.25" << "C" << true << -3.25;
        QTest::newRow("grouping is not a number") << "2,100.00" << "en_US" << false << 0.0;
        QTest::newRow("letters") << "abc" << "C" << false << 0.0;
        QTest::newRow("trailing junk") << "12x" << "C" << false << 0.0;
        QTest::newRow("empty") << "" << "C" << false << 0.0;
        QTest::newRow("lone sign") << "-" << "C" << false << 0.0;
        QTest::newRow("exponent without digits") << "1E" << "C" << false << 0.0;
        QTest::newRow("overflow") << "1E99999" << "C" << false << 0.0;
    }
    void parseGeneral()
    {
        QFETCH(QString, text);
        QFETCH(QString, localeName);
        QFETCH(bool, valid);
        QFETCH(double, expected);
        const auto parsed = settingstext::ParseGeneral(text, QLocale(localeName));
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(double(*parsed), expected);
    }

    void parsedDecimalIsTheLongDoubleOfItsText()
    {
        // The value a field shows must come back exactly, not via a double.
        QCOMPARE(*settingstext::ParseGeneral(u"17.9", QLocale::c()), 17.9L);
    }

    void parseInteger_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << "1790" << true << 1790;
        QTest::newRow("negative") << "-1" << true << -1;
        QTest::newRow("blanks") << " 25 " << true << 25;
        QTest::newRow("hex 0x") << "0x1F" << true << 31;
        QTest::newRow("hex upper 0X") << "0X10" << true << 16;
        QTest::newRow("hex dollar") << "$FF" << true << 255;
        QTest::newRow("hex all ones is -1") << "0xFFFFFFFF" << true << -1;
        QTest::newRow("hex without digits") << "0x" << false << 0;
        QTest::newRow("decimal point") << "2.5" << false << 0;
        QTest::newRow("out of 32 bits") << "99999999999" << false << 0;
        QTest::newRow("letters") << "twelve" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
    }
    void parseInteger()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, expected);
        const auto parsed = settingstext::ParseInteger(text);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, expected);
    }

    void writesSectionsAndKeysInFirstWrittenOrder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("orvanel.ini");
        IniStore store(path, {}, QLocale::c());
        QVERIFY(store.writeBool("frmMinPmtFormState", "Maximized", false));
        QVERIFY(store.writeInteger("frmMinPmtFormState", "Left", -8));
        QVERIFY(store.writeFloat("frmMinPmt_Properties", "edtAPR.Value", 17.9L));
        // Names match without regard to case; the update stays in place and
        // keeps the spelling first written.
        QVERIFY(store.writeInteger("FRMMINPMTFORMSTATE", "maximized", 1));
        QVERIFY(store.writeInteger("frmMinPmtFormState", "Top", 30));
        QCOMPARE(readAll(path), QByteArray("[frmMinPmtFormState]\n"
                                           "Maximized=1\n"
                                           "Left=-8\n"
                                           "Top=30\n"
                                           "\n"
                                           "[frmMinPmt_Properties]\n"
                                           "edtAPR.Value=17.9\n"
                                           "\n"));
    }

    void readsWhatAnotherEditorWrote_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray body = "[frmMinPmtFormState]\r\nLeft = 12\r\n; a note\r\n\r\n\r\n"
                                "[FRMMINPMT_PROPERTIES]\r\nedtBalance.Value=2100.5\r\n";
        QTest::newRow("crlf, blanks, comment") << body;
        QTest::newRow("utf-8 mark") << QByteArray("\xEF\xBB\xBF") + body;
        QByteArray utf16("\xFF\xFE");
        for (QChar c : QString::fromLatin1(body)) {
            utf16.append(char(c.unicode() & 0xFF));
            utf16.append(char(c.unicode() >> 8));
        }
        QTest::newRow("utf-16le mark") << utf16;
        QTest::newRow("no final line end")
            << QByteArray("[frmMinPmtFormState]\nLeft=12\n; a note\n[FRMMINPMT_PROPERTIES]\nedtBalance.Value=2100.5");
    }
    void readsWhatAnotherEditorWrote()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath("orvanel.ini");
        writeBytes(path, bytes);
        IniStore store(path, {}, QLocale::c());
        QCOMPARE(store.readInteger("frmminpmtformstate", "LEFT", 0), 12);
        QCOMPARE(double(store.readFloat("frmMinPmt_Properties", "edtBalance.Value", 0)), 2100.5);
        QVERIFY(!store.hasKey("frmMinPmtFormState", "Top"));
        // Rewritten as plain UTF-8, the comment kept where it stood.
        QVERIFY(store.writeInteger("frmMinPmtFormState", "Top", 4));
        QCOMPARE(readAll(path), QByteArray("[frmMinPmtFormState]\nLeft=12\n; a note\nTop=4\n\n"
                                           "[FRMMINPMT_PROPERTIES]\nedtBalance.Value=2100.5\n\n"));
    }

    void readsGiveDefaultsForAbsentOrUnreadableEntries()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("orvanel.ini");
        writeBytes(path, "[S]\nflag=yes\nnum=abc\ntruth=7\n");
        IniStore store(path, {}, QLocale::c());
        QCOMPARE(store.readBool("S", "flag", true), true);
        QCOMPARE(store.readBool("S", "flag", false), false);
        QCOMPARE(store.readInteger("S", "num", 42), 42);
        QCOMPARE(double(store.readFloat("S", "num", 1.5L)), 1.5);
        QCOMPARE(store.readBool("S", "truth", false), true);
        QCOMPARE(store.readInteger("S", "missing", -3), -3);
        QCOMPARE(store.readInteger("Missing", "num", 9), 9);
    }

    void eachStoreRewritesTheWholeFileSoTheLastWriterWins()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("orvanel.ini");
        writeBytes(path, "[S]\na=1\nb=1\n");
        IniStore first(path, {}, QLocale::c());
        IniStore second(path, {}, QLocale::c());
        QCOMPARE(first.readInteger("S", "a", 0), 1); // both read at start
        QCOMPARE(second.readInteger("S", "a", 0), 1);
        QVERIFY(first.writeInteger("S", "a", 2));
        QVERIFY(second.writeInteger("S", "b", 3));
        QCOMPARE(readAll(path), QByteArray("[S]\na=1\nb=3\n\n"));
        // Nothing but the file is left in the folder: no temporary files.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"orvanel.ini"});
    }

    void failedWriteKeepsValueAndTellsWhy()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath("blocker"), "a file, not a folder");
        const QString path = dir.filePath("blocker/orvanel.ini");
        IniStore store(path, {}, QLocale::c());
        QVERIFY(!store.writeInteger("S", "a", 5));
        QVERIFY2(store.errorString().contains(QDir::toNativeSeparators(path)), qPrintable(store.errorString()));
        QCOMPARE(store.readInteger("S", "a", 0), 5);
        QCOMPARE(readAll(dir.filePath("blocker")), QByteArray("a file, not a folder"));
    }

    void createsTheFoldersOfItsPath()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("config/orvanel/orvanel.ini");
        IniStore store(path, {}, QLocale::c());
        QVERIFY2(store.writeInteger("S", "a", 1), qPrintable(store.errorString()));
        QCOMPARE(readAll(path), QByteArray("[S]\na=1\n\n"));
    }

    void fileThatIsNotTextReadsEmptyAndIsKeptBeforeReplacement()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("orvanel.ini");
        const QByteArray junk("[S]\na=1\n\0\x01\x02\xFF binary", 20);
        writeBytes(path, junk);
        IniStore store(path, {}, QLocale::c());
        QVERIFY(!store.hasSection("S"));
        QCOMPARE(store.readInteger("S", "a", 7), 7);
        QVERIFY(store.writeInteger("S", "b", 2));
        QCOMPARE(readAll(path), QByteArray("[S]\nb=2\n\n"));
        QCOMPARE(readAll(path + ".bad"), junk);
    }

    void legacyEightBitTextStillReads()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("orvanel.ini");
        writeBytes(path, "[S]\n; caf\xE9\na=4\n");
        IniStore store(path, {}, QLocale::c());
        QCOMPARE(store.readInteger("S", "a", 0), 4);
    }

    void readFallbackIsUsedOnlyWhileTheFileIsMissing()
    {
        QTemporaryDir dir;
        const QString beside = dir.filePath("bin/orvanel.ini");
        const QString user = dir.filePath("config/orvanel.ini");
        QVERIFY(QDir().mkpath(dir.filePath("bin")));
        writeBytes(beside, "[S]\na=1\n");
        {
            IniStore store(user, beside, QLocale::c());
            QCOMPARE(store.readInteger("S", "a", 0), 1);
            QVERIFY(store.writeInteger("S", "b", 2));
        }
        QCOMPARE(readAll(beside), QByteArray("[S]\na=1\n")); // never written
        QCOMPARE(readAll(user), QByteArray("[S]\na=1\nb=2\n\n"));
        writeBytes(beside, "[S]\na=9\n");
        IniStore again(user, beside, QLocale::c());
        QCOMPARE(again.readInteger("S", "a", 0), 1);
    }

    void locationBesideAWritableExecutable()
    {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("bin")));
        const SettingsPaths paths =
            ResolveSettingsPaths(dir.filePath("bin"), "orvanel", dir.filePath("config"));
        QCOMPARE(paths.writePath, dir.filePath("bin/orvanel.ini"));
        QCOMPARE(paths.readPath, dir.filePath("bin/orvanel.ini"));
    }

    void locationFallsBackToTheUserFolder()
    {
        // A folder that cannot be written, even by root: it does not exist
        // and cannot be made, because its parent is a file.
        QTemporaryDir dir;
        writeBytes(dir.filePath("usr"), "");
        const QString exeDir = dir.filePath("usr/bin");
        SettingsPaths paths = ResolveSettingsPaths(exeDir, "orvanel", dir.filePath("config"));
        QCOMPARE(paths.writePath, dir.filePath("config/orvanel.ini"));
        QCOMPARE(paths.readPath, QDir(exeDir).filePath("orvanel.ini"));

        QVERIFY(QDir().mkpath(dir.filePath("config")));
        writeBytes(dir.filePath("config/orvanel.ini"), "[S]\n");
        paths = ResolveSettingsPaths(exeDir, "orvanel", dir.filePath("config"));
        QCOMPARE(paths.readPath, dir.filePath("config/orvanel.ini"));
    }
};

QTEST_GUILESS_MAIN(TestIniStore)
#include "tst_inistore.moc"
