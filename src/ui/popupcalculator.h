#pragma once

// PopupCalculator: the small calculator panel a NumericEdit opens.
//
// A frameless pop-up window over calc::CalculatorEngine: a display line and
// a 4 × 5 key pad (C, back-space, ±, ÷ / 7 8 9 × / 4 5 6 − / 1 2 3 + /
// 0, decimal separator, =, OK). While it is open every key press goes to it:
// digits, "." and "," (both the decimal separator), + - * / x, "=",
// Back-space, Delete or C (clear), F9 (change sign), Enter (apply the pending
// operator and accept) and Esc (cancel). A click outside the panel or the
// application losing activation cancels as well. An "Error" display cannot be
// accepted.

#include "calc/calculatorengine.h"

#include <QFrame>
#include <QLocale>

#include <optional>

class QGridLayout;
class QLabel;
class QToolButton;

class PopupCalculator : public QFrame
{
    Q_OBJECT
public:
    explicit PopupCalculator(QWidget *parent = nullptr);

    // Starts the engine from `value`; the display and the decimal key use
    // the locale's separators.
    void start(long double value, const QLocale &locale);

    // Shows the panel at placement() for `anchor` (the field, in global
    // coordinates) inside `available`, and runs a local event loop until the
    // panel closes. Returns the accepted result, or nothing on a cancel.
    std::optional<long double> exec(const QRect &anchor, const QRect &available);

    // Where the panel goes: below the anchor (above it when there is no room
    // below), right edges aligned, then shifted into `available`.
    static QRect placement(const QSize &panel, const QRect &anchor, const QRect &available);

    QString displayText() const;
    const calc::CalculatorEngine &engine() const { return m_engine; }

    // Enter's meaning: apply the pending operator, then close with the
    // result. Refused (the panel stays open) while the display shows an error.
    void accept();
    void cancel();

signals:
    void finished();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void press(calc::CalculatorEngine::Key key);
    void refresh();
    void updateDisplayMetrics();
    QToolButton *addKey(const QString &text, const QString &accessibleName, int row, int column);

    calc::CalculatorEngine m_engine;
    QLocale m_locale;
    QLabel *m_display = nullptr;
    QGridLayout *m_grid = nullptr;
    QToolButton *m_decimalKey = nullptr;
    std::optional<long double> m_result;
    bool m_finished = false;
};
