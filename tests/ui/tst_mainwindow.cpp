#include "anchoredpanel.h"
#include "numericedit.h"
#include "radiogroup.h"
#include "schedulegrid.h"
#include "schedulemodel.h"
#include "tfrmminpmt.h"
#include "trackbar.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

namespace {

QString rangeMessage(const char *firstLine)
{
    return QString::fromLatin1(firstLine) + QStringLiteral("\r\n and will be adjusted automatically.");
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TfrmMinPmt> w;
    QStringList messages;   // texts MessageDlg was asked to show
    QList<QMessageBox::Icon> messageKinds;

    // Opens the calculator of `edit` as a click does, with `result` as what
    // the user does in it (nullopt: cancel).
    void useCalculator(NumericEdit *edit, std::optional<long double> result)
    {
        edit->setCalculatorRunner([result](NumericEdit &) { return result; });
        QTest::mouseClick(edit, Qt::LeftButton);
    }

    QStringList resultTexts() const
    {
        return {w->txtMinPmtValue->text(), w->txtTotalFinanceChargeValue->text(), w->txtTotalMoneyPaidValue->text(),
                w->txtNumberofPaymentsValue->text(), w->txtPayoffLength->text()};
    }

    bool resultsBlank() const
    {
        for (const QString &t : resultTexts())
            if (!t.isEmpty())
                return false;
        return w->ClientDataSet1->rowCount() == 0;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        messages.clear();
        messageKinds.clear();
        w = std::make_unique<TfrmMinPmt>();
        w->messageDialogHook = [this](const QString &msg, QMessageBox::Icon kind, QMessageBox::StandardButtons) {
            messages << msg;
            messageKinds << kind;
            return int(QMessageBox::Ok);
        };
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }

    void cleanup() { w.reset(); }

    void startState()
    {
        QCOMPARE(w->objectName(), QStringLiteral("frmMinPmt"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Orvanel"));
        QCOMPARE(resultTexts(), (QStringList{"53.00", "2,539.03", "4,639.03", "185", "15 Yrs 5 Mos"}));
        QCOMPARE(w->ClientDataSet1->rowCount(), 185);
        QCOMPARE(w->RzDBGrid1->currentIndex().row(), 0);
        QCOMPARE(QApplication::focusWidget(), w->txtBalance);
        QCOMPARE(w->recalculationCount(), 1);
        QVERIFY(messages.isEmpty());
        QCOMPARE(w->edtBalance->text(), QStringLiteral("2,100.00"));
        QCOMPARE(w->edtAPR->text(), QStringLiteral("17.90"));
        QCOMPARE(w->edtMinPmtPct->text(), QStringLiteral("2.5"));
        QCOMPARE(w->trkBalance->position(), 2100);
        QCOMPARE(w->trkAPR->position(), 1790);
        QCOMPARE(w->trkMinPmtPct->position(), 25);
        QCOMPARE(double(w->edtMinPmtPct->min()), 1.7); // the floor for 2,100.00 at 17.9 %
        QCOMPARE(w->rgpExtraMoney->itemIndex(), 0);
        QVERIFY(!w->cbxConstantPayment->isChecked());
        QCOMPARE(w->AbsoluteMinimumPayment(), calc::Decimal(15));
        QCOMPARE(w->MonthlyPayment(), calc::Decimal(53));
    }

    // A value accepted from a calculator: range message (exact text), the
    // corrected text, the slider and the number of calculations.
    void acceptCalculatorValue_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<double>("accepted");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("slider");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("calculations");
        QTest::addColumn<QString>("firstPayment");

        QTest::newRow("balance too high") << "edtBalance" << 60000.0 << "50,000.00" << 50000
                                          << QStringList{rangeMessage("The Balance is too high")} << 2 << "1,250.00";
        QTest::newRow("balance negative") << "edtBalance" << -5.0 << "0.00" << 0
                                          << QStringList{rangeMessage("The Balance is too low")} << 2 << "53.00";
        // 36 % lifts the percent floor to 3.2: a second message, nested once more.
        QTest::newRow("rate too high, then percent below the new floor")
            << "edtAPR" << 40.0 << "36.00" << 3600
            << QStringList{rangeMessage("The Annual Percentage Rate is too high"),
                           rangeMessage("The Minimum Payment Percent is too low")}
            << 3 << "67.00";
        QTest::newRow("rate negative") << "edtAPR" << -1.0 << "0.00" << 0
                                       << QStringList{rangeMessage("The Annual Percentage Rate is too low")} << 2 << "53.00";
        QTest::newRow("percent negative") << "edtMinPmtPct" << -1.0 << "1.7" << 17
                                          << QStringList{rangeMessage("The Minimum Payment Percent is too low")} << 2 << "36.00";
        QTest::newRow("percent too high") << "edtMinPmtPct" << 120.0 << "100.0" << 120
                                          << QStringList{rangeMessage("The Minimum Payment Percent is too high")} << 2
                                          << "2,100.00";
        QTest::newRow("percent 15 stays, slider at its end")
            << "edtMinPmtPct" << 15.0 << "15.0" << 120 << QStringList() << 1 << "315.00";
        QTest::newRow("2,100.50 rounds to the even 2100") << "edtBalance" << 2100.5 << "2,100.50" << 2100 << QStringList()
                                                          << 1 << "53.00";
        QTest::newRow("2,101.50 rounds to the even 2102") << "edtBalance" << 2101.5 << "2,101.50" << 2102 << QStringList()
                                                          << 1 << "53.00";
        QTest::newRow("rate 17.95 to position 1795") << "edtAPR" << 17.95 << "17.95" << 1795 << QStringList() << 1
                                                     << "53.00";
    }

    void acceptCalculatorValue()
    {
        QFETCH(QString, input);
        QFETCH(double, accepted);
        QFETCH(QString, text);
        QFETCH(int, slider);
        QFETCH(QStringList, shown);
        QFETCH(int, calculations);
        QFETCH(QString, firstPayment);

        auto *edit = w->findChild<NumericEdit *>(input);
        QVERIFY(edit);
        auto *bar = w->findChild<TrackBar *>(QStringLiteral("trk") + input.mid(3));
        auto *caption = w->findChild<QLabel *>(QStringLiteral("txt") + input.mid(3));
        const int before = w->recalculationCount();

        useCalculator(edit, accepted);

        QCOMPARE(messages, shown);
        for (QMessageBox::Icon kind : std::as_const(messageKinds))
            QCOMPARE(kind, QMessageBox::Critical);
        QCOMPARE(edit->text(), text);
        QCOMPARE(bar->position(), slider);
        QCOMPARE(w->recalculationCount() - before, calculations);
        QCOMPARE(w->txtMinPmtValue->text(), firstPayment);
        QCOMPARE(QApplication::focusWidget(), caption);
    }

    void cancelledCalculatorChangesNothing()
    {
        const QStringList results = resultTexts();
        useCalculator(w->edtAPR, std::nullopt);
        QCOMPARE(w->edtAPR->text(), QStringLiteral("17.90"));
        QCOMPARE(w->trkAPR->position(), 1790);
        QCOMPARE(resultTexts(), results);
        QCOMPARE(w->recalculationCount(), 1);
        QVERIFY(messages.isEmpty());
        QCOMPARE(QApplication::focusWidget(), w->txtAPR);
    }

    // A balance of 10.00 lifts the percent floor to 150.0 %: the percent is
    // reported too low once and raised, and Max rises with it for good.
    void smallBalanceLiftsFloorAndMax()
    {
        useCalculator(w->edtBalance, 10.0L);
        QCOMPARE(messages, QStringList{rangeMessage("The Minimum Payment Percent is too low")});
        QCOMPARE(w->edtMinPmtPct->text(), QStringLiteral("150.0"));
        QCOMPARE(double(w->edtMinPmtPct->max()), 150.0);
        QCOMPARE(w->trkMinPmtPct->position(), 120);
        QCOMPARE(resultTexts(), (QStringList{"10.15", "0.15", "10.15", "1", "1 Mo"}));

        messages.clear();
        useCalculator(w->edtBalance, 2100.0L);
        QVERIFY(messages.isEmpty());
        QCOMPARE(w->edtMinPmtPct->text(), QStringLiteral("150.0"));
        QCOMPARE(double(w->edtMinPmtPct->max()), 150.0);
    }

    // The correction inside the range message runs the change handler again:
    // one beep and message, two complete calculations, the second with the
    // corrected value.
    void nestedCorrectionCalculatesTwice()
    {
        QSignalSpy spy(w.get(), &TfrmMinPmt::recalculated);
        QStringList shownAtEachCalculation;
        connect(w.get(), &TfrmMinPmt::recalculated, this,
                [&] { shownAtEachCalculation << w->txtTotalMoneyPaidValue->text(); });
        useCalculator(w->edtBalance, 60000.0L);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(shownAtEachCalculation[0], shownAtEachCalculation[1]);
        QCOMPARE(w->edtBalance->text(), QStringLiteral("50,000.00"));
    }

    // A slider's own moves only copy its position into the input.
    void sliderMoveCopiesWithoutCalculating_data()
    {
        QTest::addColumn<QString>("slider");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("text");
        QTest::newRow("rate") << "trkAPR" << 1791 << "17.91";
        QTest::newRow("percent") << "trkMinPmtPct" << 26 << "2.6";
        QTest::newRow("balance") << "trkBalance" << 50000 << "50,000.00";
        QTest::newRow("percent below the floor") << "trkMinPmtPct" << 5 << "0.5";
    }

    void sliderMoveCopiesWithoutCalculating()
    {
        QFETCH(QString, slider);
        QFETCH(int, position);
        QFETCH(QString, text);
        auto *bar = w->findChild<TrackBar *>(slider);
        auto *edit = w->findChild<NumericEdit *>(QStringLiteral("edt") + slider.mid(3));
        bar->setPosition(position);
        QCOMPARE(edit->text(), text);
        QCOMPARE(w->recalculationCount(), 1);
        QVERIFY(messages.isEmpty());
        QVERIFY(edit->accessibleName().endsWith(text));
    }

    // Releasing the percent slider below the floor: the calculation reports
    // the percent too low and moves the slider to the floor.
    void percentReleasedBelowFloorIsRaised()
    {
        w->trkMinPmtPct->setPosition(5);
        w->trkMinPmtPctMouseUp();
        QCOMPARE(messages, QStringList{rangeMessage("The Minimum Payment Percent is too low")});
        QCOMPARE(w->edtMinPmtPct->text(), QStringLiteral("1.7"));
        QCOMPARE(w->trkMinPmtPct->position(), 17);
        QCOMPARE(w->txtMinPmtValue->text(), QStringLiteral("36.00"));
    }

    void sliderKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("balance");
        QTest::newRow("right") << int(Qt::Key_Right) << "2,101.00";
        QTest::newRow("up") << int(Qt::Key_Up) << "2,101.00";
        QTest::newRow("left") << int(Qt::Key_Left) << "2,099.00";
        QTest::newRow("down") << int(Qt::Key_Down) << "2,099.00";
        QTest::newRow("page up") << int(Qt::Key_PageUp) << "2,200.00";
        QTest::newRow("page down") << int(Qt::Key_PageDown) << "2,000.00";
        QTest::newRow("home") << int(Qt::Key_Home) << "0.00";
        QTest::newRow("end") << int(Qt::Key_End) << "50,000.00";
    }

    // Each key press blanks the results, each release recalculates.
    void sliderKeys()
    {
        QFETCH(int, key);
        QFETCH(QString, balance);
        w->trkBalance->setFocus();
        QTest::keyPress(w->trkBalance, Qt::Key(key));
        QCOMPARE(w->edtBalance->text(), balance);
        QVERIFY(resultsBlank());
        QCOMPARE(w->recalculationCount(), 1);
        QTest::keyRelease(w->trkBalance, Qt::Key(key));
        QCOMPARE(w->recalculationCount(), 2);
        QVERIFY(!w->txtTotalMoneyPaidValue->text().isEmpty());
        QVERIFY(w->ClientDataSet1->rowCount() > 0 || balance == QLatin1String("0.00"));
    }

    void mousePressBlanksReleaseFills()
    {
        const QPoint at(w->trkAPR->tickX(2400), w->trkAPR->height() - 6);
        QTest::mousePress(w->trkAPR, Qt::LeftButton, {}, at);
        QVERIFY(resultsBlank());
        QCOMPARE(w->RzDBGrid1->columnWidth(5), 93); // kept until the release recalculates
        QVERIFY(qAbs(w->trkAPR->position() - 2400) < 20); // the thumb jumped under the pointer
        QCOMPARE(w->edtAPR->text(), QString::number(w->trkAPR->position() / 100.0, 'f', 2));
        QTest::mouseRelease(w->trkAPR, Qt::LeftButton, {}, at);
        QCOMPARE(w->recalculationCount(), 2);
        QVERIFY(!resultsBlank());
        QCOMPARE(w->txtMinPmtValue->text(), QStringLiteral("53.00"));
    }

    void extraMoneyAndConstantPaymentRecalculate()
    {
        w->rgpExtraMoney->setItemIndex(6); // "50"
        QCOMPARE(w->ExtraMoney(), 50);
        QCOMPARE(resultTexts(), (QStringList{"103.00", "529.30", "2,629.30", "35", "2 Yrs 11 Mos"}));
        w->rgpExtraMoney->setItemIndex(0);
        QTest::mouseClick(w->cbxConstantPayment, Qt::LeftButton);
        QCOMPARE(resultTexts(), (QStringList{"53.00", "1,100.63", "3,200.63", "61", "5 Yrs 1 Mo"}));
        QCOMPARE(w->recalculationCount(), 4);
    }

    // The last column fits the vertical scroll bar, which shows for two or
    // more rows only.
    void gridScrollBarRule_data()
    {
        QTest::addColumn<double>("balance");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("scrollBar");
        QTest::addColumn<int>("lastWidth");
        QTest::newRow("none") << 0.0 << 0 << false << 110;
        QTest::newRow("one") << 10.0 << 1 << false << 110;
        QTest::newRow("two") << 20.0 << 2 << true << 93;
        QTest::newRow("many") << 2100.0 << 185 << true << 93;
    }

    void gridScrollBarRule()
    {
        QFETCH(double, balance);
        QFETCH(int, rows);
        QFETCH(bool, scrollBar);
        QFETCH(int, lastWidth);
        // A tall window: the rule does not depend on whether the rows fit.
        w->resize(w->width(), 1000);
        useCalculator(w->edtBalance, balance);
        QCOMPARE(w->ClientDataSet1->rowCount(), rows);
        QCOMPARE(w->RzDBGrid1->verticalScrollBarPolicy(),
                 scrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        QCOMPARE(w->RzDBGrid1->columnWidth(5), lastWidth);
        QCOMPARE(w->RzDBGrid1->currentIndex().row(), rows > 0 ? 0 : -1);
        const int widths[] = {40, 90, 90, 90, 90};
        for (int c = 0; c < 5; ++c)
            QCOMPARE(w->RzDBGrid1->columnWidth(c), widths[c]);
    }

    void resizeCentresAndStretches()
    {
        const QRect panel = w->RzPanel1->geometry();
        const QRect grid = w->RzDBGrid1->geometry();
        const QRect print = w->RzBitBtn1->geometry();
        const QRect balance = w->edtBalance->geometry();
        w->resize(901 + (w->width() - w->RzPanel2->width()), w->height() + 100);
        QCOMPARE(w->RzPanel2->width(), 901);
        QCOMPARE(w->RzPanel1->x(), 106);
        QCOMPARE(w->RzPanel1->width(), 688);
        QCOMPARE(w->RzPanel1->height(), panel.height() + 100);
        QCOMPARE(w->RzDBGrid1->geometry(), grid.adjusted(0, 0, 0, 100));
        QCOMPARE(w->RzBitBtn1->geometry(), print.translated(0, 100));
        QCOMPARE(w->edtBalance->geometry(), balance);
        QCOMPARE(w->RzDBGrid1->columnWidth(5), 93);
    }

    void refusesSmallerThanMinimum()
    {
        w->resize(300, 200);
        QVERIFY(w->frameGeometry().width() >= 760);
        QVERIFY(w->frameGeometry().height() >= 560);
    }

    void designedLayout()
    {
        QCOMPARE(w->edtBalance->geometry(), QRect(143, 15, 69, 21));
        QCOMPARE(w->edtMinPmtPct->geometry(), QRect(146, 99, 69, 21));
        QCOMPARE(w->trkAPR->geometry(), QRect(223, 44, 440, 35));
        QCOMPARE(w->rgpExtraMoney->geometry(), QRect(146, 139, 347, 24));
        QCOMPARE(w->txtTitle->geometry().topLeft(), QPoint(3, 3));
        QCOMPARE(w->txtTitle->width(), w->RzPanel2->width() - 6);
        QVERIFY(w->txtTitle->font().bold());
        QCOMPARE(w->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(w->font().pixelSize(), 11);
        QCOMPARE(w->RzPanel1->y(), 25);
        QCOMPARE(w->RzStatusBar1->height(), 19);
        QCOMPARE(w->rgpExtraMoney->items(), (QStringList{"0", "5", "10", "15", "20", "25", "50", "100"}));
        QCOMPARE(w->File1->title(), QStringLiteral("File"));
        QCOMPARE(w->Exit1->text(), QStringLiteral("Exit"));
        QCOMPARE(w->About1->title(), QStringLiteral("Help"));
        QCOMPARE(w->About2->text(), QStringLiteral("About..."));
        // Not tab stops: the inputs and the sliders.
        QCOMPARE(w->edtBalance->focusPolicy() & Qt::TabFocus, 0);
        QCOMPARE(w->trkBalance->focusPolicy() & Qt::TabFocus, 0);
    }

    void tabCyclesGridPrintChoiceBox()
    {
        w->RzDBGrid1->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->RzBitBtn1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->parentWidget(), w->rgpExtraMoney);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->cbxConstantPayment);
    }

    void arrowKeysChangeExtraMoney()
    {
        w->rgpExtraMoney->button(0)->setFocus();
        QTest::keyClick(w->rgpExtraMoney->button(0), Qt::Key_Right);
        QCOMPARE(w->rgpExtraMoney->itemIndex(), 1);
        QCOMPARE(w->ExtraMoney(), 5);
        QCOMPARE(w->recalculationCount(), 2);
    }

    // The separators follow the locale; the numbers stay, nothing is calculated.
    void localeChangeReformats()
    {
        w->setNumberLocale(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(w->edtBalance->text(), QStringLiteral("2.100,00"));
        QCOMPARE(w->edtAPR->text(), QStringLiteral("17,90"));
        QCOMPARE(w->txtTotalFinanceChargeValue->text(), QStringLiteral("2.539,03"));
        QCOMPARE(w->txtTotalMoneyPaidValue->text(), QStringLiteral("4.639,03"));
        QCOMPARE(w->ClientDataSet1->data(w->ClientDataSet1->index(0, 5)).toString(), QStringLiteral("2.078,33"));
        QCOMPARE(w->recalculationCount(), 1);
        // A value then read and written under the new separators.
        useCalculator(w->edtBalance, 1234.5L);
        QCOMPARE(w->edtBalance->text(), QStringLiteral("1.234,50"));
        QCOMPARE(w->trkBalance->position(), 1234);
    }

    void accessibleNamesCarryCaptionAndValue()
    {
        QCOMPARE(w->edtBalance->accessibleName(), QStringLiteral("Balance: 2,100.00"));
        QCOMPARE(w->trkAPR->accessibleName(), QStringLiteral("Annual Percentage Rate slider: 17.90"));
        QCOMPARE(w->txtMinPmtValue->accessibleName(), QStringLiteral("Minimum Payment: 53.00"));
        QCOMPARE(w->txtPayoffLength->accessibleName(), QStringLiteral("Length of Payoff Time: 15 Yrs 5 Mos"));
        w->ClearResults();
        QCOMPARE(w->txtMinPmtValue->accessibleName(), QStringLiteral("Minimum Payment: "));
        useCalculator(w->edtMinPmtPct, 3.0L);
        QCOMPARE(w->edtMinPmtPct->accessibleName(), QStringLiteral("Minimum Payment Percent: 3.0"));
        QCOMPARE(w->txtMinPmtValue->accessibleName(), QStringLiteral("Minimum Payment: 63.00"));
    }

    // Without the hook, MessageDlg opens a real error box over the window
    // (closed here from a timer) and returns the pressed button.
    void messageDialogIsCentredErrorBox()
    {
        w->messageDialogHook = nullptr;
        QString title, text;
        QPoint centre;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            title = box->windowTitle();
            text = box->text();
            centre = box->frameGeometry().center();
            box->button(QMessageBox::Ok)->click();
        });
        const int pressed = w->MessageDlg(rangeMessage("The Balance is too high"), QMessageBox::Critical,
                                          QMessageBox::Ok);
        QCOMPARE(pressed, int(QMessageBox::Ok));
        QCOMPARE(title, QStringLiteral("Error"));
        QCOMPARE(text, QStringLiteral("The Balance is too high\n and will be adjusted automatically."));
        QVERIFY((centre - w->frameGeometry().center()).manhattanLength() <= 2);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
