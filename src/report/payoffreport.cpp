#include "report/payoffreport.h"

#include "calc/numbertext.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include <cmath>

static void InitReportResources()
{
    Q_INIT_RESOURCE(report);
}

namespace report {

namespace {

constexpr double MmPerInch = 25.4;
constexpr double MmPerPoint = 25.4 / 72.0;

QFont FontOf(const ReportElement &element)
{
    QFont font(element.fontFamily);
    font.setPointSizeF(element.pointSize);
    font.setBold(element.bold);
    // Text is laid out for the printer, not hinted for the screen.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

void EnsureReportFonts()
{
    static bool done = false;
    if (done || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    done = true;
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
        return;
    for (const char *file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
        if (QFile::exists(QString::fromLatin1(file)))
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    }
}

PayoffReport::PayoffReport(const QString &copyrightNotice)
    : m_template(MakeReport1(copyrightNotice))
{
    InitReportResources();
    m_logo = QImage(QStringLiteral(":/report/logo.png"));
}

PayoffReport::~PayoffReport() = default;

QMarginsF PayoffReport::templateMarginsInch() const
{
    const QMarginsF mm = m_template.marginsMm;
    return QMarginsF(mm.left() / MmPerInch, mm.top() / MmPerInch, mm.right() / MmPerInch, mm.bottom() / MmPerInch);
}

QPrinter &PayoffReport::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setDocName(m_template.documentName);
        m_printer->setPageSize(m_template.paper);
        m_printer->setPageOrientation(QPageLayout::Portrait);
        const QMarginsF inch = templateMarginsInch();
        m_printer->setPageLayout(WithMargins(m_printer->pageLayout(),
                                             ReportMargins{float(inch.top()), float(inch.bottom()),
                                                           float(inch.left()), float(inch.right())}));
    }
    return *m_printer;
}

void PayoffReport::ppTitleBand2BeforePrint(const FieldProvider &fields, const QLocale &locale)
{
    // The total-interest text is read by the locale that wrote it, so the
    // slice is the number the summary shows under any separators.
    const ReportValue interestText = fields ? fields(QStringLiteral("TotalInterestPaid")) : ReportValue{};

    if (ReportElement *swatch = m_template.find(QStringLiteral("ppShape4"))) {
        swatch->fill = QColor(RgbFromBgr(BalanceColour));
        swatch->outline = QColor(RgbFromBgr(OutlineColour));
    }
    if (ReportElement *swatch = m_template.find(QStringLiteral("ppShape5"))) {
        swatch->fill = QColor(RgbFromBgr(InterestColour));
        swatch->outline = QColor(RgbFromBgr(OutlineColour));
    }
    if (ReportElement *copyright = m_template.find(QStringLiteral("pplblTitleCopyright")))
        copyright->visible = false;

    m_series.clear();
    double balance = 0;
    const ReportValue balanceValue = fields ? fields(QStringLiteral("Balance")) : ReportValue{};
    if (const double *value = std::get_if<double>(&balanceValue))
        balance = *value;
    m_series.add(balance, QStringLiteral("Balance"), QColor(RgbFromBgr(BalanceColour)));

    // A text that is no number (never the case once a calculation ran) gives
    // an empty slice rather than a wrong one.
    double interest = 0;
    if (const QString *text = std::get_if<QString>(&interestText)) {
        if (const auto number = calc::ParseNumberText(*text, locale))
            interest = number->toDouble();
    }
    m_series.add(interest, QStringLiteral("Interest"), QColor(RgbFromBgr(InterestColour)));
}

void PayoffReport::ppFooterBand1BeforePrint(int absolutePageNumber)
{
    const bool show = absolutePageNumber != 1;
    for (const char *name : {"ppSystemVariable1", "ppSystemVariable2"}) {
        if (ReportElement *element = m_template.find(QString::fromLatin1(name)))
            element->visible = show;
    }
}

void PayoffReport::paintBand(QPainter &painter, const ReportBand &band, double topMm, double bandWidthMm,
                             const ReportInput &input, const calc::ScheduleRow *row, int pageNumber)
{
    const double sx = m_pxPerMmX;
    const double sy = m_pxPerMmY;
    auto toDevice = [&](const QRectF &mm) {
        return QRectF(mm.left() * sx, (topMm + mm.top()) * sy, mm.width() * sx, mm.height() * sy);
    };
    const QLocale &locale = input.options.locale;

    for (const ReportElement &element : band.elements) {
        if (!element.visible)
            continue;
        const QRectF box = toDevice(element.box);
        QString text;
        switch (element.kind) {
        case ElementKind::Label:
            text = element.text;
            break;
        case ElementKind::FieldText:
            if (element.source == FieldSourceKind::ScheduleRow) {
                if (row)
                    text = FieldText(RowFieldValue(*row, element.field), RowFieldType(element.field), element.format,
                                     locale);
            } else if (input.fields) {
                text = FieldText(input.fields(element.field), SingleRecordFieldType(element.field), element.format,
                                 locale);
            }
            break;
        case ElementKind::Date:
            text = locale.toString(input.options.date, QLocale::ShortFormat);
            break;
        case ElementKind::PageNumber:
            text = QString::number(pageNumber);
            break;
        case ElementKind::Line: {
            const double width = element.fullWidth ? bandWidthMm : element.box.width();
            const double thickness = element.weightPt * MmPerPoint;
            painter.fillRect(toDevice(QRectF(element.box.left(), element.box.top(), width, thickness)),
                             element.colour);
            continue;
        }
        case ElementKind::Rectangle: {
            painter.save();
            painter.setBrush(element.fill.isValid() ? QBrush(element.fill) : QBrush(Qt::NoBrush));
            if (element.outline.isValid()) {
                QPen pen(element.outline);
                pen.setWidthF(0.265 * sx); // one screen pixel at 96 dpi
                pen.setJoinStyle(Qt::MiterJoin);
                painter.setPen(pen);
            } else {
                painter.setPen(Qt::NoPen);
            }
            painter.drawRect(box);
            painter.restore();
            continue;
        }
        case ElementKind::Picture: {
            if (m_logo.isNull())
                continue;
            QSizeF size = QSizeF(m_logo.size()).scaled(box.size(), Qt::KeepAspectRatio);
            QRectF target(QPointF(0, 0), size);
            target.moveCenter(box.center());
            painter.drawImage(target, m_logo);
            continue;
        }
        case ElementKind::Chart:
            PaintPie(painter, box, m_series.slices());
            continue;
        }
        if (text.isEmpty())
            continue;
        painter.setFont(FontOf(element));
        painter.setPen(element.colour);
        // On the baseline of the element's own font: a character the font
        // lacks (the narrow no-break space that groups French thousands) is
        // drawn from a fallback font without moving the line.
        const QFontMetricsF metrics(painter.font(), painter.device());
        const double width = metrics.horizontalAdvance(text);
        double x = box.left();
        if (element.alignment & Qt::AlignRight)
            x = box.right() - width;
        else if (element.alignment & Qt::AlignHCenter)
            x = box.center().x() - width / 2;
        painter.drawText(QPointF(x, box.top() + metrics.ascent()), text);
    }
}

bool PayoffReport::generate(QPagedPaintDevice &device, const ReportInput &input, QString *error)
{
    EnsureReportFonts();
    m_pageCount = 0;
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = QStringLiteral("The report could not be started on the printer or file.");
        return false;
    }
    static const std::vector<calc::ScheduleRow> noRows;
    const std::vector<calc::ScheduleRow> &rows = input.rows ? *input.rows : noRows;
    if (rows.empty()) {
        // No rows: one blank page, no band and no field read.
        painter.end();
        m_pageCount = 1;
        return true;
    }

