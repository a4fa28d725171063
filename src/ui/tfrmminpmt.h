#pragma once

// TfrmMinPmt: the calculator's main window (frmMinPmt).
//
// The window holds the three linked value inputs (a NumericEdit and a
// TrackBar per value), the extra-money choice, the constant-payment box, the
// five result labels, the schedule grid over the schedule table
// (ClientDataSet1), the Print button, a menu and a status bar. Its controls
// are public members named as in the designed layout (objectName equals the
// member name), so the report, the settings code and the tests reach them
// directly. MainWindowLayout builds them; this class holds the handlers.
//
// Data flow: every change of an input that does not come from its own
// slider, each slider release, the extra-money choice and the
// constant-payment box run Recalculate(), which reads the controls, refills
// ClientDataSet1 through calc::CalculatePayoff and writes the result labels.
// Pressing a key or mouse button on a slider runs ClearResults() instead.
// The two controls of a pair never trigger each other: the handler that
// copies a value detaches the other control's notification for the copy.
//
// Message boxes go through MessageDlg(), which tests replace through
// messageDialogHook so nothing blocks on a modal loop.

#include "calc/decimal.h"
#include "calc/payoff.h"
#include "report/reportfields.h"

#include <QLocale>
#include <QMainWindow>
#include <QMessageBox>

#include <functional>
#include <memory>
#include <optional>

class AnchoredPanel;
class FormState;
class IniStore;
class NumericEdit;
class PropertyStore;
class QCheckBox;
class QLabel;
class QPushButton;
class QStatusBar;
class RadioGroup;
class ScheduleGrid;
class ScheduleModel;
class TrackBar;
namespace report {
class PayoffReport;
}

class TfrmMinPmt : public QMainWindow
{
    Q_OBJECT
public:
    // With `settings`, the window remembers its placement and input values in
    // that file (start-up passes the program's settings file); without, it
    // starts from its designed values and remembers nothing.
    explicit TfrmMinPmt(QWidget *parent = nullptr, IniStore *settings = nullptr);
    ~TfrmMinPmt() override;

    // --- Controls (built by MainWindowLayout) ---
    QMenuBar *MainMenu1 = nullptr;
    QMenu *File1 = nullptr;
    QAction *Exit1 = nullptr;
    QMenu *About1 = nullptr;
    QAction *About2 = nullptr;
    QStatusBar *RzStatusBar1 = nullptr;
    QLabel *RzStatusPane1 = nullptr;
    AnchoredPanel *RzPanel2 = nullptr;
    QLabel *txtTitle = nullptr;
    AnchoredPanel *RzPanel1 = nullptr;

    QLabel *txtBalance = nullptr;
    NumericEdit *edtBalance = nullptr;
    TrackBar *trkBalance = nullptr;
    QLabel *txtAPR = nullptr;
    NumericEdit *edtAPR = nullptr;
    TrackBar *trkAPR = nullptr;
    QLabel *txtMinPmtPct = nullptr;
    NumericEdit *edtMinPmtPct = nullptr;
    TrackBar *trkMinPmtPct = nullptr;
    QLabel *txtExtraMoney = nullptr;
    RadioGroup *rgpExtraMoney = nullptr;
    QCheckBox *cbxConstantPayment = nullptr;

    QLabel *txtMinPmtCaption = nullptr;
    QLabel *StaticText2 = nullptr;
    QLabel *StaticText3 = nullptr;
    QLabel *StaticText4 = nullptr;
    QLabel *StaticText6 = nullptr;
    QLabel *txtMinPmtValue = nullptr;
    QLabel *txtTotalFinanceChargeValue = nullptr;
    QLabel *txtTotalMoneyPaidValue = nullptr;
    QLabel *txtNumberofPaymentsValue = nullptr;
    QLabel *txtPayoffLength = nullptr;

    ScheduleGrid *RzDBGrid1 = nullptr;
    QPushButton *RzBitBtn1 = nullptr;
    ScheduleModel *ClientDataSet1 = nullptr;

    // --- Message dialog ---
    using MessageDialogHook =
        std::function<int(const QString &msg, QMessageBox::Icon dlgType, QMessageBox::StandardButtons buttons)>;
    // When set, MessageDlg() hands its message to this instead of opening a
    // dialog and returns what it returns (tests).
    MessageDialogHook messageDialogHook;

    // A standard modal message box of the given kind ("Error" for an error),
    // owned by and centred over this window; returns the pressed button.
    // helpCtx is accepted and not used.
    int MessageDlg(const QString &msg, QMessageBox::Icon dlgType, QMessageBox::StandardButtons buttons,
                   int helpCtx = 0);

