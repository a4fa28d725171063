#include "tfrmminpmt.h"

#include "anchoredpanel.h"
#include "app/applicationinfo.h"
#include "app/formstate.h"
#include "app/inistore.h"
#include "app/minpmtproperties.h"
#include "app/propertystore.h"
#include "app/tfrmabout.h"
#include "calc/numbertext.h"
#include "mainwindowlayout.h"
#include "numericedit.h"
#include "radiogroup.h"
#include "report/payoffreport.h"
#include "report/reportpreview.h"
#include "schedulegrid.h"
#include "schedulemodel.h"
#include "sliderscale.h"
#include "trackbar.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>

namespace {

const char *const RangeMessageFirstLines[6] = {
    "The Balance is too high",
    "The Balance is too low",
    "The Annual Percentage Rate is too high",
    "The Annual Percentage Rate is too low",
    "The Minimum Payment Percent is too high",
    "The Minimum Payment Percent is too low",
};

QString dialogTitle(QMessageBox::Icon type)
{
    switch (type) {
    case QMessageBox::Critical:
        return QStringLiteral("Error");
    case QMessageBox::Warning:
        return QStringLiteral("Warning");
    case QMessageBox::Question:
        return QStringLiteral("Confirm");
    case QMessageBox::Information:
        return QStringLiteral("Information");
    default:
        return QString();
    }
}

// A standard message box that centres itself over its owner when shown,
// once its final size is known.
class CentredMessageBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        if (QWidget *owner = parentWidget()) {
            QRect r = frameGeometry();
            r.moveCenter(owner->window()->frameGeometry().center());
            move(r.topLeft());
        }
    }
};

calc::Decimal::Mantissa pow10(int n)
{
    calc::Decimal::Mantissa p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

} // namespace

TfrmMinPmt::TfrmMinPmt(QWidget *parent, IniStore *settings)
    : QMainWindow(parent), m_locale(QLocale()), m_settings(settings)
{
    MainWindowLayout::setupUi(*this);
    m_pairs[0] = {edtBalance, trkBalance, txtBalance, QStringLiteral("Balance"), 0, 0};
    m_pairs[1] = {edtAPR, trkAPR, txtAPR, QStringLiteral("Annual Percentage Rate"), 2, 2};
    m_pairs[2] = {edtMinPmtPct, trkMinPmtPct, txtMinPmtPct, QStringLiteral("Minimum Payment Percent"), 1, 4};
    for (const Pair &p : m_pairs)
        p.edit->setNumberLocale(m_locale);
    ClientDataSet1->setNumberLocale(m_locale);
    connectHandlers();
    updateAccessibleNames();
    if (m_settings) {
        // The placement keeper hooks in front of FormCreate, FormShow and
        // FormClose; its error box is this window's MessageDlg.
        m_settings->setLocale(m_locale);
        m_formState = new FormState(this, *m_settings);
        m_formState->setMessageHook([this](QWidget *, const QString &text) {
            MessageDlg(text, QMessageBox::Critical, QMessageBox::Ok);
        });
        m_propertyStore = std::make_unique<PropertyStore>(*m_settings);
        AddMinPmtProperties(*m_propertyStore, *this);
    }
    FormCreate();
}

TfrmMinPmt::~TfrmMinPmt() = default;

