// A long session with the real calculator window: thousands of random user
// actions (slider keys and drags, calculator entries in range and out, the
// extra-money choice, the constant-payment box, resizes, the About window, a
// change of the regional settings and a PDF report now and then), checking after every action that what the
// window shows is what the calculation gives for the inputs it shows, and that
// resident memory stays flat over the session.
//
// The random generator's start value is logged at the start; a failure names
// the action and its number. Environment:
//   ORVANEL_SOAK_ACTIONS      actions to run (default 3000)
//   ORVANEL_SOAK_START        the generator's start value (default fixed)
//   ORVANEL_SOAK_REPORT_EVERY a PDF report every N actions (default 250)
//   ORVANEL_SOAK_RSS_SLACK_KB allowed growth of resident memory (the median
//                             of a sample every 50 actions) between the first
//                             and the last thousand actions (default 4096)
//   ORVANEL_SOAK_NO_RSS_CHECK set: resident memory is logged, not checked
// Under AddressSanitizer or valgrind resident memory says nothing about leaks
// (the sanitizer keeps freed memory in quarantine, valgrind its own heap), so
// the memory check only runs in a plain build; the leak checkers take its
// place there.

#include "app/appicon.h"
#include "app/inistore.h"
#include "app/tfrmabout.h"
#include "appfonts.h"
#include "calc/numbertext.h"
#include "calc/payoff.h"
#include "numericedit.h"
#include "radiogroup.h"
#include "report/reportpdf.h"
#include "schedulegrid.h"
#include "schedulemodel.h"
#include "tfrmminpmt.h"
#include "trackbar.h"

#include "../report/reportfixture.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define ORVANEL_SOAK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVANEL_SOAK_SANITIZED 1
#endif
#endif

namespace {

int envInt(const char *name, int fallback)
{
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok && v > 0 ? v : fallback;
}

// Resident memory of this process in KiB (/proc/self/statm, second field).
qint64 residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2)
        return -1;
    return fields[1].toLongLong() * (sysconf(_SC_PAGESIZE) / 1024);
}

// The middle sample (-1 without samples).
qint64 median(std::vector<qint64> samples)
{
    if (samples.empty())
        return -1;
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
}

bool isRangeMessage(const QString &msg)
{
    static const char *const firstLines[] = {
        "The Balance is too high", "The Balance is too low",
        "The Annual Percentage Rate is too high", "The Annual Percentage Rate is too low",
        "The Minimum Payment Percent is too high", "The Minimum Payment Percent is too low",
    };
    for (const char *line : firstLines)
        if (msg == QString::fromLatin1(line) + QStringLiteral("\r\n and will be adjusted automatically."))
            return true;
    return false;
}

