#include "report/reporttemplate.h"

#include <optional>

namespace report {

namespace {

const QString Tahoma = QStringLiteral("Tahoma");
const QString Arial = QStringLiteral("Arial");

ReportElement Label(const char *name, const QString &text, QRectF box, const QString &family, double size,
                    Qt::Alignment alignment = Qt::AlignRight, bool bold = false)
{
    ReportElement e;
    e.name = QString::fromLatin1(name);
    e.kind = ElementKind::Label;
    e.text = text;
    e.box = box;
    e.fontFamily = family;
    e.pointSize = size;
    e.alignment = alignment;
    e.bold = bold;
    return e;
}

ReportElement Field(const char *name, FieldSourceKind source, const char *field, const char *format, QRectF box,
                    const QString &family, double size)
{
    ReportElement e;
    e.name = QString::fromLatin1(name);
    e.kind = ElementKind::FieldText;
    e.source = source;
    e.field = QString::fromLatin1(field);
    e.format = QString::fromLatin1(format);
    e.box = box;
    e.fontFamily = family;
    e.pointSize = size;
    e.alignment = Qt::AlignRight;
    return e;
}

ReportElement Rule(const char *name, QRectF box)
{
    ReportElement e;
    e.name = QString::fromLatin1(name);
    e.kind = ElementKind::Line;
    e.box = box;
    e.colour = QColor(RgbFromBgr(RuleColour));
    e.weightPt = 2.25;
    e.fullWidth = true;
    return e;
}

ReportElement Box(const char *name, QRectF box, quint32 fill, std::optional<quint32> outline)
{
    ReportElement e;
    e.name = QString::fromLatin1(name);
    e.kind = ElementKind::Rectangle;
    e.box = box;
    e.fill = QColor(RgbFromBgr(fill));
    if (outline)
        e.outline = QColor(RgbFromBgr(*outline));
    return e;
}

ReportElement Simple(const char *name, ElementKind kind, QRectF box)
{
    ReportElement e;
    e.name = QString::fromLatin1(name);
    e.kind = kind;
    e.box = box;
    return e;
}

// The logo banner and the title with its rule head both the title page and
// every schedule page.
void AddBanner(ReportBand &band, const char *image, const char *title, const char *rule)
{
    band.elements.push_back(Simple(image, ElementKind::Picture, {0, 0, 70.908, 19.579}));
    band.elements.push_back(Field(title, FieldSourceKind::SingleRecord, "Title", "", {75.936, 12.965, 127.265, 6.615},
                                  Tahoma, 16));
    band.elements.push_back(Rule(rule, {0, 20.902, 203.200, 3.440}));
}

ReportBand TitleBand(const QString &copyright)
{
    ReportBand band{QStringLiteral("ppTitleBand2"), 256.911, {}};
    AddBanner(band, "ppImage2", "ppDBText14", "ppLine1");
    auto &e = band.elements;

    e.push_back(Box("ppShape1", {25.400, 33.066, 152.400, 10.319}, OutlineColour, std::nullopt));
    e.push_back(Label("ppLabel14", QStringLiteral("Supplied Values"), {76.994, 33.597, 49.213, 8.731}, Tahoma, 20));
    e.push_back(Box("ppShape2", {25.400, 92.871, 152.400, 10.319}, OutlineColour, std::nullopt));
    e.push_back(Label("ppLabel15", QStringLiteral("Summary Details"), {75.142, 93.378, 52.917, 8.731}, Tahoma, 20));
    e.push_back(Box("ppShape3", {25.400, 159.544, 152.400, 10.319}, OutlineColour, std::nullopt));
    e.push_back(Label("ppLabel20", QStringLiteral("Balance Interest Breakdown"), {57.680, 160.073, 87.842, 8.732},
                      Tahoma, 20));

    // Caption and value pairs: captions end at 101.6 mm, values are 34.925 mm
    // wide and right-aligned.
    struct Pair
    {
        const char *label;
        const char *caption;
        QRectF captionBox;
        const char *value;
        const char *field;
        QPointF valueAt;
        const char *format;
    };
    const Pair pairs[] = {
        {"ppLabel7", "Balance:", {82.560, 45.519, 19.050, 6.085}, "ppDBText7", "Balance", {102.669, 45.519},
         "#,0.00;(#,0.00)"},
        {"ppLabel8", "Annual Percentage Rate:", {46.312, 52.663, 55.298, 6.085}, "ppDBText8", "APR",
         {102.669, 52.663}, "#,0.00;(#,0.00)"},
        {"ppLabel9", "Minimum Payment Percent:", {40.491, 59.806, 61.119, 6.086}, "ppDBText9", "MinPmtPct",
         {102.669, 59.806}, "#,0.0;(#,0.0)"},
        {"ppLabel10", "Extra Money Each Month:", {44.186, 66.950, 57.414, 6.086}, "ppDBText10", "ExtraMoney",
         {102.669, 66.950}, "#,0.00;(#,0.00)"},
        {"ppLabel12", "Constant Payment:", {59.796, 74.071, 41.804, 6.085}, "ppDBText11", "ConstantPayment",
         {102.669, 74.094}, "Yes;No"},
        {"ppLabel13", "Minimum Payment:", {58.738, 105.859, 42.862, 6.086}, "ppDBText13", "MinPmt",
         {102.659, 105.871}, "#,0.00;-#,0.00"},
        {"ppLabel16", "Total Interest Paid:", {59.267, 113.222, 42.333, 6.085}, "ppDBText15", "TotalInterestPaid",
         {102.659, 113.222}, "#,0.00;(#,0.00)"},
        {"ppLabel17", "Total Money Paid:", {61.913, 120.365, 39.687, 6.086}, "ppDBText16", "TotalMoneyPaid",
         {102.659, 120.365}, "#,0.00;-#,0.00"},
        {"ppLabel18", "Number of Payments:", {53.181, 127.509, 48.419, 6.085}, "ppDBText17", "NumberOfPayments",
         {102.659, 127.509}, "#,0;-#,0"},
        {"ppLabel19", "Length of Payoff Time:", {51.065, 134.653, 50.535, 6.085}, "ppDBText18",
         "LengthOfPayoffTime", {102.659, 134.653}, ""},
    };
    for (const Pair &pair : pairs) {
        e.push_back(Label(pair.label, QString::fromLatin1(pair.caption), pair.captionBox, Tahoma, 14));
        e.push_back(Field(pair.value, FieldSourceKind::SingleRecord, pair.field, pair.format,
                          {pair.valueAt, QSizeF(34.925, 6.085)}, Tahoma, 14));
    }

    e.push_back(Simple("ppDPTeeChart1", ElementKind::Chart, {55.298, 173.557, 92.604, 52.917}));
    e.push_back(Box("ppShape4", {72.760, 229.130, 4.763, 4.233}, BalanceColour, OutlineColour));
    e.push_back(Label("ppLabel21", QStringLiteral("Balance"), {79.262, 228.073, 17.198, 6.085}, Tahoma, 14,
                      Qt::AlignLeft));
    e.push_back(Box("ppShape5", {106.358, 229.130, 4.763, 4.233}, InterestColour, OutlineColour));
    e.push_back(Label("ppLabel22", QStringLiteral("Interest"), {113.234, 228.070, 17.198, 6.085}, Tahoma, 14,
                      Qt::AlignLeft));
    e.push_back(Label("pplblTitleCopyright", copyright, {67.998, 253.471, 67.203, 3.439}, Tahoma, 8, Qt::AlignLeft));
    return band;
}

ReportBand HeaderBand()
{
    ReportBand band{QStringLiteral("ppHeaderBand1"), 41.804, {}};
    AddBanner(band, "ppImage1", "ppDBText12", "ppLine4");
    struct Title
    {
        const char *name;
        const char *text;
        double left;
        double width;
    };
    const Title titles[] = {
        {"ppLabel1", "Pmt", 36.513, 13.229},         {"ppLabel2", "Balance", 52.913, 19.050},
        {"ppLabel3", "Payment", 74.077, 19.050},     {"ppLabel4", "Interest", 96.831, 19.050},
        {"ppLabel5", "Principal", 118.791, 19.050},  {"ppLabel6", "New Balance", 143.933, 19.845},
    };
    for (const Title &title : titles)
        band.elements.push_back(Label(title.name, QString::fromLatin1(title.text),
                                      {title.left, 37.826, title.width, 3.969}, Arial, 9, Qt::AlignRight, true));
    return band;
}

ReportBand DetailBand()
{
    ReportBand band{QStringLiteral("ppDetailBand1"), 5.292, {}};
    struct Column
    {
        const char *name;
        const char *field;
        double left;
        double width;
        const char *format;
    };
    const Column columns[] = {
        {"ppDBText1", "Pmt", 36.511, 13.229, ""},
        {"ppDBText2", "Balance", 52.116, 19.845, "#,0.00;(#,0.00)"},
        {"ppDBText3", "Payment", 73.280, 19.845, "#,0.00;(#,0.00)"},
        {"ppDBText4", "Interest", 96.034, 19.845, "#,0.00;(#,0.00)"},
        {"ppDBText5", "Principal", 117.995, 19.845, "#,0.00;(#,0.00)"},
        {"ppDBText6", "NewBalance", 143.908, 19.845, "#,0.00;(#,0.00)"},
    };
    for (const Column &column : columns)
        band.elements.push_back(Field(column.name, FieldSourceKind::ScheduleRow, column.field, column.format,
                                      {column.left, 1.323, column.width, 3.969}, Arial, 9));
    return band;
}

ReportBand FooterBand(const QString &copyright)
{
    ReportBand band{QStringLiteral("ppFooterBand1"), 5.292, {}};
    ReportElement date = Simple("ppSystemVariable1", ElementKind::Date, {0, 1.845, 11.642, 3.440});
    date.fontFamily = Tahoma;
    date.pointSize = 8;
    date.alignment = Qt::AlignLeft;
    band.elements.push_back(date);
    band.elements.push_back(Label("ppLabel11", copyright, {67.998, 1.845, 67.204, 3.440}, Tahoma, 8, Qt::AlignLeft));
    ReportElement page = Simple("ppSystemVariable2", ElementKind::PageNumber, {201.613, 1.050, 1.588, 3.440});
    page.fontFamily = Tahoma;
    page.pointSize = 8;
    page.alignment = Qt::AlignRight;
    band.elements.push_back(page);
    return band;
}

template<typename Band>
auto FindIn(Band &band, const QString &name) -> decltype(&band.elements.front())
{
    for (auto &element : band.elements) {
        if (element.name == name)
            return &element;
    }
    return nullptr;
}

} // namespace

ReportElement *ReportBand::find(const QString &elementName) { return FindIn(*this, elementName); }
const ReportElement *ReportBand::find(const QString &elementName) const { return FindIn(*this, elementName); }

ReportElement *ReportTemplate::find(const QString &elementName)
{
    for (ReportBand *band : {&title, &header, &detail, &footer}) {
        if (ReportElement *element = band->find(elementName))
            return element;
    }
    return nullptr;
}

const ReportElement *ReportTemplate::find(const QString &elementName) const
{
    return const_cast<ReportTemplate *>(this)->find(elementName);
}

QString DefaultCopyrightNotice()
{
    return QStringLiteral("Copyright \u00A9 2026 Example Software. All rights reserved.");
}

ReportTemplate MakeReport1(const QString &copyrightNotice)
{
    ReportTemplate report;
    report.paper = QPageSize(QPageSize::Letter);
    // left, top, right, bottom: 0.25, 0.07, 0.25 and 0.6 inch.
    report.marginsMm = QMarginsF(6.350, 1.778, 6.350, 15.240);
    report.documentName = QStringLiteral("Report");
    report.title = TitleBand(copyrightNotice);
    report.header = HeaderBand();
    report.detail = DetailBand();
    report.footer = FooterBand(copyrightNotice);
    return report;
}

} // namespace report
