// Every number text the calculator writes or reads, under the separators of
// several locales: C and en_US ("," groups, "." decimals), de_DE ("." groups,
// "," decimals), fr_FR (a narrow no-break space groups, "," decimals) and de_CH
// ("’" groups, "." decimals). Each layer has one table with the locale as a
// column: the calculation's number texts, the window (fields, grid, the five
// results, the report's fields and pie), the pop-up calculator, the settings
// file, and a change of the desktop's regional settings while the window runs.
//
// Expected texts are written as en_US writes them and turned into the row's
// separators by under(), so a row states only its two separators.
#include "app/inistore.h"
#include "calc/calculatorengine.h"
#include "calc/numbertext.h"
#include "calc/payoff.h"
#include "numericedit.h"
#include "popupcalculator.h"
#include "radiogroup.h"
#include "report/payoffreport.h"
#include "report/reportfields.h"
#include "report/reportpreview.h"
#include "schedulegrid.h"
#include "schedulemodel.h"
#include "tfrmminpmt.h"
#include "trackbar.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

namespace {

const QString NarrowNoBreakSpace(QChar(0x202F));
const QString RightQuote(QChar(0x2019));

// An en_US text with its "," and "." replaced by the given separators.
QString under(QStringView english, const QString &group, const QString &decimal)
{
    QString out;
    for (const QChar c : english) {
        if (c == u',')
            out += group;
        else if (c == u'.')
            out += decimal;
        else
            out += c;
    }
    return out;
}

// The locale columns every table starts with.
void addLocaleColumns()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("decimal");
}

void addLocaleRows()
{
    addLocaleColumns();
    QTest::newRow("C") << QLocale::c() << "," << ".";
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << "," << ".";
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << "." << ",";
    QTest::newRow("fr_FR") << QLocale(QLocale::French, QLocale::France) << NarrowNoBreakSpace << ",";
    QTest::newRow("de_CH") << QLocale(QLocale::German, QLocale::Switzerland) << RightQuote << ".";
}

// A locale whose decimal separator is not `decimal`.
QLocale otherSeparatorLocale(const QString &decimal)
{
    return decimal == QLatin1String(",") ? QLocale::c() : QLocale(QLocale::German, QLocale::Germany);
}

calc::Decimal dec(const char *text)
{
    return *calc::Decimal::fromText(QString::fromLatin1(text));
}

// Runs `step` on the open calculator panel once the event loop is running; a
// guard closes a panel left open so a failing test cannot hang.
void onPanel(std::function<void(PopupCalculator &)> step)
{
    QTimer::singleShot(0, qApp, [step] {
        if (auto *panel = qobject_cast<PopupCalculator *>(QApplication::activePopupWidget()))
            step(*panel);
        else
            qWarning("no calculator panel open");
    });
    QTimer::singleShot(5000, qApp, [] {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    });
}

QToolButton *keyNamed(PopupCalculator &panel, const QString &accessibleName)
{
    for (QToolButton *key : panel.findChildren<QToolButton *>()) {
        if (key->accessibleName() == accessibleName)
            return key;
    }
    return nullptr;
}

// The text of page `page` of a PDF, as poppler extracts it.
QString pdfPageText(const QString &path, int page)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                                                 QStringLiteral("-l"), QString::number(page), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct PdfWord
{
    QString text;
    double top = 0;
};