void TfrmMinPmt::connectHandlers()
{
    connect(Exit1, &QAction::triggered, this, &TfrmMinPmt::Exit1Click);
    connect(About2, &QAction::triggered, this, &TfrmMinPmt::About2Click);
    connect(RzPanel2, &AnchoredPanel::resized, this, &TfrmMinPmt::RzPanel2Resize);

    connect(edtBalance, &NumericEdit::changed, this, &TfrmMinPmt::edtBalanceChange);
    connect(edtAPR, &NumericEdit::changed, this, &TfrmMinPmt::edtAPRChange);
    connect(edtMinPmtPct, &NumericEdit::changed, this, &TfrmMinPmt::edtMinPmtPctChange);
    connect(edtBalance, &NumericEdit::entered, this, &TfrmMinPmt::edtBalanceEnter);
    connect(edtAPR, &NumericEdit::entered, this, &TfrmMinPmt::edtAPREnter);
    connect(edtMinPmtPct, &NumericEdit::entered, this, &TfrmMinPmt::edtMinPmtPctEnter);

    connect(trkBalance, &TrackBar::changed, this, &TfrmMinPmt::trkBalanceChange);
    connect(trkAPR, &TrackBar::changed, this, &TfrmMinPmt::trkAPRChange);
    connect(trkMinPmtPct, &TrackBar::changed, this, &TfrmMinPmt::trkMinPmtPctChange);
    connect(trkBalance, &TrackBar::keyDown, this, &TfrmMinPmt::trkBalanceKeyDown);
    connect(trkAPR, &TrackBar::keyDown, this, &TfrmMinPmt::trkAPRKeyDown);
    connect(trkMinPmtPct, &TrackBar::keyDown, this, &TfrmMinPmt::trkMinPmtPctKeyDown);
    connect(trkBalance, &TrackBar::keyUp, this, &TfrmMinPmt::trkBalanceKeyUp);
    connect(trkAPR, &TrackBar::keyUp, this, &TfrmMinPmt::trkAPRKeyUp);
    connect(trkMinPmtPct, &TrackBar::keyUp, this, &TfrmMinPmt::trkMinPmtPctKeyUp);
    connect(trkBalance, &TrackBar::mouseDown, this, &TfrmMinPmt::trkBalanceMouseDown);
    connect(trkAPR, &TrackBar::mouseDown, this, &TfrmMinPmt::trkAPRMouseDown);
    connect(trkMinPmtPct, &TrackBar::mouseDown, this, &TfrmMinPmt::trkMinPmtPctMouseDown);
    connect(trkBalance, &TrackBar::mouseUp, this, &TfrmMinPmt::trkBalanceMouseUp);
    connect(trkAPR, &TrackBar::mouseUp, this, &TfrmMinPmt::trkAPRMouseUp);
    connect(trkMinPmtPct, &TrackBar::mouseUp, this, &TfrmMinPmt::trkMinPmtPctMouseUp);

    using namespace std::placeholders;
    trkBalance->setDrawTickHandler(std::bind(&TfrmMinPmt::trkBalanceDrawTick, this, _1, _2, _3, _4));
    trkAPR->setDrawTickHandler(std::bind(&TfrmMinPmt::trkAPRDrawTick, this, _1, _2, _3, _4));
    trkMinPmtPct->setDrawTickHandler(std::bind(&TfrmMinPmt::trkMinPmtPctDrawTick, this, _1, _2, _3, _4));
    trkBalance->setDrawTrackHandler(std::bind(&TfrmMinPmt::trkBalanceDrawTrack, this, _1, _2, _3));
    trkAPR->setDrawTrackHandler(std::bind(&TfrmMinPmt::trkAPRDrawTrack, this, _1, _2, _3));
    trkMinPmtPct->setDrawTrackHandler(std::bind(&TfrmMinPmt::trkMinPmtPctDrawTrack, this, _1, _2, _3));

    connect(rgpExtraMoney, &RadioGroup::itemIndexChanged, this, &TfrmMinPmt::rgpExtraMoneyClick);
    // toggled, not clicked: a tick set by the program recalculates too.
    connect(cbxConstantPayment, &QCheckBox::toggled, this, &TfrmMinPmt::cbxConstantPaymentClick);
    connect(RzDBGrid1, &ScheduleGrid::resized, this, &TfrmMinPmt::RzDBGrid1Resize);
    connect(RzBitBtn1, &QPushButton::clicked, this, &TfrmMinPmt::RzBitBtn1Click);
}

// ---------------------------------------------------------------- life cycle

void TfrmMinPmt::FormCreate()
{
    m_AbsoluteMinimumPayment = calc::Decimal(15);
    // The schedule table starts empty and open.
    ClientDataSet1->clear();
    // The remembered values run the inputs' change handlers.
    if (m_propertyStore)
        m_propertyStore->Load();
}

