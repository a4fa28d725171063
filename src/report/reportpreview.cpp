#include "report/reportpreview.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QStandardPaths>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace report {

ReportPreviewDialog::PrintDialogHook ReportPreviewDialog::printDialogHook;
ReportPreviewDialog::SaveFileHook ReportPreviewDialog::saveFileHook;
ReportPreviewDialog::MessageHook ReportPreviewDialog::messageHook;
PreviewOpenHook previewOpenHook;

namespace {

QIcon PreviewIcon()
{
    // The card of the logo banner, as the window's 32 x 32 icon.
    const QImage logo(QStringLiteral(":/report/logo.png"));
    if (logo.isNull())
        return {};
    return QIcon(QPixmap::fromImage(logo.copy(QRect(22, 20, 152, 152))
                                        .scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

} // namespace

ReportPreviewDialog::ReportPreviewDialog(PayoffReport &report, const ReportInput &input, QWidget *parent)
    : QDialog(parent), m_report(report), m_input(input)
{
    setModal(true);
    setWindowIcon(PreviewIcon());
    setSizeGripEnabled(true);

    m_preview = new QPrintPreviewWidget(&m_report.printer(), this);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) {
        QString error;
        if (!m_report.generate(*printer, m_input, &error))
            showError(error);
    });
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &ReportPreviewDialog::updatePageLabel);

    auto *toolbar = new QToolBar(this);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_printAction = toolbar->addAction(style()->standardIcon(QStyle::SP_DialogApplyButton), tr("Print..."));
    m_exportAction = toolbar->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), tr("Export PDF"));
    toolbar->addSeparator();
    QAction *first = toolbar->addAction(style()->standardIcon(QStyle::SP_MediaSkipBackward), tr("First"));
    QAction *previous = toolbar->addAction(style()->standardIcon(QStyle::SP_MediaSeekBackward), tr("Previous"));
    QAction *next = toolbar->addAction(style()->standardIcon(QStyle::SP_MediaSeekForward), tr("Next"));
    QAction *last = toolbar->addAction(style()->standardIcon(QStyle::SP_MediaSkipForward), tr("Last"));
    // The page buttons show their pictures alone, so the whole bar fits the
    // window's width.
    for (QAction *action : {first, previous, next, last}) {
        action->setToolTip(action->text());
        if (auto *button = qobject_cast<QToolButton *>(toolbar->widgetForAction(action)))
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    m_pageLabel = new QLabel(this);
    m_pageLabel->setContentsMargins(8, 0, 8, 0);
    toolbar->addWidget(m_pageLabel);
    toolbar->addSeparator();
    QAction *pageWidth = toolbar->addAction(tr("Page Width"));
    QAction *zoomIn = toolbar->addAction(tr("Zoom In"));
    QAction *zoomOut = toolbar->addAction(tr("Zoom Out"));
    toolbar->addSeparator();
    QAction *close = toolbar->addAction(style()->standardIcon(QStyle::SP_DialogCloseButton), tr("Close"));

    connect(m_printAction, &QAction::triggered, this, &ReportPreviewDialog::printReport);
    connect(m_exportAction, &QAction::triggered, this, &ReportPreviewDialog::exportPdf);
    connect(first, &QAction::triggered, m_preview, [this] { m_preview->setCurrentPage(1); });
    connect(previous, &QAction::triggered, m_preview,
            [this] { m_preview->setCurrentPage(std::max(1, m_preview->currentPage() - 1)); });
    connect(next, &QAction::triggered, m_preview, [this] {
        m_preview->setCurrentPage(std::min(m_preview->pageCount(), m_preview->currentPage() + 1));
    });
    connect(last, &QAction::triggered, m_preview, [this] { m_preview->setCurrentPage(m_preview->pageCount()); });
    for (QAction *action : {first, previous, next, last})
        connect(action, &QAction::triggered, this, &ReportPreviewDialog::updatePageLabel);
    connect(pageWidth, &QAction::triggered, m_preview, &QPrintPreviewWidget::fitToWidth);
    connect(zoomIn, &QAction::triggered, m_preview, [this] { m_preview->zoomIn(); });
    connect(zoomOut, &QAction::triggered, m_preview, [this] { m_preview->zoomOut(); });
    connect(close, &QAction::triggered, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(m_preview, 1);
}

QString ReportPreviewDialog::DefaultExportPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("Report.pdf"));
}

void ReportPreviewDialog::showError(const QString &message)
{
    if (messageHook)
        messageHook(this, message);
    else
        QMessageBox::critical(this, QStringLiteral("Error"), message);
}

void ReportPreviewDialog::updatePageLabel()
{
    m_pageLabel->setText(tr("Page %1 of %2").arg(m_preview->currentPage()).arg(m_preview->pageCount()));
}

void ReportPreviewDialog::printReport()
{
    QPrinter &printer = m_report.printer();
    bool accepted = false;
    if (printDialogHook) {
        accepted = printDialogHook(printer, this);
    } else {
        QPrintDialog dialog(&printer, this);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    if (!accepted)
        return;
    QString error;
    if (!m_report.generate(printer, m_input, &error))
        showError(error);
    // The printer, paper and orientation chosen stay in the setup; the
    // preview shows what they give.
    m_preview->updatePreview();
}

void ReportPreviewDialog::exportPdf()
{
    const QString suggested = DefaultExportPath();
    QString path = saveFileHook ? saveFileHook(this, suggested)
                                : QFileDialog::getSaveFileName(this, tr("Export PDF"), suggested,
                                                               tr("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QLatin1String(".pdf");
    QString error;
    if (!WriteReportPdf(path, m_report, m_input, m_report.printer().pageLayout(), &error))
        showError(error);
}

void Report1PreviewFormCreate(ReportPreviewDialog &dialog, PayoffReport &report, const PrinterReader &reader,
                              const QString &caption)
{
    QPrinter &printer = report.printer();
    if (const auto metrics = ReadPrinterMetrics(reader)) {
        const QPageLayout current = printer.pageLayout();
        printer.setPageLayout(WithMargins(current, MarginsFor(*metrics, current.orientation())));
    }
    dialog.setWindowTitle(caption);
    dialog.resize(914, 800);
    QPrintPreviewWidget *preview = dialog.previewWidget();
    preview->setZoomFactor(1.0);
    preview->setViewMode(QPrintPreviewWidget::SinglePageView);
    preview->fitToWidth();
}

void PreviewReport(PayoffReport &report, const ReportInput &input, QWidget *parent, const QString &caption,
                   const PrinterReader *reader)
{
    report.reset();
    ReportPreviewDialog dialog(report, input, parent);
    const QPrinterReader printerReader(report.printer());
    Report1PreviewFormCreate(dialog, report, reader ? *reader : printerReader, caption);
    if (previewOpenHook)
        previewOpenHook(dialog);
    else
        dialog.exec();
}

} // namespace report
