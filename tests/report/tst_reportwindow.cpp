// The report from the calculator window: the single-record fields answered
// from the controls, and the Print button's preview with the grid suspended
// while it is open and the focus back on the balance caption afterwards.
#include "reportfixture.h"

#include "app/applicationinfo.h"
#include "numericedit.h"
#include "radiogroup.h"
#include "report/reportpreview.h"
#include "schedulegrid.h"
#include "tfrmminpmt.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using report::ReportPreviewDialog;

class TestReportWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fieldsFollowTheControls();
    void printButtonPreviewsTheWindowsReport();

private:
    std::unique_ptr<TfrmMinPmt> w;
};

void TestReportWindow::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    w = std::make_unique<TfrmMinPmt>();
    w->messageDialogHook = [](const QString &msg, QMessageBox::Icon, QMessageBox::StandardButtons) {
        qWarning() << msg;
        return int(QMessageBox::Ok);
    };
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
}

void TestReportWindow::cleanup()
{
    report::previewOpenHook = nullptr;
    ReportPreviewDialog::saveFileHook = nullptr;
    w.reset();
}

void TestReportWindow::fieldsFollowTheControls()
{
    auto field = [&](const char *name) { return w->ppJITPipeline1GetFieldValue(QString::fromLatin1(name)); };
    QCOMPARE(std::get<QString>(field("Title")), QStringLiteral("Orvanel"));
    QCOMPARE(std::get<double>(field("Balance")), 2100.0);
    QCOMPARE(std::get<double>(field("APR")), double(w->edtAPR->value()));
    QCOMPARE(std::get<double>(field("MinPmt")), 53.0);
    QCOMPARE(std::get<qint32>(field("ExtraMoney")), 0);
    QCOMPARE(std::get<bool>(field("ConstantPayment")), false);
    QCOMPARE(std::get<QString>(field("TotalInterestPaid")), QStringLiteral("2,539.03"));
    QCOMPARE(std::get<QString>(field("NumberOfPayments")), QStringLiteral("185"));
    QCOMPARE(std::get<QString>(field("LengthOfPayoffTime")), QStringLiteral("15 Yrs 5 Mos"));
    QVERIFY(std::holds_alternative<std::monostate>(field("title")));

    w->rgpExtraMoney->setItemIndex(w->rgpExtraMoney->items().indexOf(QStringLiteral("100")));
    w->cbxConstantPayment->setChecked(true);
    QCOMPARE(std::get<qint32>(field("ExtraMoney")), 100);
    QCOMPARE(std::get<bool>(field("ConstantPayment")), true);
    QCOMPARE(std::get<QString>(field("TotalInterestPaid")), w->txtTotalFinanceChargeValue->text());
}

void TestReportWindow::printButtonPreviewsTheWindowsReport()
{
    QTemporaryDir dir;
    const QString exported = dir.filePath(QStringLiteral("Report.pdf"));
    ReportPreviewDialog::saveFileHook = [&](QWidget *, const QString &) { return exported; };
    bool opened = false;
    report::previewOpenHook = [&](ReportPreviewDialog &dialog) {
        opened = true;
        QVERIFY(!w->RzDBGrid1->updatesEnabled());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Orvanel"));
        QCOMPARE(dialog.parentWidget(), w.get());
        dialog.show();
        // 185 rows: the title page and five schedule pages.
        QTRY_COMPARE(dialog.previewWidget()->pageCount(), 6);
        dialog.exportAction()->trigger();
        dialog.close();
    };
    w->RzBitBtn1->click();
    QVERIFY(opened);
    QVERIFY(w->RzDBGrid1->updatesEnabled());
    QCOMPARE(QApplication::focusWidget(), w->txtBalance);

    QCOMPARE(reporttest::PdfPages(exported), 6);
    const QString title = reporttest::PdfPageText(exported, 1);
    QVERIFY(title.contains(QStringLiteral("2,539.03")));
    QVERIFY(title.contains(ApplicationInfo::Copyright()));
    QVERIFY(reporttest::PdfPageText(exported, 2).contains(QStringLiteral("2,078.33")));
}

QTEST_MAIN(TestReportWindow)
#include "tst_reportwindow.moc"
