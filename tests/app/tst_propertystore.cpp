// The property store over stand-in controls that behave like the window's:
// load order, the ranges applied on load, unreadable texts, and save.
#include "app/inistore.h"
#include "app/minpmtproperties.h"
#include "app/propertystore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

// Each control logs a change made to it, as its change handling would run.
struct FakeSlider
{
    QString name;
    int min, max, pos;
    QStringList *log;
    int position() const { return pos; }
    void setPosition(int v)
    {
        v = std::clamp(v, min, max);
        if (v != pos) {
            pos = v;
            log->append(name + "=" + QString::number(v));
        }
    }
};

struct FakeField
{
    QString name;
    long double val;
    QStringList *log;
    long double value() const { return val; }
    void setValue(long double v)
    {
        if (v != val) {
            val = v;
            log->append(name + "=" + QString::number(double(v)));
        }
    }
};

struct FakeRadio
{
    int index;
    QStringList *log;
    int itemIndex() const { return index; }
    void setItemIndex(int v)
    {
        if (v != index) {
            index = v;
            log->append("rgpExtraMoney=" + QString::number(v));
        }
    }
};

// The designed start values of the window's inputs.
struct FakeWindow
{
    QStringList log;
    FakeSlider minPmtSlider{"trkMinPmtPct", 0, 120, 25, &log};
    FakeField minPmtField{"edtMinPmtPct", 2.5L, &log};
    FakeSlider aprSlider{"trkAPR", 0, 3600, 1790, &log};
    FakeField aprField{"edtAPR", 17.9L, &log};
    FakeSlider balanceSlider{"trkBalance", 0, 50000, 2100, &log};
    FakeField balanceField{"edtBalance", 2100.0L, &log};
    FakeRadio extra{0, &log};

    FakeSlider *trkMinPmtPct = &minPmtSlider;
    FakeField *edtMinPmtPct = &minPmtField;
    FakeSlider *trkAPR = &aprSlider;
    FakeField *edtAPR = &aprField;
    FakeSlider *trkBalance = &balanceSlider;
    FakeField *edtBalance = &balanceField;
    FakeRadio *rgpExtraMoney = &extra;
};

QString propertiesFile(const QString &entries)
{
    return "[frmMinPmt_Properties]\n" + entries;
}

} // namespace

class TestPropertyStore : public QObject
{
    Q_OBJECT

private:
    static void writeText(const QString &path, const QString &text)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }

private slots:
    void loadRunsInTableOrderWhateverTheFileOrder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("orvanel.ini");
        writeText(path, propertiesFile("rgpExtraMoney.ItemIndex=3\n"
                                       "edtBalance.Value=5000.25\n"
                                       "trkBalance.Position=5000\n"
                                       "edtAPR.Value=9.99\n"
                                       "trkAPR.Position=999\n"
                                       "edtMinPmtPct.Value=3\n"
                                       "trkMinPmtPct.Position=30\n"));
        IniStore ini(path, {}, QLocale::c());
        PropertyStore store(ini);
        FakeWindow w;
        AddMinPmtProperties(store, w);
        store.Load();
        // Each field's stored value equal to what its slider set changes nothing.
        QCOMPARE(w.log, QStringList({"trkMinPmtPct=30", "edtMinPmtPct=3", "trkAPR=999", "edtAPR=9.99",
                                     "trkBalance=5000", "edtBalance=5000.25", "rgpExtraMoney=3"}));
    }

    void partialFileRestoresOnlyItsEntries()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("orvanel.ini");
        writeText(path, propertiesFile("TRKAPR.POSITION=2000\nrgpExtraMoney.ItemIndex=0\n"));
        IniStore ini(path, {}, QLocale::c());
        PropertyStore store(ini);
        FakeWindow w;
        AddMinPmtProperties(store, w);
        store.Load();
        QCOMPARE(w.log, QStringList{"trkAPR=2000"}); // the equal index runs nothing
        QCOMPARE(double(w.balanceField.val), 2100.0);
        QCOMPARE(w.minPmtSlider.pos, 25);
    }

    void loadAppliesRangesAndReadsUnreadableTextAsZero_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<QString>("expectedLog");
        QTest::newRow("slider above its range") << "trkAPR.Position=99999" << "C" << "trkAPR=3600";
        QTest::newRow("slider below its range") << "trkMinPmtPct.Position=-4" << "C" << "trkMinPmtPct=0";
        QTest::newRow("hexadecimal position") << "trkBalance.Position=0x10" << "C" << "trkBalance=16";
        QTest::newRow("index above 7") << "rgpExtraMoney.ItemIndex=12" << "C" << "rgpExtraMoney=7";
        QTest::newRow("index below -1") << "rgpExtraMoney.ItemIndex=-9" << "C" << "rgpExtraMoney=-1";
        // Fields have no range here: the field's own range check sees the value.
        QTest::newRow("field beyond its bounds passes on") << "edtBalance.Value=60000" << "C" << "edtBalance=60000";
        QTest::newRow("field not a number is 0") << "edtAPR.Value=lots" << "C" << "edtAPR=0";
        QTest::newRow("other locale's separator is 0") << "edtAPR.Value=17,9" << "C" << "edtAPR=0";
        QTest::newRow("own locale's separator") << "edtAPR.Value=18,5" << "de_DE" << "edtAPR=18.5";
        QTest::newRow("position not a number is 0") << "trkBalance.Position=1e3" << "C" << "trkBalance=0";
    }
    void loadAppliesRangesAndReadsUnreadableTextAsZero()
    {
        QFETCH(QString, entry);
        QFETCH(QString, localeName);
        QFETCH(QString, expectedLog);
        QTemporaryDir dir;
        const QString path = dir.filePath("orvanel.ini");
        writeText(path, propertiesFile(entry + "\n"));
        IniStore ini(path, {}, QLocale(localeName));
        PropertyStore store(ini);
        FakeWindow w;
        AddMinPmtProperties(store, w);
        store.Load();
        QCOMPARE(w.log, QStringList{expectedLog});
    }

    void saveWritesEveryEntryInOrderWithTheLocaleSeparator()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("orvanel.ini");
        IniStore ini(path, {}, QLocale("de_DE"));
        QVERIFY(ini.writeInteger("frmMinPmtFormState", "Saved", 1)); // an earlier section stays first
        PropertyStore store(ini);
        FakeWindow w;
        w.aprField.val = 17.9L;
        w.balanceField.val = 1234.57L;
        w.extra.index = -1;
        AddMinPmtProperties(store, w);
        QVERIFY(store.Save());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()), QString("[frmMinPmtFormState]\nSaved=1\n\n"
                                                         "[frmMinPmt_Properties]\n"
                                                         "trkMinPmtPct.Position=25\n"
                                                         "edtMinPmtPct.Value=2,5\n"
                                                         "trkAPR.Position=1790\n"
                                                         "edtAPR.Value=17,9\n"
                                                         "trkBalance.Position=2100\n"
                                                         "edtBalance.Value=1234,57\n"
                                                         "rgpExtraMoney.ItemIndex=-1\n\n"));
    }

    void saveReportsAFailedWrite()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        IniStore ini(dir.filePath("blocker/orvanel.ini"), {}, QLocale::c());
        PropertyStore store(ini);
        FakeWindow w;
        AddMinPmtProperties(store, w);
        QVERIFY(!store.Save());
        QVERIFY(!ini.errorString().isEmpty());
        QCOMPARE(ini.readInteger("frmMinPmt_Properties", "trkBalance.Position", 0), 2100);
    }
};

QTEST_GUILESS_MAIN(TestPropertyStore)
#include "tst_propertystore.moc"