QString describe(const calc::Decimal &d) { return d.toPlainString(); }

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<IniStore> m_settings;
    std::unique_ptr<TfrmMinPmt> w;
    QStringList m_messages;  // every message box text since the last action began
    QString m_action;        // what the current action does, for failure messages
    int m_step = 0;
    quint32 m_startValue = 0;
    QRandomGenerator m_random;

    struct Linked
    {
        NumericEdit *edit;
        TrackBar *bar;
        QLabel *caption;
        int scale;      // slider units per input unit, as a power of ten
        int decimals;   // decimals of the input's display format
    };
    std::vector<Linked> m_linked;

    // Counters for the closing log line.
    int m_counts[10] = {};
    int m_reports = 0;
    int m_rangeMessages = 0;

    // Whether the calculation may refuse the inputs shown (see restProblem).
    // poppler's text extraction, when installed: the report's title page is
    // then read back.
    const QString m_pdfToText = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));

    QString where() const
    {
        return QStringLiteral("action %1 (%2), start value %3").arg(m_step).arg(m_action).arg(m_startValue);
    }

    int bounded(int lowest, int highest) { return int(m_random.bounded(lowest, highest + 1)); }

    QStringList resultTexts() const
    {
        return {w->txtMinPmtValue->text(), w->txtTotalFinanceChargeValue->text(), w->txtTotalMoneyPaidValue->text(),
                w->txtNumberofPaymentsValue->text(), w->txtPayoffLength->text()};
    }

    // While a slider is held, the results are blank: no text, no row.
    QString blankProblem() const
    {
        for (const QString &t : resultTexts())
            if (!t.isEmpty())
                return QStringLiteral("a result text shows \"%1\" while the slider is held").arg(t);
        if (w->ClientDataSet1->rowCount() != 0 || w->RzDBGrid1->model()->rowCount() != 0)
            return QStringLiteral("the grid holds %1 rows while the slider is held").arg(w->ClientDataSet1->rowCount());
        return {};
    }

    // At rest: every input inside its bounds, every slider where its input
    // puts it, and the grid and the five texts what the calculation gives for
    // the inputs shown.
    QString restProblem() const
    {
        const QLocale locale = w->numberLocale();
        for (const Linked &l : m_linked) {
            const long double v = l.edit->value();
            if (v < l.edit->min() || v > l.edit->max())
                return QStringLiteral("%1 shows %2 outside [%3, %4]")
                    .arg(l.edit->objectName(), l.edit->text())
                    .arg(double(l.edit->min()))
                    .arg(double(l.edit->max()));
            const int at = TfrmMinPmt::sliderPositionFor(l.edit->decimalValue(), l.scale, l.bar->minimum(), l.bar->maximum());
            if (l.bar->position() != at)
                return QStringLiteral("%1 at %2 for the input %3 (expected %4)")
                    .arg(l.bar->objectName())
                    .arg(l.bar->position())
                    .arg(l.edit->text())
                    .arg(at);
        }

        calc::PayoffInputs inputs;
        // The inputs as the fields show them.
        const auto balance = calc::ParseNumberText(w->edtBalance->text(), locale);
        const auto apr = calc::ParseNumberText(w->edtAPR->text(), locale);
        const auto percent = calc::ParseNumberText(w->edtMinPmtPct->text(), locale);
        if (!balance || !apr || !percent)
            return QStringLiteral("an input shows no number");
        inputs.Balance = *balance;
        inputs.APR = *apr;
        inputs.MinPmtPct = *percent;
        inputs.ExtraMoney = w->rgpExtraMoney->itemText().toInt();
        inputs.ConstantPayment = w->cbxConstantPayment->isChecked();
        const QString shown = QStringLiteral("balance %1, rate %2, percent %3, extra %4, constant %5")
                                  .arg(describe(inputs.Balance), describe(inputs.APR), describe(inputs.MinPmtPct))
                                  .arg(inputs.ExtraMoney)
                                  .arg(inputs.ConstantPayment);

        std::vector<calc::ScheduleRow> expected;
        calc::PayoffSummary summary;
        try {
            summary = calc::CalculatePayoff(inputs, w->AbsoluteMinimumPayment(),
                                            [&](const calc::ScheduleRow &row) { expected.push_back(row); });
        } catch (const calc::PayoffError &error) {
            // The window's own corrections keep such inputs out.
            return QStringLiteral("the inputs shown (%1) are refused: %2").arg(shown, QString::fromUtf8(error.what()));
        }

        const std::vector<calc::ScheduleRow> &rows = w->ClientDataSet1->rows();
        if (rows.size() != expected.size() || w->RzDBGrid1->model()->rowCount() != int(expected.size()))
            return QStringLiteral("%1 rows in the table, %2 in the grid, %3 expected for %4")
                .arg(rows.size())
                .arg(w->RzDBGrid1->model()->rowCount())
                .arg(expected.size())
                .arg(shown);
        for (size_t i = 0; i < rows.size(); ++i) {
            const calc::ScheduleRow &a = rows[i];
            const calc::ScheduleRow &e = expected[i];
            if (a.Pmt != e.Pmt || a.Balance != e.Balance || a.Payment != e.Payment || a.Interest != e.Interest
                || a.Principal != e.Principal || a.NewBalance != e.NewBalance)
                return QStringLiteral("row %1 differs for %2: new balance %3, expected %4")
                    .arg(i + 1)
                    .arg(shown, describe(a.NewBalance), describe(e.NewBalance));
        }
        // What the grid shows for the first, a middle and the last row.
        if (!expected.empty()) {
            const QAbstractItemModel *model = w->RzDBGrid1->model();
            for (const size_t i : {size_t(0), expected.size() / 2, expected.size() - 1}) {
                const calc::ScheduleRow &e = expected[i];
                const calc::Decimal cells[] = {calc::Decimal(e.Pmt), e.Balance, e.Payment, e.Interest, e.Principal,
                                               e.NewBalance};
                for (int c = 0; c < ScheduleModel::ColumnCount; ++c) {
                    const QString want = calc::FormatPattern(cells[c], ScheduleModel::displayFormat(c), locale);
                    const QString got = model->index(int(i), c).data().toString();
                    if (got.trimmed() != want)
                        return QStringLiteral("grid cell (%1, %2) shows \"%3\", expected \"%4\" for %5")
                            .arg(i + 1)
                            .arg(c)
                            .arg(got, want, shown);
                }
            }
        }

        const calc::SummaryTexts texts = calc::MakeSummaryTexts(summary, locale);
        // A calculation without rows leaves the minimum payment as it was: the
        // last one, or blank when a slider press cleared it.
        const QString minPmt = !expected.empty()                   ? texts.MinPmtValue
            : w->txtMinPmtValue->text().isEmpty() ? QString()
                                                  : calc::FormatNumber(w->MonthlyPayment(), 2, locale);
        const QStringList want{minPmt, texts.TotalFinanceChargeValue, texts.TotalMoneyPaidValue,
                               texts.NumberofPaymentsValue, texts.PayoffLength};
        if (resultTexts() != want)
            return QStringLiteral("results [%1], expected [%2] for %3")
                .arg(resultTexts().join(QStringLiteral(" | ")), want.join(QStringLiteral(" | ")), shown);
        if (!expected.empty() && w->MonthlyPayment() != expected.front().Payment)
            return QStringLiteral("MonthlyPayment %1, expected %2")
                .arg(describe(w->MonthlyPayment()), describe(expected.front().Payment));
        return {};
    }

    // Checks the state after an action; every message shown must be a range
    // message (anything else is the calculation refusing what the window let
    // through).
    bool checkAtRest()
    {
        for (const QString &msg : std::as_const(m_messages)) {
            if (!isRangeMessage(msg)) {
                QTest::qFail(qPrintable(QStringLiteral("unexpected message \"%1\" at %2").arg(msg, where())), __FILE__,
                             __LINE__);
                return false;
            }
        }
        m_rangeMessages += int(m_messages.size());
        const QString problem = restProblem();
        if (!problem.isEmpty()) {
            QTest::qFail(qPrintable(problem + QStringLiteral(" at ") + where()), __FILE__, __LINE__);
            return false;
        }
        return true;
    }

    bool checkBlank()
    {
        const QString problem = blankProblem();
        if (!problem.isEmpty()) {
            QTest::qFail(qPrintable(problem + QStringLiteral(" at ") + where()), __FILE__, __LINE__);
            return false;
        }
        return true;
    }

    // --- Actions. Each returns false after reporting a failure.

    // Keys on a slider: one to a few presses (as a held key repeats), then
    // the release.
    bool sliderKeys()
    {
        static const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,
                                       Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        const Linked &l = m_linked[bounded(0, 2)];
        const Qt::Key key = keys[bounded(0, 7)];
        const int presses = bounded(1, 4);
        m_action = QStringLiteral("key %1 x%2 on %3").arg(int(key), 0, 16).arg(presses).arg(l.bar->objectName());
        l.bar->setFocus(Qt::MouseFocusReason);
        for (int i = 0; i < presses; ++i) {
            QTest::keyPress(l.bar, key);
            if (!checkBlank())
                return false;
        }
        QTest::keyRelease(l.bar, key);
        return true;
    }

    // A drag: press somewhere on the slider, move a few times, release.
    bool sliderDrag()
    {
        const Linked &l = m_linked[bounded(0, 2)];
        const int y = l.bar->height() - 6;
        QPoint at(bounded(0, l.bar->width() - 1), y);
        m_action = QStringLiteral("drag on %1 from x %2").arg(l.bar->objectName()).arg(at.x());
        // The input follows the thumb once it moves (a press on the thumb
        // where it stands changes nothing).
        bool moved = false;
        const QMetaObject::Connection follow =
            connect(l.bar, &TrackBar::changed, this, [&moved] { moved = true; });
        const auto disconnectFollow = qScopeGuard([&follow] { disconnect(follow); });
        QTest::mousePress(l.bar, Qt::LeftButton, {}, at);
        if (!checkBlank())
            return false;
        const int moves = bounded(0, 3);
        for (int i = 0; i < moves; ++i) {
            at.setX(bounded(-20, l.bar->width() + 20)); // the pointer may leave the slider
            QTest::mouseMove(l.bar, at);
            if (!checkBlank())
                return false;
            if (!moved)
                continue;
            const calc::Decimal shown = calc::Decimal(l.bar->position(), l.scale);
            const auto read = calc::ParseNumberText(l.edit->text(), l.edit->numberLocale());
            if (!read || *read != shown) {
                QTest::qFail(qPrintable(QStringLiteral("%1 shows %2 for slider position %3 at %4")
                                            .arg(l.edit->objectName(), l.edit->text())
                                            .arg(l.bar->position())
                                            .arg(where())),
                             __FILE__, __LINE__);
                return false;
            }
        }
        QTest::mouseRelease(l.bar, Qt::LeftButton, {}, at);
        return true;
    }

    // A value typed into the pop-up calculator and accepted (or cancelled),
    // entered by clicking the field as the user does.
    bool calculatorEntry(int kind)
    {
        const Linked &l = m_linked[bounded(0, 2)];
        const long double unit = std::pow(10.0L, -l.decimals);
        const long double lo = l.edit->min();
        const long double hi = l.edit->max();
        std::optional<long double> value;
        if (kind == 0) { // in range, at the field's decimals
            const qint64 steps = qint64(std::llround((hi - lo) / unit));
            value = lo + (steps > 0 ? m_random.bounded(steps + 1) : 0) * unit;
            if (*value > hi)
                value = hi;
        } else if (kind == 1) { // above the range
            value = hi + unit * (1 + m_random.bounded(100000));
        } else if (kind == 2) { // below the range
            value = lo - unit * (1 + m_random.bounded(100000));
        } // kind 3: cancelled
        m_action = QStringLiteral("calculator on %1 gives %2")
                       .arg(l.edit->objectName(),
                            value ? QString::number(double(*value), 'f', l.decimals + 1) : QStringLiteral("cancel"));
        bool ran = false;
        l.edit->setCalculatorRunner([&ran, value](NumericEdit &) {
            ran = true;
            return value;
        });
        QTest::mouseClick(l.edit, Qt::LeftButton, {}, QPoint(l.edit->width() / 2, l.edit->height() / 2));
        l.edit->setCalculatorRunner(nullptr);
        if (!ran) {
            QTest::qFail(qPrintable(QStringLiteral("the click did not open the calculator at ") + where()), __FILE__,
                         __LINE__);
            return false;
        }
        if (QApplication::focusWidget() != l.caption) {
            QTest::qFail(qPrintable(QStringLiteral("the focus did not return to the caption at ") + where()), __FILE__,
                         __LINE__);
            return false;
        }
        if (kind == 1 || kind == 2) {
            if (m_messages.isEmpty()) {
                QTest::qFail(qPrintable(QStringLiteral("no range message at ") + where()), __FILE__, __LINE__);
                return false;
            }
        }
        return true;
    }

    bool extraMoney()
    {
        const int index = bounded(0, w->rgpExtraMoney->count() - 1);
        m_action = QStringLiteral("extra money %1").arg(w->rgpExtraMoney->items().value(index));
        QTest::mouseClick(w->rgpExtraMoney->button(index), Qt::LeftButton);
        if (w->rgpExtraMoney->itemIndex() != index) {
            QTest::qFail(qPrintable(QStringLiteral("the click did not select the item at ") + where()), __FILE__,
                         __LINE__);
            return false;
        }
        return true;
    }

    bool constantPayment()
    {
        const bool before = w->cbxConstantPayment->isChecked();
        m_action = QStringLiteral("constant payment click");
        QTest::mouseClick(w->cbxConstantPayment, Qt::LeftButton, {}, QPoint(6, w->cbxConstantPayment->height() / 2));
        if (w->cbxConstantPayment->isChecked() == before) {
            QTest::qFail(qPrintable(QStringLiteral("the click did not toggle the box at ") + where()), __FILE__,
                         __LINE__);
            return false;
        }
        return true;
    }

    bool resize()
    {
        const QSize size(bounded(600, 1400), bounded(450, 1100));
        m_action = QStringLiteral("resize to %1 x %2").arg(size.width()).arg(size.height());
        w->resize(size);
        return true;
    }

    // The desktop's regional settings change: the same numbers, other
    // separators.
    bool regionalSettings()
    {
        static const QLocale locales[] = {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                          QLocale(QLocale::German, QLocale::Germany),
                                          QLocale(QLocale::French, QLocale::France),
                                          QLocale(QLocale::German, QLocale::Switzerland)};
        const QLocale &locale = locales[bounded(0, 4)];
        m_action = QStringLiteral("regional settings ") + locale.name();
        w->setNumberLocale(locale);
        return true;
    }

    bool aboutAction()
    {
        m_action = QStringLiteral("About");
        bool shown = false;
        // The About window is modal: close it from inside its own loop.
        QTimer::singleShot(0, w.get(), [&shown] {
            if (frmAbout && frmAbout->isVisible()) {
                shown = true;
                frmAbout->RzButton1->click();
            }
        });
        w->About2->trigger();
        if (!shown || !frmAbout || frmAbout->isVisible()) {
            QTest::qFail(qPrintable(QStringLiteral("the About window was not shown and closed at ") + where()),
                         __FILE__, __LINE__);
            return false;
        }
        w->activateWindow();
        return true;
    }

    // The printed report of what the window shows, as PDF.
    bool writeReport()
    {
        m_action = QStringLiteral("report");
        const QString path = m_dir.filePath(QStringLiteral("soak.pdf"));
        QString error;
        const bool ok = report::WriteReportPdf(
            path, [this](const QString &name) { return w->ppJITPipeline1GetFieldValue(name); },
            w->ClientDataSet1->rows(), &error, {w->numberLocale(), QDate(2024, 3, 1)});
        QFile pdf(path);
        if (!ok || !pdf.open(QIODevice::ReadOnly) || !pdf.read(5).startsWith("%PDF-") || pdf.size() < 1000) {
            QTest::qFail(qPrintable(QStringLiteral("no report written (%1) at ").arg(error) + where()), __FILE__,
                         __LINE__);
            return false;
        }
        // The title page prints the summary the window shows (the same
        // digits; the report writes the numbers through its own formats).
        // Without rows the report is one blank page.
        if (!m_pdfToText.isEmpty() && w->ClientDataSet1->rowCount() == 0) {
            if (reporttest::PdfPages(path) != 1) {
                QTest::qFail(qPrintable(QStringLiteral("a report without rows is not one page at ") + where()),
                             __FILE__, __LINE__);
                return false;
            }
        } else if (!m_pdfToText.isEmpty()) {
            const QString page = reporttest::PdfPageText(path, 1);
            const std::pair<const char *, QLabel *> summary[] = {
                {"Minimum Payment:", w->txtMinPmtValue},
                {"Total Interest Paid:", w->txtTotalFinanceChargeValue},
                {"Total Money Paid:", w->txtTotalMoneyPaidValue},
                {"Number of Payments:", w->txtNumberofPaymentsValue},
                {"Length of Payoff Time:", w->txtPayoffLength},
            };
            for (const auto &[caption, label] : summary) {
                const QString printed = printedAfter(page, QString::fromLatin1(caption));
                const bool numeric = label != w->txtPayoffLength;
                const QString want = numeric ? digitsOf(label->text()) : label->text().simplified();
                const QString got = numeric ? digitsOf(printed) : printed;
                if (got != want) {
                    QTest::qFail(qPrintable(QStringLiteral("the report prints \"%1 %2\", the window shows \"%3\" (%4 rows) at ")
                                                .arg(QString::fromLatin1(caption), printed, label->text())
                                                .arg(w->ClientDataSet1->rowCount())
                                            + where()),
                                 __FILE__, __LINE__);
                    return false;
                }
            }
        }
        ++m_reports;
        return true;
    }

    // What a line of the page text holds after the caption, simplified.
    static QString printedAfter(const QString &page, const QString &caption)
    {
        for (const QString &line : page.split(QLatin1Char('\n'))) {
            const qsizetype at = line.indexOf(caption);
            if (at >= 0)
                return line.mid(at + caption.size()).simplified();
        }
        return QStringLiteral("(no line)");
    }

    static QString digitsOf(const QString &text)
    {
        QString digits;
        for (const QChar c : text)
            if (c.isDigit())
                digits += c;
        return digits;
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(m_dir.isValid());
        // As start-up does.
        appfonts::registerTahoma();
        QApplication::setWindowIcon(ApplicationIcon());
    }

    void longSession()
    {
        const int actions = envInt("ORVANEL_SOAK_ACTIONS", 3000);
        const int reportEvery = envInt("ORVANEL_SOAK_REPORT_EVERY", 250);
        const qint64 slackKiB = envInt("ORVANEL_SOAK_RSS_SLACK_KB", 4096);
        bool ok = false;
        m_startValue = quint32(qEnvironmentVariable("ORVANEL_SOAK_START").toUInt(&ok));
        if (!ok)
            m_startValue = 20240301u;
        m_random = QRandomGenerator(m_startValue);
        qInfo("soak: %d actions, start value %u (ORVANEL_SOAK_START), a report every %d", actions, m_startValue,
              reportEvery);

        // The window as start-up makes it: with a settings file and the About window.
        m_settings = std::make_unique<IniStore>(m_dir.filePath(QStringLiteral("orvanel.ini")), QString(), QLocale());
        w = std::make_unique<TfrmMinPmt>(nullptr, m_settings.get());
        auto about = std::make_unique<TfrmAbout>(w.get(), w.get());
        frmAbout = about.release(); // owned by the window
        w->messageDialogHook = [this](const QString &msg, QMessageBox::Icon, QMessageBox::StandardButtons) {
            m_messages << msg;
            return int(QMessageBox::Ok);
        };
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        m_linked = {{w->edtBalance, w->trkBalance, w->txtBalance, 0, 2},
                    {w->edtAPR, w->trkAPR, w->txtAPR, 2, 2},
                    {w->edtMinPmtPct, w->trkMinPmtPct, w->txtMinPmtPct, 1, 1}};
        m_step = 0;
        m_action = QStringLiteral("start");
        QVERIFY(checkAtRest());

        const int window = qMin(1000, actions / 2);
        std::vector<qint64> firstSamples, lastSamples;
        QElapsedTimer clock;
        clock.start();
        for (m_step = 1; m_step <= actions; ++m_step) {
            m_messages.clear();
            m_action.clear();
            const int roll = bounded(0, 99);
            int kind;
            bool done;
            if (roll < 20) {
                kind = 0;
                done = sliderKeys();
            } else if (roll < 38) {
                kind = 1;
                done = sliderDrag();
            } else if (roll < 58) {
                kind = 2;
                done = calculatorEntry(0);
            } else if (roll < 66) {
                kind = 3;
                done = calculatorEntry(bounded(1, 2));
            } else if (roll < 69) {
                kind = 4;
                done = calculatorEntry(3);
            } else if (roll < 79) {
                kind = 5;
                done = extraMoney();
            } else if (roll < 88) {
                kind = 6;
                done = constantPayment();
            } else if (roll < 95) {
                kind = 7;
                done = resize();
            } else if (roll < 97) {
                kind = 9;
                done = regionalSettings();
            } else {
                kind = 8;
                done = aboutAction();
            }
            if (!done)
                return;
            ++m_counts[kind];
            QCoreApplication::processEvents(); // the repaints that follow
            // A calculation between, or none: the results belong to the inputs.
            if (!checkAtRest())
                return;
            if (m_step % reportEvery == 1 && !writeReport())
                return;

            // Resident memory every 50 actions, with the heap's free pages
            // handed back first so that what stays is what is in use.
            if (m_step % 50 == 0) {
                malloc_trim(0);
                const qint64 rss = residentKiB();
                if (m_step <= window)
                    firstSamples.push_back(rss);
                if (m_step > actions - window)
                    lastSamples.push_back(rss);
            }
        }
        const qint64 firstRss = median(firstSamples);
        const qint64 lastRss = median(lastSamples);
        const qint64 ms = clock.elapsed();
        qInfo("soak: %d actions in %lld ms (%d slider keys, %d drags, %d calculator entries in range, %d out of "
              "range, %d cancelled, %d extra-money, %d constant-payment, %d resizes, %d About, %d locale changes), "
              "%d calculations, "
              "%d range messages, %d reports",
              actions, ms, m_counts[0], m_counts[1], m_counts[2], m_counts[3], m_counts[4], m_counts[5], m_counts[6],
              m_counts[7], m_counts[8], m_counts[9], w->recalculationCount(), m_rangeMessages, m_reports);
        qInfo("soak: resident memory (median) %lld KiB over the first %d actions, %lld KiB over the last %d (%+lld KiB)",
              firstRss, window, lastRss, window, lastRss - firstRss);

        // The close writes the settings file.
        w->close();
        QVERIFY(QFile::exists(m_settings->fileName()));
        w.reset();
        QVERIFY(!frmAbout);
        m_settings.reset();
#ifndef ORVANEL_SOAK_SANITIZED
        if (!qEnvironmentVariableIsSet("ORVANEL_SOAK_NO_RSS_CHECK"))
            QVERIFY2(lastRss - firstRss <= slackKiB,
                     qPrintable(QStringLiteral("resident memory grew by %1 KiB (allowed %2)")
                                    .arg(lastRss - firstRss)
                                    .arg(slackKiB)));
#endif
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
