#include "mainwindowlayout.h"

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
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

namespace MainWindowLayout {

namespace {

const QString StatusNotice = QStringLiteral("Copyright \u00A9 2026 Example Software. All rights reserved.");

QLabel *makeText(QWidget *parent, const char *name, const QString &text, const QRect &geometry,
                 Qt::Alignment alignment)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    return label;
}

NumericEdit *makeEdit(QWidget *parent, const char *name, const QRect &geometry, const QString &format,
                      long double max, long double value)
{
    auto *edit = new NumericEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(geometry);
    edit->setDisplayFormat(format);
    edit->setMax(max);
    edit->setMin(0);
    edit->setValue(value);
    return edit;
}

TrackBar *makeSlider(QWidget *parent, const char *name, int top, int max, int pageStep, int tickStep,
                     int position)
{
    auto *bar = new TrackBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setGeometry(223, top, 440, 35);
    bar->setRange(0, max);
    bar->setSingleStep(1);
    bar->setPageStep(pageStep);
    bar->setTickStep(tickStep);
    bar->setTrackOffset(24);
    bar->setPosition(position);
    return bar;
}

} // namespace

QFont windowFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    return font;
}

void setupUi(TfrmMinPmt &w)
{
    w.setObjectName(QStringLiteral("frmMinPmt"));
    w.setWindowTitle(QStringLiteral("Orvanel"));
    w.setFont(windowFont());

    // Menu, in the desktop's menu font.
    w.MainMenu1 = new QMenuBar(&w);
    w.MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    w.MainMenu1->setFont(QApplication::font("QMenuBar"));
    w.setMenuBar(w.MainMenu1);
    w.File1 = w.MainMenu1->addMenu(QStringLiteral("File"));
    w.File1->setObjectName(QStringLiteral("File1"));
    w.Exit1 = w.File1->addAction(QIcon(QStringLiteral(":/ui/icons/exit.png")), QStringLiteral("Exit"));
    w.Exit1->setObjectName(QStringLiteral("Exit1"));
    w.About1 = w.MainMenu1->addMenu(QStringLiteral("Help"));
    w.About1->setObjectName(QStringLiteral("About1"));
    w.About2 = w.About1->addAction(QStringLiteral("About..."));
    w.About2->setObjectName(QStringLiteral("About2"));

    // Status bar with its one pane: the copyright notice.
    w.RzStatusBar1 = new QStatusBar(&w);
    w.RzStatusBar1->setObjectName(QStringLiteral("RzStatusBar1"));
    w.RzStatusBar1->setFixedHeight(StatusBarHeight);
    w.RzStatusBar1->setSizeGripEnabled(false);
    w.RzStatusBar1->setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));
    w.RzStatusPane1 = new QLabel(StatusNotice, w.RzStatusBar1);
    w.RzStatusPane1->setObjectName(QStringLiteral("RzStatusPane1"));
    w.RzStatusBar1->addWidget(w.RzStatusPane1);
    w.setStatusBar(w.RzStatusBar1);

    // Outer panel, designed white (FormShow gives it the window's colour).
    w.RzPanel2 = new AnchoredPanel(&w);
    w.RzPanel2->setObjectName(QStringLiteral("RzPanel2"));
    w.RzPanel2->setAutoFillBackground(true);
    QPalette white = w.RzPanel2->palette();
    white.setColor(QPalette::Window, Qt::white);
    w.RzPanel2->setPalette(white);
    w.RzPanel2->resize(DesignedClientSize.width(), DesignedClientSize.height() - StatusBarHeight);
    w.setCentralWidget(w.RzPanel2);

    w.txtTitle = makeText(w.RzPanel2, "txtTitle", QStringLiteral("Orvanel"),
                          QRect(3, 3, w.RzPanel2->width() - 6, 16), Qt::AlignHCenter);
    QFont bold = windowFont();
    bold.setBold(true);
    w.txtTitle->setFont(bold);
    w.RzPanel2->anchor(w.txtTitle, Qt::LeftEdge | Qt::RightEdge);

    w.RzPanel1 = new AnchoredPanel(w.RzPanel2);
    w.RzPanel1->setObjectName(QStringLiteral("RzPanel1"));
    w.RzPanel1->setGeometry(28, 25, 688, 764);
    w.RzPanel2->anchor(w.RzPanel1, Qt::TopEdge | Qt::BottomEdge);
    QWidget *p = w.RzPanel1;

    // The three linked value inputs.
    w.txtBalance = makeText(p, "txtBalance", QStringLiteral("Balance:"), QRect(95, 19, 45, 17), Qt::AlignRight);
    w.edtBalance = makeEdit(p, "edtBalance", QRect(143, 15, 69, 21), QStringLiteral("#,##0.00;(#,##0.00)"),
                            50000.0L, 2100.0L);
    w.trkBalance = makeSlider(p, "trkBalance", 1, 50000, 100, 5000, 2100);

    w.txtAPR = makeText(p, "txtAPR", QStringLiteral("Annual Percentage Rate:"), QRect(15, 62, 125, 17),
                        Qt::AlignRight);
    w.edtAPR = makeEdit(p, "edtAPR", QRect(143, 58, 69, 21), QStringLiteral("#,##0.00;(#,##0.00)"), 36.0L, 17.9L);
    w.trkAPR = makeSlider(p, "trkAPR", 44, 3600, 100, 400, 1790);

    w.txtMinPmtPct = makeText(p, "txtMinPmtPct", QStringLiteral("Minimum Payment Percent:"),
                              QRect(7, 103, 133, 17), Qt::AlignRight);
    w.edtMinPmtPct = makeEdit(p, "edtMinPmtPct", QRect(146, 99, 69, 21), QStringLiteral("#,##0.0;(#,##0.0)"),
                              100.0L, 2.5L);
    w.edtMinPmtPct->setRangeTest(true);
    w.trkMinPmtPct = makeSlider(p, "trkMinPmtPct", 85, 120, 10, 20, 25);

    // Extra money and constant payment.
    w.txtExtraMoney = makeText(p, "txtExtraMoney", QStringLiteral("Extra Money Each Month:"),
                               QRect(12, 144, 128, 17), Qt::AlignRight);
    w.rgpExtraMoney = new RadioGroup(p);
    w.rgpExtraMoney->setObjectName(QStringLiteral("rgpExtraMoney"));
    w.rgpExtraMoney->setGeometry(146, 139, 347, 24);
    w.rgpExtraMoney->setColumns(8);
    QStringList items;
    for (int amount : calc::ExtraMoneyChoices)
        items << QString::number(amount);
    w.rgpExtraMoney->setItems(items);
    w.rgpExtraMoney->setItemIndex(0);

    w.cbxConstantPayment = new QCheckBox(QStringLiteral("Constant Payment"), p);
    w.cbxConstantPayment->setObjectName(QStringLiteral("cbxConstantPayment"));
    w.cbxConstantPayment->setGeometry(544, 143, 108, 15);

    // The results: captions above, values below, fixed size, centred.
    w.txtMinPmtCaption = makeText(p, "txtMinPmtCaption", QStringLiteral("Minimum Payment"), QRect(36, 194, 110, 17),
                                  Qt::AlignHCenter);
    w.StaticText2 = makeText(p, "StaticText2", QStringLiteral("Total Interest Paid"), QRect(162, 194, 110, 17),
                             Qt::AlignHCenter);
    w.StaticText3 = makeText(p, "StaticText3", QStringLiteral("Total Money Paid"), QRect(289, 194, 110, 17),
                             Qt::AlignHCenter);
    w.StaticText4 = makeText(p, "StaticText4", QStringLiteral("Number of Payments"), QRect(415, 194, 110, 17),
                             Qt::AlignHCenter);
    w.StaticText6 = makeText(p, "StaticText6", QStringLiteral("Length of Payoff Time"), QRect(542, 195, 110, 17),
                             Qt::AlignHCenter);
    w.txtMinPmtValue = makeText(p, "txtMinPmtValue", QString(), QRect(36, 212, 110, 17), Qt::AlignHCenter);
    w.txtTotalFinanceChargeValue = makeText(p, "txtTotalFinanceChargeValue", QString(), QRect(162, 212, 110, 17),
                                            Qt::AlignHCenter);
    w.txtTotalMoneyPaidValue = makeText(p, "txtTotalMoneyPaidValue", QString(), QRect(289, 212, 110, 17),
                                        Qt::AlignHCenter);
    w.txtNumberofPaymentsValue = makeText(p, "txtNumberofPaymentsValue", QStringLiteral(" "),
                                          QRect(415, 212, 110, 17), Qt::AlignHCenter);
    w.txtPayoffLength = makeText(p, "txtPayoffLength", QString(), QRect(542, 212, 110, 17), Qt::AlignHCenter);

    // The schedule table and its grid.
    w.ClientDataSet1 = new ScheduleModel(&w);
    w.ClientDataSet1->setObjectName(QStringLiteral("ClientDataSet1"));
    w.RzDBGrid1 = new ScheduleGrid(p);
    w.RzDBGrid1->setObjectName(QStringLiteral("RzDBGrid1"));
    w.RzDBGrid1->setGeometry(79, 240, 531, 474);
    w.RzDBGrid1->setModel(w.ClientDataSet1);
    w.RzDBGrid1->setAccessibleName(QStringLiteral("Payment schedule"));
    w.RzPanel1->anchor(w.RzDBGrid1, Qt::TopEdge | Qt::BottomEdge);

    w.RzBitBtn1 = new QPushButton(QStringLiteral("Print"), p);
    w.RzBitBtn1->setObjectName(QStringLiteral("RzBitBtn1"));
    QIcon printer(QStringLiteral(":/ui/icons/print.png"));
    printer.addFile(QStringLiteral(":/ui/icons/print-disabled.png"), QSize(), QIcon::Disabled);
    w.RzBitBtn1->setIcon(printer);
    w.RzBitBtn1->setIconSize(QSize(16, 16));
    w.RzBitBtn1->setGeometry(534, 731, 76, 25);
    w.RzPanel1->anchor(w.RzBitBtn1, Qt::BottomEdge);

    // Tab cycles through the grid, Print, the extra-money choice and the
    // constant-payment box; inputs, sliders and texts are no tab stops.
    QWidget::setTabOrder(w.RzDBGrid1, w.RzBitBtn1);
    QWidget *previous = w.RzBitBtn1;
    for (int i = 0; i < w.rgpExtraMoney->count(); ++i) {
        QWidget::setTabOrder(previous, w.rgpExtraMoney->button(i));
        previous = w.rgpExtraMoney->button(i);
    }
    QWidget::setTabOrder(previous, w.cbxConstantPayment);

    // The designed client size; the menu bar comes on top of it.
    w.resize(DesignedClientSize.width(), DesignedClientSize.height() + w.MainMenu1->sizeHint().height());
}

} // namespace MainWindowLayout
