#pragma once

// NumericEdit: the read-only numeric field of the calculator window.
//
// The field's text is the number: value() parses the text under the field's
// number locale, setValue() writes the number through the display format
// (calc::FormatPattern), so a value set reads back rounded to the format's
// decimals. The user never types into the field; entering it (entered())
// lets the window open the pop-up calculator (popupCalculator()), whose
// accepted result becomes the value. Min and Max are the bounds the window
// tests; the field itself only clamps silently when it loses the focus.
//
// changed() fires whenever the text changes, except when the text is merely
// re-formatted for a new number locale or display format and the number it
// reads stays the same (nothing to recalculate then).

#include "calc/decimal.h"

#include <QLineEdit>
#include <QLocale>
#include <QString>

#include <functional>
#include <optional>

class NumericEdit : public QLineEdit
{
    Q_OBJECT
public:
    // Read-only, right-aligned, focus by click only (not a tab stop), no
    // context menu.
    explicit NumericEdit(QWidget *parent = nullptr);

    // The number the text reads: the locale's group separators ignored, a
    // leading "-" or enclosing "(...)" negative; an empty or unreadable text
    // reads 0.
    long double value() const;
    // The same value as the exact decimal its text shows (0 for an empty or
    // unreadable text): what the calculation reads, whatever the width of
    // long double.
    calc::Decimal decimalValue() const;
    // Nothing when v equals value() or is not a finite number; otherwise the
    // text becomes v through the display format.
    void setValue(long double v);

    long double min() const { return m_min; }
    void setMin(long double v);   // a Min above Max raises Max with it
    long double max() const { return m_max; }
    void setMax(long double v);   // a Max below Min lowers Min with it

    QString displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString &pattern);
    QLocale numberLocale() const { return m_locale; }
    void setNumberLocale(const QLocale &locale);

    // Clamp on focus-out even when Min == Max.
    bool rangeTest() const { return m_rangeTest; }
    void setRangeTest(bool on) { m_rangeTest = on; }

    // Opens the pop-up calculator under the field (above it when there is no
    // room below), right edges aligned, kept inside the screen's available
    // geometry, in the field's font, started from value(). Returns when the
    // panel has closed. An accepted result becomes the value (no bounds test)
    // before this returns, so changed() fires inside this call when the value
    // differs; returns true. A cancel (Esc, a click outside the panel, the
    // application losing activation) changes nothing and returns false.
    bool popupCalculator();

    using CalculatorRunner = std::function<std::optional<long double>(NumericEdit &edit)>;
    // Replaces the panel (tests); nullptr restores the real panel.
    void setCalculatorRunner(CalculatorRunner runner) { m_runner = std::move(runner); }

signals:
    void changed();                      // the text changed (see above)
    void entered();                      // the field received the focus
    void contextPopup(const QPoint &pos); // a context menu was asked for; none is shown

protected:
    // Emits entered(), except when the focus returns from a closed pop-up.
    void focusInEvent(QFocusEvent *event) override;
    // If Min != Max or rangeTest(): a value outside [Min, Max] becomes the
    // nearer bound, silently, and the text is formatted again. A pop-up
    // opening over the field does not count as leaving it.
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void reformat(long double v);
    std::optional<long double> runPanel();

    long double m_min = 0;
    long double m_max = 0;
    QString m_displayFormat = QStringLiteral("#,##0.00;(#,##0.00)");
    QLocale m_locale;
    bool m_rangeTest = false;
    bool m_quietReformat = false;
    bool m_popupOpen = false;
    CalculatorRunner m_runner;
};
