#include "numericedit.h"

#include "calc/numbertext.h"
#include "popupcalculator.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

#include <cmath>

NumericEdit::NumericEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setReadOnly(true);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFocusPolicy(Qt::ClickFocus);
    setContextMenuPolicy(Qt::DefaultContextMenu); // contextMenuEvent marks it handled
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!m_quietReformat)
            emit changed();
    });
}

long double NumericEdit::value() const
{
    const std::optional<calc::Decimal> parsed = calc::ParseNumberText(text(), m_locale);
    return parsed ? parsed->toLongDouble() : 0.0L;
}

calc::Decimal NumericEdit::decimalValue() const
{
    return calc::ParseNumberText(text(), m_locale).value_or(calc::Decimal());
}

void NumericEdit::setValue(long double v)
{
    // A number the display format cannot carry (not finite, or beyond the
    // 18-digit decimal form) would show as a wrong text: keep the current one.
    if (!calc::Decimal::fromLongDouble(v))
        return;
    if (v == value())
        return;
    setText(calc::FormatPattern(v, m_displayFormat, m_locale));
}

void NumericEdit::setMin(long double v)
{
    if (std::isnan(v))
        return;
    m_min = v;
    if (m_min > m_max)
        m_max = m_min;
}

void NumericEdit::setMax(long double v)
{
    if (std::isnan(v))
        return;
    m_max = v;
    if (m_max < m_min)
        m_min = m_max;
}

void NumericEdit::reformat(long double v)
{
    // The same number in a new dress (separators, format, a typed-in text
    // tidied up) is no change; a format with fewer decimals that rounds the
    // number is one.
    const QString formatted = calc::FormatPattern(v, m_displayFormat, m_locale);
    const std::optional<calc::Decimal> after = calc::ParseNumberText(formatted, m_locale);
    m_quietReformat = after && after->toLongDouble() == v;
    setText(formatted);
    m_quietReformat = false;
}

void NumericEdit::setDisplayFormat(const QString &pattern)
{
    if (pattern == m_displayFormat)
        return;
    const long double v = value();
    m_displayFormat = pattern;
    if (!text().isEmpty())
        reformat(v);
}

void NumericEdit::setNumberLocale(const QLocale &locale)
{
    if (locale == m_locale)
        return;
    const long double v = value(); // read under the old separators
    m_locale = locale;
    if (!text().isEmpty())
        reformat(v);
}

bool NumericEdit::popupCalculator()
{
    if (m_popupOpen)
        return false; // one panel at a time
    QPointer<NumericEdit> self(this);
    m_popupOpen = true;
    std::optional<long double> result;
    if (m_runner)
        result = m_runner(*this);
    else
        result = runPanel();
    if (!self)
        return false; // the field went away while the panel was open
    m_popupOpen = false;
    if (!result || !calc::Decimal::fromLongDouble(*result))
        return false;
    setValue(*result);
    return true;
}

std::optional<long double> NumericEdit::runPanel()
{
    QPointer<PopupCalculator> panel = new PopupCalculator(this);
    panel->setFont(font());
    panel->start(value(), m_locale);
    const QRect anchor(mapToGlobal(QPoint(0, 0)), size());
    QScreen *where = QGuiApplication::screenAt(anchor.center());
    if (!where)
        where = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect available = where ? where->availableGeometry() : QRect(anchor.topLeft(), QSize(4096, 4096));
    const std::optional<long double> result = panel->exec(anchor, available);
    delete panel.data();
    return result;
}

void NumericEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // The focus coming back from a closed pop-up (the calculator's own panel
    // among them) is no new entry: it would open the calculator again.
    if (event->reason() != Qt::PopupFocusReason)
        emit entered();
}

void NumericEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A pop-up opening over the field does not leave it.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    if (m_min == m_max && !m_rangeTest)
        return;
    const long double v = value();
    const long double clamped = v < m_min ? m_min : (v > m_max ? m_max : v);
    if (clamped != v)
        setText(calc::FormatPattern(clamped, m_displayFormat, m_locale));
    else
        reformat(v);
}

void NumericEdit::contextMenuEvent(QContextMenuEvent *event)
{
    emit contextPopup(event->pos());
    event->accept(); // handled: no menu
}
