#pragma once

// The banded report template "Report1" as data.
//
// A template is four bands (title, page header, detail, page footer), each a
// height and a list of elements; an element is a kind, a box in millimetres
// from the band's top-left corner (whose left edge lies on the page's left
// margin), a font, an alignment, and what it shows (a fixed text, a field with
// its display format, the date, the page number, a rule, a rectangle, the logo
// or the pie). ReportPainter paints any template; nothing else in the report
// places drawing by hand.

#include "report/reportfields.h"

#include <QColor>
#include <QMarginsF>
#include <QPageSize>
#include <QRectF>
#include <QString>

#include <vector>

namespace report {

// A colour stored as a 24-bit value with blue in the high byte and red in the
// low byte (9926991 is RGB 79, 121, 151).
constexpr QRgb RgbFromBgr(quint32 value)
{
    return qRgb(int(value & 0xff), int((value >> 8) & 0xff), int((value >> 16) & 0xff));
}

enum class ElementKind {
    Label,      // fixed text
    FieldText,  // a field of the single record or of the current schedule row
    Date,       // the current date, short format
    PageNumber, // the page's number, the title page being 1
    Line,       // horizontal rule along the top of the box
    Rectangle,  // filled box with an optional outline
    Picture,    // the logo banner
    Chart,      // the balance/interest pie
};

enum class FieldSourceKind { SingleRecord, ScheduleRow };

struct ReportElement
{
    QString name;
    ElementKind kind = ElementKind::Label;
    QRectF box; // millimetres
    QString fontFamily;
    double pointSize = 0;
    bool bold = false;
    Qt::Alignment alignment = Qt::AlignRight;
    QString text;                                    // Label
    FieldSourceKind source = FieldSourceKind::SingleRecord; // FieldText
    QString field;                                   // FieldText
    QString format;                                  // FieldText display format
    QColor colour = Qt::black;                       // text or rule colour
    QColor fill;                                     // Rectangle
    QColor outline;                                  // Rectangle; invalid for none
    double weightPt = 0;                             // Line
    bool fullWidth = false;                          // Line: spans the band whatever the margins
    bool visible = true;
};

struct ReportBand
{
    QString name;
    double heightMm = 0;
    std::vector<ReportElement> elements;

    ReportElement *find(const QString &elementName);
    const ReportElement *find(const QString &elementName) const;
};

struct ReportTemplate
{
    QPageSize paper{QPageSize::Letter};
    QMarginsF marginsMm;  // left, top, right, bottom
    QString documentName; // the print job's name
    ReportBand title;     // fills page 1, then a page break
    ReportBand header;    // pages 2 to last
    ReportBand detail;    // one per schedule row
    ReportBand footer;    // every page, at the bottom margin

    ReportElement *find(const QString &elementName);
    const ReportElement *find(const QString &elementName) const;
};

// The product's one-line copyright notice printed in the footer.
QString DefaultCopyrightNotice();

// Orvanel's payoff report: US Letter portrait, the title page with the
// supplied values, the summary and the pie, then the schedule pages.
ReportTemplate MakeReport1(const QString &copyrightNotice = DefaultCopyrightNotice());

// Slice colours and outline of the pie, shared with the legend swatches.
inline constexpr quint32 BalanceColour = 9926991;  // RGB 79, 121, 151
inline constexpr quint32 InterestColour = 919731;  // RGB 179, 8, 14
inline constexpr quint32 OutlineColour = 15198183; // RGB 231, 231, 231
inline constexpr quint32 RuleColour = 12420154;    // RGB 58, 132, 189

} // namespace report