void TfrmMinPmt::FormShow()
{
    QPalette palette = RzPanel2->palette();
    palette.setColor(QPalette::Window, this->palette().color(QPalette::Window));
    RzPanel2->setPalette(palette);
    Recalculate();
    txtBalance->setFocus(Qt::OtherFocusReason);
}

void TfrmMinPmt::FormClose()
{
    // The schedule table is closed: its rows are discarded.
    ClientDataSet1->clear();
    if (m_propertyStore)
        m_propertyStore->Save();
}

void TfrmMinPmt::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    applyMinimumOuterSize();
    if (!event->spontaneous())
        FormShow();
}

void TfrmMinPmt::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TfrmMinPmt::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    applyMinimumOuterSize();   // the frame is known once the window manager has placed it
}

void TfrmMinPmt::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LocaleChange)
        setNumberLocale(desktopLocale ? desktopLocale() : QLocale::system());
}

// The outer size (frame included) may not go below 760 x 560. Without a
// window manager the frame is empty and the outer size is the client size.
void TfrmMinPmt::applyMinimumOuterSize()
{
    const QSize frame = frameGeometry().size() - geometry().size();
    setMinimumSize((MinimumOuterSize - frame).expandedTo(QSize(0, 0)));
}

void TfrmMinPmt::RzPanel2Resize()
{
    RzPanel1->move((RzPanel2->width() - RzPanel1->width()) / 2, RzPanel1->y());
}

// ---------------------------------------------------------------- menu

void TfrmMinPmt::Exit1Click()
{
    close();
}

void TfrmMinPmt::About2Click()
{
    mnuAboutClick();
}

void TfrmMinPmt::mnuAboutClick()
{
    // Start-up creates frmAbout; a window made without start-up makes its own.
    if (!frmAbout)
        frmAbout = new TfrmAbout(this, this);
    frmAbout->setMainWindow(this);
    frmAbout->exec();
}

// The Print command: the modal preview of the report. While it is open the
// grid does not follow the schedule table the report reads; afterwards the
// grid is live again and the focus is back on the balance caption.
void TfrmMinPmt::RzBitBtn1Click()
{
    if (!Report1)
        Report1 = std::make_unique<report::PayoffReport>(ApplicationInfo::Copyright());
    RzDBGrid1->setUpdatesEnabled(false);
    const report::ReportInput input{[this](const QString &name) { return ppJITPipeline1GetFieldValue(name); },
                                    &ClientDataSet1->rows(), {m_locale, QDate::currentDate()}};
    report::PreviewReport(*Report1, input, this, windowTitle());
    RzDBGrid1->setUpdatesEnabled(true);
    txtBalance->setFocus(Qt::OtherFocusReason);
}

report::ReportValue TfrmMinPmt::ppJITPipeline1GetFieldValue(const QString &name) const
{
    report::FieldSource source;
    source.title = txtTitle->text();
    source.balance = edtBalance->value();
    source.apr = edtAPR->value();
    source.minPmtPct = edtMinPmtPct->value();
    source.minPmtText = txtMinPmtValue->text();
    source.extraMoneyText = rgpExtraMoney->itemText();
    source.constantPayment = cbxConstantPayment->isChecked();
    source.totalInterestText = txtTotalFinanceChargeValue->text();
    source.totalMoneyText = txtTotalMoneyPaidValue->text();
    source.numberOfPaymentsText = txtNumberofPaymentsValue->text();
    source.payoffLengthText = txtPayoffLength->text();
    source.locale = m_locale;
    return report::FieldValue(name, source);
}

// ---------------------------------------------------------------- messages