    const QRectF paint = device.pageLayout().paintRect(QPageLayout::Millimeter);
    if (paint.width() <= 0 || paint.height() <= 0) {
        if (error)
            *error = QStringLiteral("The page has no room inside its margins.");
        return false;
    }
    m_pxPerMmX = device.width() / paint.width();
    m_pxPerMmY = device.height() / paint.height();
    const double bandWidth = paint.width();
    const double footerTop = paint.height() - m_template.footer.heightMm;

    int page = 1;
    ppTitleBand2BeforePrint(input.fields, input.options.locale);
    paintBand(painter, m_template.title, 0, bandWidth, input, nullptr, page);
    ppFooterBand1BeforePrint(page);
    paintBand(painter, m_template.footer, footerTop, bandWidth, input, nullptr, page);

    std::size_t next = 0;
    while (next < rows.size()) {
        device.newPage();
        ++page;
        paintBand(painter, m_template.header, 0, bandWidth, input, nullptr, page);
        double y = m_template.header.heightMm;
        bool any = false;
        // A line goes on the page while it ends above the footer; a page
        // too short for any line still takes one, so the report always ends.
        while (next < rows.size() && (!any || y + m_template.detail.heightMm <= footerTop + 1e-6)) {
            paintBand(painter, m_template.detail, y, bandWidth, input, &rows[next], page);
            y += m_template.detail.heightMm;
            ++next;
            any = true;
        }
        ppFooterBand1BeforePrint(page);
        paintBand(painter, m_template.footer, footerTop, bandWidth, input, nullptr, page);
    }
    painter.end();
    m_pageCount = page;
    return true;
}

bool RenderReport(QPagedPaintDevice &device, const FieldProvider &fields, const std::vector<calc::ScheduleRow> &rows,
                  const GenerateOptions &options, QString *error)
{
    PayoffReport report;
    return report.generate(device, ReportInput{fields, &rows, options}, error);
}

QMarginsF DefaultReportMarginsInch(const PrinterReader *reader)
{
    const PayoffReport layoutOnly;
    const QMarginsF fallback = layoutOnly.templateMarginsInch();
    std::optional<PrinterMetrics> metrics;
    if (reader) {
        metrics = ReadPrinterMetrics(*reader);
    } else {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (!info.isNull()) {
            QPrinter printer(info, QPrinter::HighResolution);
            printer.setPageSize(QPageSize(QPageSize::Letter));
            printer.setPageOrientation(QPageLayout::Portrait);
            metrics = ReadPrinterMetrics(QPrinterReader(printer));
        }
    }
    if (!metrics)
        return fallback;
    return ApplyMargins(fallback, MarginsFor(*metrics, QPageLayout::Portrait));
}

bool WriteReportPdf(const QString &path, PayoffReport &report, const ReportInput &input, const QPageLayout &layout,
                    QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = QStringLiteral("The report cannot be written to \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(layout);
        writer.setTitle(report.layout().documentName);
        writer.setCreator(QStringLiteral("Orvanel"));
        if (!report.generate(writer, input, error)) {
            file.cancelWriting();
            return false;
        }
    }
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("The report cannot be written to \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool WriteReportPdf(const QString &path, const FieldProvider &fields, const std::vector<calc::ScheduleRow> &rows,
                    QString *error, const GenerateOptions &options)
{
    PayoffReport report;
    const QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, DefaultReportMarginsInch(),
                             QPageLayout::Inch);
    return WriteReportPdf(path, report, ReportInput{fields, &rows, options}, layout, error);
}

} // namespace report
