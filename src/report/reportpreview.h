#pragma once

// The report's modal preview window and the Print command's steps.
//
// PreviewReport is what the window's Print button runs: it discards the last
// generation, creates the preview, sets the page margins from the printer
// (Report1PreviewFormCreate), and shows the preview modally until the user
// closes it. The preview (ReportPreviewDialog) shows the pages at page width
// one below the other, prints through the print dialog onto the report's
// printer setup (whose choices stay for the run), and exports PDF.
//
// The print dialog, the file dialog, the error message and the modal loop
// itself go through replaceable hooks, so tests drive them without blocking.

#include "report/payoffreport.h"
#include "report/printermetrics.h"

#include <QDialog>

#include <functional>

class QAction;
class QLabel;
class QPrintPreviewWidget;
class QPrinter;

namespace report {

class ReportPreviewDialog : public QDialog
{
    Q_OBJECT
public:
    ReportPreviewDialog(PayoffReport &report, const ReportInput &input, QWidget *parent = nullptr);

    QPrintPreviewWidget *previewWidget() const { return m_preview; }
    QAction *printAction() const { return m_printAction; }
    QAction *exportAction() const { return m_exportAction; }

    // "Report.pdf" in the user's documents folder.
    static QString DefaultExportPath();

    // Shows the print dialog for the printer; true to print. Default: QPrintDialog.
    using PrintDialogHook = std::function<bool(QPrinter &printer, QWidget *parent)>;
    // Asks for the export file; an empty text cancels. Default: QFileDialog.
    using SaveFileHook = std::function<QString(QWidget *parent, const QString &suggested)>;
    // Shows an error. Default: QMessageBox titled "Error".
    using MessageHook = std::function<void(QWidget *parent, const QString &message)>;
    static PrintDialogHook printDialogHook;
    static SaveFileHook saveFileHook;
    static MessageHook messageHook;

public slots:
    void printReport();
    void exportPdf();

private:
    void showError(const QString &message);
    void updatePageLabel();

    PayoffReport &m_report;
    ReportInput m_input;
    QPrintPreviewWidget *m_preview = nullptr;
    QAction *m_printAction = nullptr;
    QAction *m_exportAction = nullptr;
    QLabel *m_pageLabel = nullptr;
};

// Once the preview exists and before any page is generated: the margins from
// the printer's readings, mapped by the printer setup's orientation (a reading
// that gives a negative margin leaves that margin as it was; no printer
// leaves all four), then the caption, 914 x 800 pixels, page width, one page
// at a time.
void Report1PreviewFormCreate(ReportPreviewDialog &dialog, PayoffReport &report, const PrinterReader &reader,
                              const QString &caption);

// Replaces the preview's modal loop (tests); the dialog is shown and closed
// by the hook.
using PreviewOpenHook = std::function<void(ReportPreviewDialog &dialog)>;
extern PreviewOpenHook previewOpenHook;

// The Print command's preview: reset, create, margins, modal preview. Reads
// the report's own printer when no reader is given.
void PreviewReport(PayoffReport &report, const ReportInput &input, QWidget *parent, const QString &caption,
                   const PrinterReader *reader = nullptr);

} // namespace report
