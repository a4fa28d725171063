#include "tfrmabout.h"

#include "appicon.h"
#include "applicationinfo.h"
#include "urllabel.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

TfrmAbout *frmAbout = nullptr;

namespace {

QFont tahoma(int pixelSize, bool bold = false, bool underline = false)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}

struct ProductLink
{
    const char *text;
    const char *hint;
    const char *url;
};

// Three other products of the maker (addresses under the example domain).
constexpr ProductLink OtherProducts[] = {
    {"Savings Goal Planner", "Visit the Savings Goal Planner web page",
     "https://www.example.com/savings-goal-planner/?ref=orvanel"},
    {"Loan Amortization Table", "Visit the Loan Amortization Table web page",
     "https://www.example.com/loan-amortization-table/?ref=orvanel"},
    {"Household Budget Sheet", "Visit the Household Budget Sheet web page",
     "https://www.example.com/household-budget-sheet/?ref=orvanel"},
};

} // namespace

TfrmAbout::TfrmAbout(QWidget *mainWindow, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setWindowIcon(ApplicationIcon());
    setFont(tahoma(11));
    setFixedSize(DesignedClientWidth, DesignedClientHeight);
    setSizeGripEnabled(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);
    setAutoFillBackground(true);

    RzPanel1 = new QWidget(this);
    RzPanel1->setObjectName(QStringLiteral("RzPanel1"));
    RzPanel1->setGeometry(0, 0, DesignedClientWidth, 99);
    QPalette white = RzPanel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    RzPanel1->setPalette(white);
    RzPanel1->setAutoFillBackground(true);

    Image1 = new QLabel(RzPanel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(1, 1, 364, 97);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(LogoPicture());

    txtProductName = new QLabel(this);
    txtProductName->setObjectName(QStringLiteral("txtProductName"));
    txtProductName->setGeometry(1, 115, DesignedClientWidth, 18);
    txtProductName->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    txtProductName->setFont(tahoma(13, true));

    txtCopyright = new QLabel(this);
    txtCopyright->setObjectName(QStringLiteral("txtCopyright"));
    txtCopyright->setGeometry(1, 138, DesignedClientWidth, 21);
    txtCopyright->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    txtCopyright->setFont(tahoma(12));

    StaticText1 = new QLabel(QStringLiteral("Other Products"), this);
    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setFont(tahoma(13, true));
    StaticText1->move(132, 190);
    StaticText1->adjustSize();

    const QFont linkFont = tahoma(12, false, true);
    auto makeLink = [&](const char *name, const QString &text, const QString &hint, int x, int y) {
        auto *link = new UrlLabel(this);
        link->setObjectName(QLatin1String(name));
        link->setFont(linkFont);
        link->setText(text);
        link->setToolTip(hint);
        link->move(x, y);
        link->adjustSize();
        link->resize(link->width(), 14);
        return link;
    };
    UrlLabel **others[] = {&RzURLLabel2, &RzURLLabel3, &RzURLLabel4};
    const char *otherNames[] = {"RzURLLabel2", "RzURLLabel3", "RzURLLabel4"};
    const int otherTops[] = {212, 233, 255};
    for (int i = 0; i < 3; ++i) {
        *others[i] = makeLink(otherNames[i], QString::fromUtf8(OtherProducts[i].text),
                              QString::fromUtf8(OtherProducts[i].hint), 111, otherTops[i]);
        (*others[i])->setUrl(QString::fromUtf8(OtherProducts[i].url));
    }

    RzURLLabel1 = makeLink("RzURLLabel1", QStringLiteral("www.example.com"),
                           QStringLiteral("Goto website"), 16, 320);
    RzURLLabel1->resize(115, 14);

    RzButton1 = new QPushButton(QStringLiteral("Close"), this);
    RzButton1->setObjectName(QStringLiteral("RzButton1"));
    RzButton1->setGeometry(280, 312, 75, 25);
    RzButton1->setDefault(true);
    connect(RzButton1, &QPushButton::clicked, this, &TfrmAbout::RzButton1Click);
}

TfrmAbout::~TfrmAbout()
{
    if (frmAbout == this)
        frmAbout = nullptr;
}

void TfrmAbout::setOpener(std::function<bool(const QUrl &)> opener)
{
    for (UrlLabel *link : {RzURLLabel1, RzURLLabel2, RzURLLabel3, RzURLLabel4})
        link->setOpener(opener);
}

void TfrmAbout::FormShow()
{
    if (m_mainWindow) {
        // Client sizes give the offsets, outer positions the origin; the
        // halving truncates toward zero (-5 / 2 = -2).
        const int dx = m_mainWindow->width() - width();
        const int dy = m_mainWindow->height() - height();
        const QPoint origin = m_mainWindow->pos();
        const QPoint outer(origin.x() + dx / 2, origin.y() + dy / 2);
        // move() places the outer corner once the window manager's frame is
        // known; before the first showing it is not, and the point would be
        // taken for the client corner. Our frame will be like the main
        // window's, so its top-left margins are added until we know ours.
        const QPoint ownFrame = geometry().topLeft() - frameGeometry().topLeft();
        const QPoint mainFrame = m_mainWindow->geometry().topLeft() - m_mainWindow->frameGeometry().topLeft();
        move(ownFrame.isNull() ? outer + mainFrame : outer);
    }
    txtProductName->resize(width(), txtProductName->height());
    txtCopyright->resize(width(), txtCopyright->height());
    txtProductName->setText(ApplicationInfo::ProductName());
    txtCopyright->setText(ApplicationInfo::Copyright());
    RzURLLabel1->setUrl(ApplicationInfo::WebsiteURL());
    RzButton1->setFocus(Qt::OtherFocusReason);
}

void TfrmAbout::RzButton1Click()
{
    close();
}

void TfrmAbout::showEvent(QShowEvent *event)
{
    // Before the window is mapped, so the position takes effect at once.
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}
