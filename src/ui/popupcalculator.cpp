#include "popupcalculator.h"

#include <QApplication>
#include <QEventLoop>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QToolButton>
#include <QVBoxLayout>

using Key = calc::CalculatorEngine::Key;

PopupCalculator::PopupCalculator(QWidget *parent)
    : QFrame(parent, Qt::Popup | Qt::FramelessWindowHint)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setAccessibleName(tr("Calculator"));
    setFocusPolicy(Qt::StrongFocus);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);

    m_display = new QLabel(this);
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_display->setAutoFillBackground(true);
    m_display->setBackgroundRole(QPalette::Base);
    m_display->setForegroundRole(QPalette::Text);
    m_display->setContentsMargins(4, 2, 4, 2);
    m_display->setAccessibleName(tr("Calculator display"));
    column->addWidget(m_display);
    updateDisplayMetrics();

    auto *pad = new QWidget(this);
    m_grid = new QGridLayout(pad);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setSpacing(2);
    column->addWidget(pad);

    struct Def { const char *text; const char *name; Key key; int row; int col; };
    static const Def defs[] = {
        {"C", "Clear", Key::Clear, 0, 0},
        {"\u2190", "Back-space", Key::Backspace, 0, 1},
        {"\u00B1", "Change sign", Key::Negate, 0, 2},
        {"\u00F7", "Divide", Key::Divide, 0, 3},
        {"7", "7", Key::Digit7, 1, 0}, {"8", "8", Key::Digit8, 1, 1}, {"9", "9", Key::Digit9, 1, 2},
        {"\u00D7", "Multiply", Key::Multiply, 1, 3},
        {"4", "4", Key::Digit4, 2, 0}, {"5", "5", Key::Digit5, 2, 1}, {"6", "6", Key::Digit6, 2, 2},
        {"\u2212", "Subtract", Key::Subtract, 2, 3},
        {"1", "1", Key::Digit1, 3, 0}, {"2", "2", Key::Digit2, 3, 1}, {"3", "3", Key::Digit3, 3, 2},
        {"+", "Add", Key::Add, 3, 3},
        {"0", "0", Key::Digit0, 4, 0}, {".", "Decimal separator", Key::Decimal, 4, 1},
        {"=", "Equals", Key::Equals, 4, 2},
    };
    for (const Def &d : defs) {
        QToolButton *button = addKey(QString::fromUtf8(d.text), tr(d.name), d.row, d.col);
        const Key key = d.key;
        connect(button, &QToolButton::clicked, this, [this, key] { press(key); });
        if (key == Key::Decimal)
            m_decimalKey = button;
    }
    QToolButton *ok = addKey(tr("OK"), tr("Accept"), 4, 3);
    connect(ok, &QToolButton::clicked, this, &PopupCalculator::accept);

    // Losing the application's activation closes the panel without a change.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive && isVisible())
            cancel();
    });
    refresh();
}

QToolButton *PopupCalculator::addKey(const QString &text, const QString &accessibleName, int row, int column)
{
    auto *button = new QToolButton(this);
    button->setText(text);
    button->setAccessibleName(accessibleName);
    button->setFocusPolicy(Qt::NoFocus); // keys go to the panel itself
    button->setAutoRaise(false);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    const QFontMetrics fm(font());
    button->setMinimumSize(qMax(fm.horizontalAdvance(QStringLiteral("OK")) + 10, fm.height() + 10),
                           fm.height() + 8);
    m_grid->addWidget(button, row, column);
    return button;
}

void PopupCalculator::updateDisplayMetrics()
{
    // Room for the longest number the engine shows: sign, 15 digits, separator.
    const QFontMetrics fm(m_display->font());
    m_display->setMinimumSize(fm.horizontalAdvance(QStringLiteral("-999999999999999.0")) + 12,
                              fm.height() + 8);
}

void PopupCalculator::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_display)
        updateDisplayMetrics();
}

void PopupCalculator::start(long double value, const QLocale &locale)
{
    m_locale = locale;
    m_engine.start(value);
    m_result.reset();
    m_finished = false;
    if (m_decimalKey)
        m_decimalKey->setText(locale.decimalPoint());
    refresh();
}

QString PopupCalculator::displayText() const
{
    return m_display->text();
}

void PopupCalculator::refresh()
{
    const QString text = m_engine.display(m_locale);
    m_display->setText(text);
    m_display->setAccessibleDescription(text);
}

void PopupCalculator::press(Key key)
{
    m_engine.press(key);
    refresh();
}

void PopupCalculator::accept()
{
    m_engine.pressEquals();
    refresh();
    const std::optional<long double> value = m_engine.result();
    if (!value) {
        QApplication::beep();
        return;
    }
    m_result = value;
    close();
}

void PopupCalculator::cancel()
{
    m_result.reset();
    close();
}

void PopupCalculator::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape: cancel(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: accept(); return;
    case Qt::Key_Backspace: press(Key::Backspace); return;
    case Qt::Key_Delete: press(Key::Clear); return;
    case Qt::Key_F9: press(Key::Negate); return;
    default: break;
    }
    const QString text = event->text();
    if (text.size() == 1) {
        if (const std::optional<Key> key = calc::CalculatorEngine::keyForChar(text.front())) {
            press(*key);
            return;
        }
    }
    // Every other key is swallowed: nothing reaches the window while the panel is open.
    event->accept();
}

void PopupCalculator::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    if (!m_finished) {
        m_finished = true;
        emit finished();
    }
}

QRect PopupCalculator::placement(const QSize &panel, const QRect &anchor, const QRect &available)
{
    QRect r(QPoint(anchor.right() - panel.width() + 1, anchor.bottom() + 1), panel);
    if (r.bottom() > available.bottom())
        r.moveBottom(anchor.top() - 1); // no room below: above the field
    // Shifted as needed to stay inside the work area (the top-left corner wins
    // when the panel is larger than the area).
    if (r.right() > available.right())
        r.moveRight(available.right());
    if (r.left() < available.left())
        r.moveLeft(available.left());
    if (r.bottom() > available.bottom())
        r.moveBottom(available.bottom());
    if (r.top() < available.top())
        r.moveTop(available.top());
    return r;
}

std::optional<long double> PopupCalculator::exec(const QRect &anchor, const QRect &available)
{
    adjustSize();
    setGeometry(placement(size(), anchor, available));
    m_result.reset();
    m_finished = false;

    QEventLoop loop;
    connect(this, &PopupCalculator::finished, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    QPointer<PopupCalculator> self(this);
    show();
    activateWindow();
    setFocus(Qt::PopupFocusReason);
    if (!m_finished)
        loop.exec(QEventLoop::DialogExec);
    if (!self)
        return std::nullopt;
    return m_result;
}