// The words of a PDF page with the top of each word's box, in page order.
QList<PdfWord> pdfWords(const QString &path, int page)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                                                 QStringLiteral("-l"), QString::number(page), path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    static const QRegularExpression word(QStringLiteral("yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    QList<PdfWord> words;
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    for (auto match = word.globalMatch(html); match.hasNext();) {
        const auto m = match.next();
        words.append({m.captured(2), m.captured(1).toDouble()});
    }
    return words;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The title page's printed text of every single-record field element, by
// field name, as the report's template formats it.
QMap<QString, QString> printedFields(const TfrmMinPmt &w)
{
    QMap<QString, QString> printed;
    for (const report::ReportElement &e : report::MakeReport1().title.elements) {
        if (e.kind != report::ElementKind::FieldText || e.source != report::FieldSourceKind::SingleRecord)
            continue;
        printed[e.field] = report::FieldText(w.ppJITPipeline1GetFieldValue(e.field),
                                             report::SingleRecordFieldType(e.field), e.format, w.numberLocale());
    }
    return printed;
}

// The total interest CalculatePayoff gives for these window inputs.
double totalInterestFor(long double balance, long double apr, long double pct)
{
    calc::PayoffInputs in;
    in.Balance = *calc::Decimal::fromLongDouble(balance);
    in.APR = *calc::Decimal::fromLongDouble(apr);
    in.MinPmtPct = *calc::Decimal::fromLongDouble(pct);
    return calc::CalculatePayoff(in, calc::AbsoluteMinimumPayment, [](const calc::ScheduleRow &) {})
        .TotalInterestPaid.toDouble();
}

} // namespace

class TestLocales : public QObject
{
    Q_OBJECT

    std::unique_ptr<TfrmMinPmt> w;
    QStringList messages;

    void makeWindow(IniStore *settings = nullptr)
    {
        w = std::make_unique<TfrmMinPmt>(nullptr, settings);
        w->messageDialogHook = [this](const QString &msg, QMessageBox::Icon, QMessageBox::StandardButtons) {
            messages << msg;
            return int(QMessageBox::Ok);
        };
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }

    QStringList resultTexts() const
    {
        return {w->txtMinPmtValue->text(), w->txtTotalFinanceChargeValue->text(), w->txtTotalMoneyPaidValue->text(),
                w->txtNumberofPaymentsValue->text(), w->txtPayoffLength->text()};
    }

    QStringList gridRow(int row) const
    {
        QStringList cells;
        for (int column = 0; column < w->ClientDataSet1->columnCount(); ++column)
            cells << w->ClientDataSet1->data(w->ClientDataSet1->index(row, column)).toString();
        return cells;
    }

private slots:
    void init()
    {
        messages.clear();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void cleanup()
    {
        report::previewOpenHook = nullptr;
        report::ReportPreviewDialog::saveFileHook = nullptr;
        w.reset();
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(QLatin1Char('\n'))));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    // The calculation's number texts, and each read back as the number it shows.
    void numberTexts_data() { addLocaleRows(); }
    void numberTexts()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, group);
        QFETCH(QString, decimal);
        auto shown = [&](QStringView english) { return under(english, group, decimal); };

        QCOMPARE(calc::FormatNumber(dec("1234567.891"), 2, locale), shown(u"1,234,567.89"));
        QCOMPARE(calc::FormatNumber(dec("-999.995"), 2, locale), shown(u"-1,000.00"));
        QCOMPARE(calc::FormatNumber(1234.5L, 0, locale), shown(u"1,235"));
        QCOMPARE(calc::FormatFixed(dec("1234567.891"), 2, locale), shown(u"1234567.89"));
        QCOMPARE(calc::FormatFixed(-2.25L, 1, locale), shown(u"-2.3"));
        QCOMPARE(calc::FormatPattern(dec("-1234.5"), u"#,0.00;(#,0.00)", locale), shown(u"(1,234.50)"));
        QCOMPARE(calc::FormatPattern(dec("-1234.5"), u"#,0.00;-#,0.00", locale), shown(u"-1,234.50"));
        QCOMPARE(calc::FormatPattern(dec("1234567"), u"#,0;-#,0", locale), shown(u"1,234,567"));
        QCOMPARE(calc::FormatPattern(dec("2.5"), u"#,##0.0;(#,##0.0)", locale), shown(u"2.5"));

        struct Back { const char16_t *english; const char *number; };
        for (const Back &b : {Back{u"1,234,567.89", "1234567.89"}, Back{u"(1,234.50)", "-1234.5"},
                              Back{u"-1,000.00", "-1000"}, Back{u"1234567.89", "1234567.89"}}) {
            const auto parsed = calc::ParseNumberText(shown(b.english), locale);
            QVERIFY2(parsed, qPrintable(shown(b.english)));
            QCOMPARE(*parsed, dec(b.number));
        }
        // Another locale's decimal separator never reads as a decimal point.
        const QString foreign = decimal == QLatin1String(",") ? QStringLiteral("12.50") : QStringLiteral("12,50");
        const auto misread = calc::ParseNumberText(foreign, locale);
        QVERIFY(!misread || *misread != dec("12.5"));
    }

    // The window under each locale: fields, grid, the five results, the
    // report's printed fields, the MinPmt field and the pie's "Interest" slice
    // read from the window's own texts.
    void windowTexts_data() { addLocaleRows(); }
    void windowTexts()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, group);
        QFETCH(QString, decimal);
        auto shown = [&](QStringView english) { return under(english, group, decimal); };
        QLocale::setDefault(locale);
        makeWindow();
        QCOMPARE(w->numberLocale(), locale);

        QCOMPARE(w->edtBalance->text(), shown(u"2,100.00"));
        QCOMPARE(w->edtAPR->text(), shown(u"17.90"));
        QCOMPARE(w->edtMinPmtPct->text(), shown(u"2.5"));
        QCOMPARE(resultTexts(), (QStringList{shown(u"53.00"), shown(u"2,539.03"), shown(u"4,639.03"), "185",
                                             "15 Yrs 5 Mos"}));
        QCOMPARE(gridRow(0), (QStringList{"1", shown(u"2,100.00"), shown(u"53.00"), shown(u"31.33"), shown(u"21.67"),
                                          shown(u"2,078.33")}));

        // The report reads the texts by the locale that wrote them.
        QCOMPARE(std::get<double>(w->ppJITPipeline1GetFieldValue(QStringLiteral("MinPmt"))), 53.0);
        const QMap<QString, QString> printed = printedFields(*w);
        QCOMPARE(printed.value("Balance"), shown(u"2,100.00"));
        QCOMPARE(printed.value("APR"), shown(u"17.90"));
        QCOMPARE(printed.value("MinPmtPct"), shown(u"2.5"));
        QCOMPARE(printed.value("ExtraMoney"), shown(u"0.00"));
        QCOMPARE(printed.value("MinPmt"), shown(u"53.00"));
        QCOMPARE(printed.value("TotalInterestPaid"), shown(u"2,539.03"));
        QCOMPARE(printed.value("TotalMoneyPaid"), shown(u"4,639.03"));
        QCOMPARE(printed.value("NumberOfPayments"), QStringLiteral("185"));
        report::PayoffReport report;
        const report::FieldProvider fields = [this](const QString &name) {
            return w->ppJITPipeline1GetFieldValue(name);
        };
        report.ppTitleBand2BeforePrint(fields, w->numberLocale());
        QCOMPARE(report.series().slices().size(), size_t(2));
        QCOMPARE(report.series().slices()[0].value, 2100.0);
        QCOMPARE(report.series().slices()[1].value, 2539.03);

        // A field's value written and read back; a minimum payment with a
        // group separator still reaches the report as its number.
        w->edtMinPmtPct->setValue(10);
        w->edtBalance->setValue(dec("12345.67").toLongDouble());
        QCOMPARE(w->edtBalance->text(), shown(u"12,345.67"));
        QCOMPARE(double(w->edtBalance->value()), 12345.67);
        QCOMPARE(w->trkBalance->position(), 12346);
        QCOMPARE(w->txtMinPmtValue->text(), shown(u"1,235.00"));
        QCOMPARE(std::get<double>(w->ppJITPipeline1GetFieldValue(QStringLiteral("MinPmt"))), 1235.0);
        QCOMPARE(printedFields(*w).value("MinPmt"), shown(u"1,235.00"));
        report.ppTitleBand2BeforePrint(fields, w->numberLocale());
        QCOMPARE(report.series().slices()[1].value, totalInterestFor(w->edtBalance->value(), 17.9L, 10));

        // A payment count with a group separator.
        w->edtBalance->setValue(50000);
        w->edtAPR->setValue(36);
        w->edtMinPmtPct->setValue(3.2L);
        QCOMPARE(w->txtNumberofPaymentsValue->text(), shown(u"2,452"));
        QCOMPARE(printedFields(*w).value("NumberOfPayments"), shown(u"2,452"));
        QCOMPARE(w->ClientDataSet1->data(w->ClientDataSet1->index(2451, 0)).toString(), shown(u"2,452"));
    }

    // The pop-up calculator: the engine's display and the real panel's
    // decimal key, clicked inside an entry.
    void popupCalculator_data() { addLocaleRows(); }
    void popupCalculator()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, group);
        QFETCH(QString, decimal);
        auto shown = [&](QStringView english) { return under(english, group, decimal); };

        calc::CalculatorEngine engine;
        engine.start(-1234.5L);
        QCOMPARE(engine.display(locale), shown(u"-1234.5")); // no grouping in the display
        engine.clear();
        for (QChar c : QStringLiteral("0,25"))
            engine.press(*calc::CalculatorEngine::keyForChar(c));
        QCOMPARE(engine.display(locale), shown(u"0.25"));

        QLocale::setDefault(locale);
        makeWindow();
        QString startDisplay;
        QString decimalKeyText;
        onPanel([&](PopupCalculator &panel) {
            startDisplay = panel.displayText();
            QToolButton *decimalKey = keyNamed(panel, QStringLiteral("Decimal separator"));
            if (!decimalKey)
                return;
            decimalKeyText = decimalKey->text();
            QTest::keyClicks(&panel, QStringLiteral("12"));
            QTest::mouseClick(decimalKey, Qt::LeftButton);
            QTest::keyClicks(&panel, QStringLiteral("5"));
            QTest::keyClick(&panel, Qt::Key_Return);
        });
        QTest::mouseClick(w->edtAPR, Qt::LeftButton);
        QCOMPARE(startDisplay, shown(u"17.9"));
        QCOMPARE(decimalKeyText, decimal);
        QCOMPARE(w->edtAPR->text(), shown(u"12.50"));
        QCOMPARE(w->trkAPR->position(), 1250);
        QCOMPARE(w->recalculationCount(), 2);
    }

    // Decimal numbers in the settings file: written with the locale's
    // separator and no grouping, read back under it, and read as 0 under a
    // locale with the other separator, there and through the window.
    void settingsNumbers_data() { addLocaleRows(); }
    void settingsNumbers()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, group);
        QFETCH(QString, decimal);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("orvanel.ini"));
        {
            IniStore store(path, {}, locale);
            QVERIFY(store.writeFloat("S", "Rate", 17.9L));
            QVERIFY(store.writeFloat("S", "Big", 49999.99L));
            QCOMPARE(store.readFloat("S", "Rate", -1), 17.9L);
        }
        const QByteArray text = readAll(path);
        QVERIFY2(text.contains(("Rate=17" + decimal + "9\n").toUtf8()), text.constData());
        QVERIFY2(text.contains(("Big=49999" + decimal + "99\n").toUtf8()), text.constData());
        QCOMPARE(IniStore(path, {}, locale).readFloat("S", "Big", -1), 49999.99L);
        QCOMPARE(IniStore(path, {}, otherSeparatorLocale(decimal)).readFloat("S", "Rate", 0), 0.0L);

        // A window closed under the locale, started again under it and under
        // the other separator: the whole-number entries read either way, the
        // rate only under its own separator (applied as 0 otherwise).
        const QString windowFile = dir.filePath(QStringLiteral("window.ini"));
        QLocale::setDefault(locale);
        {
            IniStore settings(windowFile, {}, QLocale::c()); // the window sets its own locale
            makeWindow(&settings);
            w->edtMinPmtPct->setValue(3);
            w->close();
            w.reset();
        }
        QVERIFY(readAll(windowFile).contains(("edtAPR.Value=17" + decimal + "9\n").toUtf8()));
        for (const bool sameLocale : {true, false}) {
            QLocale::setDefault(sameLocale ? locale : otherSeparatorLocale(decimal));
            IniStore settings(windowFile, {}, QLocale::c());
            TfrmMinPmt again(nullptr, &settings);
            QCOMPARE(double(again.edtBalance->value()), 2100.0);
            QCOMPARE(double(again.edtMinPmtPct->value()), 3.0);
            QCOMPARE(double(again.edtAPR->value()), sameLocale ? 17.9 : 0.0);
            QCOMPARE(again.trkAPR->position(), sameLocale ? 1790 : 0);
        }
        Q_UNUSED(group);
    }

    // The desktop's regional settings change while the window runs: the texts
    // on screen take the new separators at once, and the next calculation,
    // the next report and the settings file use them.
    void liveLocaleChange_data()
    {
        QTest::addColumn<QLocale>("from");
        addLocaleColumns();
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale de(QLocale::German, QLocale::Germany);
        QTest::newRow("en_US to de_DE") << us << de << "." << ",";
        QTest::newRow("en_US to fr_FR") << us << QLocale(QLocale::French, QLocale::France) << NarrowNoBreakSpace
                                        << ",";
        QTest::newRow("de_DE to de_CH") << de << QLocale(QLocale::German, QLocale::Switzerland) << RightQuote << ".";
        QTest::newRow("de_DE to C") << de << QLocale::c() << "," << ".";
    }
    void liveLocaleChange()
    {
        QFETCH(QLocale, from);
        QFETCH(QLocale, locale);
        QFETCH(QString, group);
        QFETCH(QString, decimal);
        auto shown = [&](QStringView english) { return under(english, group, decimal); };
        QTemporaryDir dir;
        const QString settingsPath = dir.filePath(QStringLiteral("orvanel.ini"));
        IniStore settings(settingsPath, {}, from);
        QLocale::setDefault(from);
        makeWindow(&settings);

        // The desktop announces new regional settings.
        QLocale::setDefault(locale);
        w->desktopLocale = [locale] { return locale; };
        QEvent change(QEvent::LocaleChange);
        QCoreApplication::sendEvent(qApp, &change);
        QCOMPARE(w->numberLocale(), locale);
        QCOMPARE(settings.locale(), locale);
        QCOMPARE(w->edtBalance->text(), shown(u"2,100.00"));
        QCOMPARE(w->txtTotalFinanceChargeValue->text(), shown(u"2,539.03"));
        QCOMPARE(w->recalculationCount(), 1); // re-writing the texts calculates nothing

        // The next calculation.
        w->edtBalance->setCalculatorRunner([](NumericEdit &) { return std::optional<long double>(3456.78L); });
        QTest::mouseClick(w->edtBalance, Qt::LeftButton);
        QCOMPARE(w->recalculationCount(), 2);
        QCOMPARE(w->edtBalance->text(), shown(u"3,456.78"));
        QCOMPARE(w->trkBalance->position(), 3457);
        const double interest = totalInterestFor(3456.78L, 17.9L, 2.5L);
        QCOMPARE(interest, 4547.88);
        const QString interestText = shown(u"4,547.88");
        QCOMPARE(w->txtMinPmtValue->text(), shown(u"86.00"));
        QCOMPARE(w->txtTotalFinanceChargeValue->text(), interestText);
        QCOMPARE(gridRow(0), (QStringList{"1", shown(u"3,456.78"), shown(u"86.00"), shown(u"51.56"), shown(u"34.44"),
                                          shown(u"3,422.34")}));

        // The next report: the Print button's preview, exported.
        const QString exported = dir.filePath(QStringLiteral("Report.pdf"));
        report::ReportPreviewDialog::saveFileHook = [&](QWidget *, const QString &) { return exported; };
        report::previewOpenHook = [&](report::ReportPreviewDialog &dialog) {
            dialog.show();
            QTRY_VERIFY(dialog.previewWidget()->pageCount() > 1);
            dialog.exportAction()->trigger();
            dialog.close();
        };
        w->RzBitBtn1->click();
        QCOMPARE(w->Report1->series().slices()[1].value, interest);
        // poppler extracts the narrow no-break space as a plain one.
        const QString titlePage = pdfPageText(exported, 1);
        for (QString value : {shown(u"3,456.78"), shown(u"17.90"), shown(u"2.5"), shown(u"86.00"), interestText}) {
            value.replace(NarrowNoBreakSpace, QStringLiteral(" "));
            QVERIFY2(titlePage.contains(value), qPrintable(value + QStringLiteral(" not in:\n") + titlePage));
        }
        QVERIFY(pdfPageText(exported, 2).contains(shown(u"3,422.34").replace(NarrowNoBreakSpace, " ")));
        // A grouped amount stands on its caption's line, whatever font draws
        // its group separator.
        const QList<PdfWord> words = pdfWords(exported, 1);
        const auto top = [&](const QString &word) {
            for (const PdfWord &w : words)
                if (w.text == word)
                    return w.top;
            return -1.0;
        };
        QCOMPARE(top(QStringLiteral("Paid:")), top(shown(u"4,547.88").section(NarrowNoBreakSpace, 0, 0)));
        QCOMPARE(top(QStringLiteral("Balance:")), top(shown(u"3,456.78").section(NarrowNoBreakSpace, 0, 0)));

        // The settings file, written at the close.
        w->close();
        w.reset();
        const QByteArray file = readAll(settingsPath);
        QVERIFY2(file.contains(("edtAPR.Value=17" + decimal + "9\n").toUtf8()), file.constData());
        QVERIFY2(file.contains(("edtBalance.Value=3456" + decimal + "78\n").toUtf8()), file.constData());
    }
};

QTEST_MAIN(TestLocales)
#include "tst_locales.moc"