int TfrmMinPmt::MessageDlg(const QString &msg, QMessageBox::Icon dlgType, QMessageBox::StandardButtons buttons,
                           int helpCtx)
{
    Q_UNUSED(helpCtx);
    if (messageDialogHook)
        return messageDialogHook(msg, dlgType, buttons);
    QString shown = msg;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    CentredMessageBox box(dlgType, dialogTitle(dlgType), shown, buttons, this);
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

void TfrmMinPmt::ShowRangeMessage(quint8 kind)
{
    if (kind > 5)
        return;
    QApplication::beep();
    const QString msg = QString::fromLatin1(RangeMessageFirstLines[kind]) + QStringLiteral("\r\n")
        + QStringLiteral(" and will be adjusted automatically.");
    MessageDlg(msg, QMessageBox::Critical, QMessageBox::Ok, 0);
    NumericEdit *edit = m_pairs[kind / 2].edit;
    edit->setValue(kind % 2 == 0 ? edit->max() : edit->min());
}

// ---------------------------------------------------------------- calculation

void TfrmMinPmt::UpdateMinPmtPctFloor()
{
    const calc::Decimal floor = calc::MinPmtPctFloor(edtBalance->decimalValue(), edtAPR->decimalValue());
    edtMinPmtPct->setMin(floor.toLongDouble());
}

void TfrmMinPmt::Recalculate()
{
    // 1-2: the percent floor, and a percent below it raised with a message.
    UpdateMinPmtPctFloor();
    if (edtMinPmtPct->value() < edtMinPmtPct->min()) {
        ShowRangeMessage(5);
        QCoreApplication::processEvents();
    }
    // 3-4: the inputs.
    m_ExtraMoney = rgpExtraMoney->itemText().toInt();
    calc::PayoffInputs inputs;
    inputs.MinPmtPct = edtMinPmtPct->decimalValue();
    inputs.APR = edtAPR->decimalValue();
    inputs.Balance = edtBalance->decimalValue();
    inputs.ExtraMoney = m_ExtraMoney;
    inputs.ConstantPayment = cbxConstantPayment->isChecked();
    // 5-6: the schedule, each row appended as it comes.
    ClientDataSet1->clear();
    calc::PayoffSummary summary;
    try {
        ScheduleModel::BatchAppend batch(*ClientDataSet1);
        summary = calc::CalculatePayoff(inputs, m_AbsoluteMinimumPayment, [this](const calc::ScheduleRow &row) {
            ClientDataSet1->append(row);
            if (row.Pmt == 1) {
                m_MonthlyPayment = row.Payment;
                txtMinPmtValue->setText(calc::FormatNumber(row.Payment, 2, m_locale));
            }
        });
    } catch (const calc::PayoffError &error) {
        // Inputs the calculation refuses (the window's own corrections keep
        // them out): no stale results stay on screen, and the user is told.
        ClearResults();
        m_lastSummary.reset();
        updateAccessibleNames();
        MessageDlg(QString::fromUtf8(error.what()), QMessageBox::Critical, QMessageBox::Ok, 0);
        ++m_recalculationCount;
        emit recalculated();
        return;
    }
    // 7-8: the grid's last column, and the first row current.
    FitNewBalanceColumn();
    if (ClientDataSet1->rowCount() > 0)
        RzDBGrid1->moveToFirstRow();
    // 9: the summary texts.
    m_lastSummary = summary;
    showSummaryTexts();
    updateAccessibleNames();
    ++m_recalculationCount;
    emit recalculated();
}

void TfrmMinPmt::showSummaryTexts()
{
    if (!m_lastSummary)
        return;
    const calc::SummaryTexts texts = calc::MakeSummaryTexts(*m_lastSummary, m_locale);
    txtTotalFinanceChargeValue->setText(texts.TotalFinanceChargeValue);
    txtTotalMoneyPaidValue->setText(texts.TotalMoneyPaidValue);
    txtNumberofPaymentsValue->setText(texts.NumberofPaymentsValue);
    txtPayoffLength->setText(texts.PayoffLength);
}

void TfrmMinPmt::ClearResults()
{
    txtMinPmtValue->setText(QString());
    txtTotalMoneyPaidValue->setText(QString());
    txtTotalFinanceChargeValue->setText(QString());
    txtNumberofPaymentsValue->setText(QString());
    txtPayoffLength->setText(QString());
    ClientDataSet1->clear();
    m_lastSummary.reset();
    updateAccessibleNames();
}

void TfrmMinPmt::FitNewBalanceColumn()
{
    RzDBGrid1->fitNewBalanceColumn();
}

void TfrmMinPmt::RzDBGrid1Resize()
{
    FitNewBalanceColumn();
}

void TfrmMinPmt::setNumberLocale(const QLocale &locale)
{
    m_locale = locale;
    if (m_settings)
        m_settings->setLocale(locale); // decimal entries use the same separator
    // Re-formatting the same numbers under new separators calculates nothing.
    for (const Pair &p : m_pairs) {
        const QSignalBlocker blocker(p.edit);
        p.edit->setNumberLocale(locale);
    }
    ClientDataSet1->setNumberLocale(locale);
    // The texts on screen are written again with the new separators.
    if (m_lastSummary) {
        if (m_lastSummary->MonthlyPayment || !txtMinPmtValue->text().isEmpty())
            txtMinPmtValue->setText(calc::FormatNumber(m_MonthlyPayment, 2, m_locale));
        showSummaryTexts();
    }
    updateAccessibleNames();
}

// ---------------------------------------------------------------- linked inputs

int TfrmMinPmt::sliderPositionFor(const calc::Decimal &value, int scale, int lowest, int highest)
{
    const calc::Decimal scaled = value * calc::Decimal(pow10(scale), 0);
    if (scaled <= calc::Decimal(lowest))
        return lowest;
    if (scaled >= calc::Decimal(highest))
        return highest;
    // Round to an integer, halves to the even neighbour.
    const calc::Decimal::Mantissa unit = pow10(scaled.scale());
    const calc::Decimal::Mantissa units = scaled.units();
    calc::Decimal::Mantissa whole = units / unit;
    calc::Decimal::Mantissa rest = units % unit;
    if (rest < 0) {
        rest += unit;
        whole -= 1;
    }
    const calc::Decimal::Mantissa twice = rest * 2;
    if (twice > unit || (twice == unit && whole % 2 != 0))
        whole += 1;
    return int(whole);
}

void TfrmMinPmt::inputChanged(const Pair &p)
{
    if (p.edit == edtMinPmtPct)
        UpdateMinPmtPctFloor();
    if (p.edit->value() > p.edit->max())
        ShowRangeMessage(p.tooHighKind);
    if (p.edit->value() < p.edit->min())
        ShowRangeMessage(quint8(p.tooHighKind + 1));
    {
        const QSignalBlocker blocker(p.bar);
        p.bar->setPosition(sliderPositionFor(p.edit->decimalValue(), p.scale, p.bar->minimum(), p.bar->maximum()));
    }
    updateAccessibleNames();
    Recalculate();
}

void TfrmMinPmt::inputEntered(const Pair &p)
{
    if (p.edit == edtMinPmtPct)
        UpdateMinPmtPctFloor();
    p.edit->popupCalculator();
    p.caption->setFocus(Qt::OtherFocusReason);
}

void TfrmMinPmt::sliderMoved(const Pair &p)
{
    {
        const QSignalBlocker blocker(p.edit);
        p.edit->setValue(calc::Decimal(p.bar->position(), p.scale).toLongDouble());
    }
    updateAccessibleNames();
}

void TfrmMinPmt::edtBalanceChange() { inputChanged(m_pairs[0]); }
void TfrmMinPmt::edtAPRChange() { inputChanged(m_pairs[1]); }
void TfrmMinPmt::edtMinPmtPctChange() { inputChanged(m_pairs[2]); }
void TfrmMinPmt::edtBalanceEnter() { inputEntered(m_pairs[0]); }
void TfrmMinPmt::edtAPREnter() { inputEntered(m_pairs[1]); }
void TfrmMinPmt::edtMinPmtPctEnter() { inputEntered(m_pairs[2]); }
void TfrmMinPmt::trkBalanceChange() { sliderMoved(m_pairs[0]); }
void TfrmMinPmt::trkAPRChange() { sliderMoved(m_pairs[1]); }
void TfrmMinPmt::trkMinPmtPctChange() { sliderMoved(m_pairs[2]); }

void TfrmMinPmt::trkBalanceKeyDown() { ClearResults(); }
void TfrmMinPmt::trkAPRKeyDown() { ClearResults(); }
void TfrmMinPmt::trkMinPmtPctKeyDown() { ClearResults(); }
void TfrmMinPmt::trkBalanceKeyUp() { Recalculate(); }
void TfrmMinPmt::trkAPRKeyUp() { Recalculate(); }
void TfrmMinPmt::trkMinPmtPctKeyUp() { Recalculate(); }
void TfrmMinPmt::trkBalanceMouseDown() { ClearResults(); }
void TfrmMinPmt::trkAPRMouseDown() { ClearResults(); }
void TfrmMinPmt::trkMinPmtPctMouseDown() { ClearResults(); }
void TfrmMinPmt::trkBalanceMouseUp() { Recalculate(); }
void TfrmMinPmt::trkAPRMouseUp() { Recalculate(); }
void TfrmMinPmt::trkMinPmtPctMouseUp() { Recalculate(); }

void TfrmMinPmt::rgpExtraMoneyClick() { Recalculate(); }
void TfrmMinPmt::cbxConstantPaymentClick() { Recalculate(); }

// ---------------------------------------------------------------- slider painting

void TfrmMinPmt::trkBalanceDrawTick(TrackBar &bar, QPainter &canvas, QPoint location, int index)
{
    sliderscale::drawTickLabel(canvas, location, bar.trackOffset(), sliderscale::tickLabelText(index, 1000, u"k"));
}

void TfrmMinPmt::trkAPRDrawTick(TrackBar &bar, QPainter &canvas, QPoint location, int index)
{
    sliderscale::drawTickLabel(canvas, location, bar.trackOffset(), sliderscale::tickLabelText(index, 100, u"%"));
}

void TfrmMinPmt::trkMinPmtPctDrawTick(TrackBar &bar, QPainter &canvas, QPoint location, int index)
{
    sliderscale::drawTickLabel(canvas, location, bar.trackOffset(), sliderscale::tickLabelText(index, 10, u"%"));
}

void TfrmMinPmt::trkBalanceDrawTrack(TrackBar &bar, QPainter &canvas, const QRect &bounds)
{
    sliderscale::drawGroove(canvas, bounds, bar.palette());
}

void TfrmMinPmt::trkAPRDrawTrack(TrackBar &bar, QPainter &canvas, const QRect &bounds)
{
    sliderscale::drawGroove(canvas, bounds, bar.palette());
}

void TfrmMinPmt::trkMinPmtPctDrawTrack(TrackBar &bar, QPainter &canvas, const QRect &bounds)
{
    sliderscale::drawGroove(canvas, bounds, bar.palette());
}

// ---------------------------------------------------------------- accessibility

// Every input, slider and result carries its caption and its current value.
void TfrmMinPmt::updateAccessibleNames()
{
    for (const Pair &p : m_pairs) {
        const QString name = p.name + QStringLiteral(": ") + p.edit->text();
        p.edit->setAccessibleName(name);
        p.bar->setAccessibleName(p.name + QStringLiteral(" slider: ") + p.edit->text());
        p.caption->setAccessibleName(name);
    }
    const std::pair<QLabel *, QLabel *> results[] = {
        {txtMinPmtCaption, txtMinPmtValue},
        {StaticText2, txtTotalFinanceChargeValue},
        {StaticText3, txtTotalMoneyPaidValue},
        {StaticText4, txtNumberofPaymentsValue},
        {StaticText6, txtPayoffLength},
    };
    for (const auto &[caption, value] : results)
        value->setAccessibleName(caption->text() + QStringLiteral(": ") + value->text().trimmed());
    rgpExtraMoney->setAccessibleName(QStringLiteral("Extra Money Each Month: ") + rgpExtraMoney->itemText());
}