    // --- Operations ---
    void Recalculate();
    void ClearResults();
    void UpdateMinPmtPctFloor();
    // kind 0/1: balance too high/low, 2/3: rate, 4/5: minimum payment percent.
    void ShowRangeMessage(quint8 kind);
    void FitNewBalanceColumn();

    // The printed report, created by the first Print command; and its
    // single-record fields, answered from the controls and result texts as
    // they are when the report is generated.
    std::unique_ptr<report::PayoffReport> Report1;
    report::ReportValue ppJITPipeline1GetFieldValue(const QString &name) const;

    const calc::Decimal &AbsoluteMinimumPayment() const { return m_AbsoluteMinimumPayment; }
    const calc::Decimal &MonthlyPayment() const { return m_MonthlyPayment; }
    int ExtraMoney() const { return m_ExtraMoney; }
    // How many times Recalculate() has run since the window was created.
    int recalculationCount() const { return m_recalculationCount; }

    // The separators of the inputs, the result texts and the grid. Starts as
    // QLocale(); re-read from desktopLocale when the desktop announces a
    // change (QEvent::LocaleChange).
    QLocale numberLocale() const { return m_locale; }
    void setNumberLocale(const QLocale &locale);
    // Where a locale change reads the desktop's regional settings: unset, from
    // QLocale::system() (tests hand in the locale a real change would bring).
    std::function<QLocale()> desktopLocale;

    // The designed minimum outer size of the window, frame included.
    static constexpr QSize MinimumOuterSize{760, 560};

signals:
    void recalculated();

public slots:
    // Life cycle
    void FormCreate();
    void FormShow();
    void FormClose();
    void RzPanel2Resize();

    // Menu
    void Exit1Click();
    void About2Click();
    void mnuAboutClick();

    // Linked value inputs
    void edtBalanceChange();
    void edtAPRChange();
    void edtMinPmtPctChange();
    void edtBalanceEnter();
    void edtAPREnter();
    void edtMinPmtPctEnter();
    void trkBalanceChange();
    void trkAPRChange();
    void trkMinPmtPctChange();
    void trkBalanceKeyDown();
    void trkAPRKeyDown();
    void trkMinPmtPctKeyDown();
    void trkBalanceKeyUp();
    void trkAPRKeyUp();
    void trkMinPmtPctKeyUp();
    void trkBalanceMouseDown();
    void trkAPRMouseDown();
    void trkMinPmtPctMouseDown();
    void trkBalanceMouseUp();
    void trkAPRMouseUp();
    void trkMinPmtPctMouseUp();

    void rgpExtraMoneyClick();
    void cbxConstantPaymentClick();
    void RzDBGrid1Resize();
    // The Print button; the printed report fills this in.
    void RzBitBtn1Click();

public:
    // Slider painting (called by the sliders for every tick and the groove).
    void trkBalanceDrawTick(TrackBar &bar, QPainter &canvas, QPoint location, int index);
    void trkAPRDrawTick(TrackBar &bar, QPainter &canvas, QPoint location, int index);
    void trkMinPmtPctDrawTick(TrackBar &bar, QPainter &canvas, QPoint location, int index);
    void trkBalanceDrawTrack(TrackBar &bar, QPainter &canvas, const QRect &bounds);
    void trkAPRDrawTrack(TrackBar &bar, QPainter &canvas, const QRect &bounds);
    void trkMinPmtPctDrawTrack(TrackBar &bar, QPainter &canvas, const QRect &bounds);

    // The slider position for an input value: value × 10^scale, clamped to
    // [lowest, highest], rounded to the nearest integer with halves to even.
    static int sliderPositionFor(const calc::Decimal &value, int scale, int lowest, int highest);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    // One linked value: the input, its slider, the caption that takes the
    // focus, slider units per input unit as a power of ten, and the kind of
    // its too-high range message (too low is the next kind).
    struct Pair
    {
        NumericEdit *edit = nullptr;
        TrackBar *bar = nullptr;
        QLabel *caption = nullptr;
        QString name;
        int scale = 0;
        quint8 tooHighKind = 0;
    };
    void inputChanged(const Pair &p);
    void inputEntered(const Pair &p);
    void sliderMoved(const Pair &p);
    void connectHandlers();
    void showSummaryTexts();
    void updateAccessibleNames();
    void applyMinimumOuterSize();

    calc::Decimal m_AbsoluteMinimumPayment;
    calc::Decimal m_MonthlyPayment;
    int m_ExtraMoney = 0;
    QLocale m_locale;
    std::optional<calc::PayoffSummary> m_lastSummary; // the summary the labels show, if any
    int m_recalculationCount = 0;
    Pair m_pairs[3];

    // Remembered settings (null without a settings file).
    IniStore *m_settings = nullptr;
    FormState *m_formState = nullptr;
    std::unique_ptr<PropertyStore> m_propertyStore;
};
