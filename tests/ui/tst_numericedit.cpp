// NumericEdit: value and text, bounds, focus-out clamp, change notification,
// and the pop-up calculator (a replaced runner and the real panel).

#include "ui/numericedit.h"
#include "ui/popupcalculator.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cmath>

namespace {

const QString MoneyFormat = QStringLiteral("#,##0.00;(#,##0.00)");
const QString PercentFormat = QStringLiteral("#,##0.0;(#,##0.0)");

QLocale english() { return QLocale(QLocale::English, QLocale::UnitedStates); }
QLocale german() { return QLocale(QLocale::German, QLocale::Germany); }

void sendFocus(QWidget &w, QEvent::Type type, Qt::FocusReason reason = Qt::MouseFocusReason)
{
    QFocusEvent event(type, reason);
    QApplication::sendEvent(&w, &event);
}

// Runs `step` on the open calculator panel once the event loop is running;
// a guard closes any panel left open so a failing test cannot hang.
void onPanel(std::function<void(PopupCalculator &)> step)
{
    QTimer::singleShot(0, qApp, [step] {
        auto *panel = qobject_cast<PopupCalculator *>(QApplication::activePopupWidget());
        if (!panel) {
            qWarning("no calculator panel open");
            return;
        }
        step(*panel);
    });
    QTimer::singleShot(5000, qApp, [] {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    });
}

} // namespace

class TestNumericEdit : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void configuration();
    void setValueFormats_data();
    void setValueFormats();
    void valueParses_data();
    void valueParses();
    void changedOnlyWhenTextChanges();
    void unrepresentableValueKeepsText_data();
    void unrepresentableValueKeepsText();
    void boundsRaiseAndLowerEachOther();
    void focusOutClamps_data();
    void focusOutClamps();
    void localeSwitchReformatsQuietly();
    void focusInEmitsEnteredButNotFromPopup();

    void runnerAcceptSetsValueBeforeReturn();
    void runnerCancelChangesNothing();
    void runnerSeesStartValue();
    void panelPlacement_data();
    void panelPlacement();
    void realPanelAcceptsTypedValue();
    void realPanelGermanDecimalComma();
    void realPanelEscapeCancels();
    void realPanelRefusesError();
    void realPanelDeactivationCancels();
};

void TestNumericEdit::init()
{
    QLocale::setDefault(english());
}

void TestNumericEdit::cleanup()
{
    if (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}

void TestNumericEdit::configuration()
{
    NumericEdit edit;
    QVERIFY(edit.isReadOnly());
    QCOMPARE(edit.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QCOMPARE(edit.focusPolicy(), Qt::ClickFocus);

    // A context menu request is handled by the field itself: no menu.
    QSignalSpy popups(&edit, &NumericEdit::contextPopup);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5));
    event.ignore();
    QApplication::sendEvent(&edit, &event);
    QVERIFY(event.isAccepted());
    QCOMPARE(popups.count(), 1);
    QVERIFY(!QApplication::activePopupWidget());
}

void TestNumericEdit::setValueFormats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("readBack");

    QTest::newRow("rounded to cents") << MoneyFormat << english() << 1234.567 << "1,234.57" << 1234.57;
    QTest::newRow("half away from zero") << MoneyFormat << english() << 2100.005 << "2,100.01" << 2100.01;
    QTest::newRow("negative in parentheses") << MoneyFormat << english() << -12.5 << "(12.50)" << -12.5;
    QTest::newRow("upper bound") << MoneyFormat << english() << 50000.0 << "50,000.00" << 50000.0;
    QTest::newRow("percent one decimal") << PercentFormat << english() << 2.25 << "2.3" << 2.3;
    QTest::newRow("percent above 100") << PercentFormat << english() << 150.0 << "150.0" << 150.0;
    QTest::newRow("german separators") << MoneyFormat << german() << 1234.567 << "1.234,57" << 1234.57;
    QTest::newRow("german negative") << MoneyFormat << german() << -2100.5 << "(2.100,50)" << -2100.5;
}

void TestNumericEdit::setValueFormats()
{
    QFETCH(QString, format);
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    QFETCH(double, readBack);
    NumericEdit edit;
    edit.setNumberLocale(locale);
    edit.setDisplayFormat(format);
    edit.setValue(value);
    QCOMPARE(edit.text(), text);
    QCOMPARE(double(edit.value()), readBack);
}

void TestNumericEdit::valueParses_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("grouped") << english() << "50,000.00" << 50000.0;
    QTest::newRow("ungrouped") << english() << "2100" << 2100.0;
    QTest::newRow("parentheses") << english() << "(1,234.50)" << -1234.5;
    QTest::newRow("leading minus") << english() << "-1,234.50" << -1234.5;
    QTest::newRow("german") << german() << "1.234,5" << 1234.5;
    QTest::newRow("german parentheses") << german() << "(0,5)" << -0.5;
    QTest::newRow("a percent on its floor") << english() << "1.7" << 1.7;
    QTest::newRow("empty reads zero") << english() << "" << 0.0;
    QTest::newRow("unreadable reads zero") << english() << "abc" << 0.0;
    QTest::newRow("other locale's decimal reads zero") << german() << "(1,234.50)" << 0.0;
}

void TestNumericEdit::valueParses()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(double, value);
    NumericEdit edit;
    edit.setNumberLocale(locale);
    edit.setText(text);
    QCOMPARE(double(edit.value()), value);
    // The exact decimal the calculation reads is the same number.
    QCOMPARE(edit.decimalValue().toDouble(), value);
}

void TestNumericEdit::changedOnlyWhenTextChanges()
{
    NumericEdit edit;
    edit.setValue(2100);
    QSignalSpy changed(&edit, &NumericEdit::changed);

    edit.setValue(2100);       // the current value
    edit.setValue(2100.001L);  // differs, but formats to the same text
    QCOMPARE(changed.count(), 0);
    QCOMPARE(edit.text(), QStringLiteral("2,100.00"));

    edit.setValue(2100.5);
    QCOMPARE(changed.count(), 1);
    edit.setText(QStringLiteral("7"));  // any text change counts
    QCOMPARE(changed.count(), 2);
    {
        const QSignalBlocker detach(edit);  // how the window copies a slider value in
        edit.setValue(17.91);
    }
    QCOMPARE(changed.count(), 2);
    QCOMPARE(edit.text(), QStringLiteral("17.91"));
}

void TestNumericEdit::unrepresentableValueKeepsText_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("not a number") << double(NAN);
    QTest::newRow("infinity") << double(INFINITY);
    QTest::newRow("beyond the decimal form") << 1e30;
}

void TestNumericEdit::unrepresentableValueKeepsText()
{
    QFETCH(double, value);
    NumericEdit edit;
    edit.setValue(2100);
    QSignalSpy changed(&edit, &NumericEdit::changed);
    edit.setValue(value);
    QCOMPARE(edit.text(), QStringLiteral("2,100.00"));
    QCOMPARE(changed.count(), 0);
}

void TestNumericEdit::boundsRaiseAndLowerEachOther()
{
    NumericEdit edit;
    edit.setMax(100);
    edit.setMin(150);  // the percent floor above the percent's Max
    QCOMPARE(double(edit.min()), 150.0);
    QCOMPARE(double(edit.max()), 150.0);
    edit.setMin(2);    // lowering Min leaves the raised Max
    QCOMPARE(double(edit.max()), 150.0);
    edit.setMax(-5);
    QCOMPARE(double(edit.min()), -5.0);
    QCOMPARE(double(edit.max()), -5.0);
}

void TestNumericEdit::focusOutClamps_data()
{
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<bool>("rangeTest");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("changes");

    QTest::newRow("above max") << 0.0 << 50000.0 << false << "60,000.00" << "50,000.00" << 1;
    QTest::newRow("below min") << 10.0 << 50000.0 << false << "(5.00)" << "10.00" << 1;
    QTest::newRow("inside reformatted quietly") << 0.0 << 50000.0 << false << "2100" << "2,100.00" << 0;
    QTest::newRow("equal bounds: no test") << 0.0 << 0.0 << false << "5.00" << "5.00" << 0;
    QTest::newRow("equal bounds with range test") << 0.0 << 0.0 << true << "5.00" << "0.00" << 1;
}

void TestNumericEdit::focusOutClamps()
{
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(bool, rangeTest);
    QFETCH(QString, text);
    QFETCH(QString, after);
    QFETCH(int, changes);
    NumericEdit edit;
    edit.setMax(max);
    edit.setMin(min);
    edit.setRangeTest(rangeTest);
    edit.setText(text);
    QSignalSpy changed(&edit, &NumericEdit::changed);
    sendFocus(edit, QEvent::FocusOut);
    QCOMPARE(edit.text(), after);
    QCOMPARE(changed.count(), changes);
}

void TestNumericEdit::localeSwitchReformatsQuietly()
{
    NumericEdit edit;
    edit.setValue(1234.5);
    QSignalSpy changed(&edit, &NumericEdit::changed);
    edit.setNumberLocale(german());
    QCOMPARE(edit.text(), QStringLiteral("1.234,50"));
    QCOMPARE(double(edit.value()), 1234.5);
    edit.setNumberLocale(english());
    QCOMPARE(edit.text(), QStringLiteral("1,234.50"));
    QCOMPARE(changed.count(), 0);

    // A format with fewer decimals changes the number itself: that is a change.
    edit.setDisplayFormat(QStringLiteral("#,##0;(#,##0)"));
    QCOMPARE(edit.text(), QStringLiteral("1,235"));
    QCOMPARE(changed.count(), 1);
}

void TestNumericEdit::focusInEmitsEnteredButNotFromPopup()
{
    NumericEdit edit;
    QSignalSpy entered(&edit, &NumericEdit::entered);
    sendFocus(edit, QEvent::FocusIn);
    QCOMPARE(entered.count(), 1);

    // The calculator panel closing hands the focus back: not a new entry
    // (the window would open the calculator again), and its opening is no
    // leaving either.
    edit.setMax(100);
    edit.setText(QStringLiteral("150.00"));
    sendFocus(edit, QEvent::FocusOut, Qt::PopupFocusReason);
    sendFocus(edit, QEvent::FocusIn, Qt::PopupFocusReason);
    QCOMPARE(entered.count(), 1);
    QCOMPARE(edit.text(), QStringLiteral("150.00"));
}

void TestNumericEdit::runnerAcceptSetsValueBeforeReturn()
{
    NumericEdit edit;
    edit.setMax(50000);
    edit.setValue(2100);
    bool inside = false;
    int changesInside = 0;
    connect(&edit, &NumericEdit::changed, this, [&] { changesInside += inside ? 1 : 0; });
    edit.setCalculatorRunner([&](NumericEdit &) -> std::optional<long double> {
        inside = true;
        return 60000.0L;  // no bounds test here: that is the window's job
    });
    // The change handler runs while popupCalculator() is still on the stack.
    QMetaObject::Connection c = connect(&edit, &NumericEdit::changed, this, [&] { QVERIFY(inside); });
    QVERIFY(edit.popupCalculator());
    inside = false;
    disconnect(c);
    QCOMPARE(changesInside, 1);
    QCOMPARE(edit.text(), QStringLiteral("60,000.00"));

    // Accepting the value it already holds: true, but no change.
    edit.setCalculatorRunner([](NumericEdit &) -> std::optional<long double> { return 60000.0L; });
    QSignalSpy changed(&edit, &NumericEdit::changed);
    QVERIFY(edit.popupCalculator());
    QCOMPARE(changed.count(), 0);
}

void TestNumericEdit::runnerCancelChangesNothing()
{
    NumericEdit edit;
    edit.setValue(17.9);
    QSignalSpy changed(&edit, &NumericEdit::changed);
    edit.setCalculatorRunner([](NumericEdit &) -> std::optional<long double> { return std::nullopt; });
    QVERIFY(!edit.popupCalculator());
    edit.setCalculatorRunner([](NumericEdit &) -> std::optional<long double> { return NAN; });
    QVERIFY(!edit.popupCalculator());
    QCOMPARE(edit.text(), QStringLiteral("17.90"));
    QCOMPARE(changed.count(), 0);
}

void TestNumericEdit::runnerSeesStartValue()
{
    NumericEdit edit;
    edit.setValue(-2.5);
    long double seen = 0;
    int nested = -1;
    edit.setCalculatorRunner([&](NumericEdit &e) -> std::optional<long double> {
        seen = e.value();
        nested = e.popupCalculator() ? 1 : 0;  // a second panel is refused while one is open
        return std::nullopt;
    });
    QVERIFY(!edit.popupCalculator());
    QCOMPARE(double(seen), -2.5);
    QCOMPARE(nested, 0);
}

void TestNumericEdit::panelPlacement_data()
{
    QTest::addColumn<QRect>("anchor");
    QTest::addColumn<QRect>("expected");
    // The panel is 120 × 150; the work area 0,0 1024 × 740 (a task bar below).
    QTest::newRow("below, right edges aligned") << QRect(300, 100, 69, 21) << QRect(249, 121, 120, 150);
    QTest::newRow("above when no room below") << QRect(300, 650, 69, 21) << QRect(249, 500, 120, 150);
    QTest::newRow("shifted right into the area") << QRect(10, 100, 69, 21) << QRect(0, 121, 120, 150);
    QTest::newRow("shifted left into the area") << QRect(1000, 100, 69, 21) << QRect(904, 121, 120, 150);
    QTest::newRow("exactly fits below") << QRect(300, 569, 69, 21) << QRect(249, 590, 120, 150);
}

void TestNumericEdit::panelPlacement()
{
    QFETCH(QRect, anchor);
    QFETCH(QRect, expected);
    QCOMPARE(PopupCalculator::placement(QSize(120, 150), anchor, QRect(0, 0, 1024, 740)), expected);
}

void TestNumericEdit::realPanelAcceptsTypedValue()
{
    QWidget window;
    auto *edit = new NumericEdit(&window);
    edit->setGeometry(143, 15, 69, 21);
    edit->setValue(2100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QString startDisplay;
    QFont panelFont;
    QRect panelGeometry;
    onPanel([&](PopupCalculator &panel) {
        startDisplay = panel.displayText();
        panelFont = panel.font();
        panelGeometry = panel.geometry();
        QTest::keyClicks(&panel, QStringLiteral("60000"));
        QTest::keyClick(&panel, Qt::Key_Return);
    });
    QSignalSpy changed(edit, &NumericEdit::changed);
    QVERIFY(edit->popupCalculator());
    QCOMPARE(startDisplay, QStringLiteral("2100"));
    QCOMPARE(panelFont, edit->font());
    const QRect field(edit->mapToGlobal(QPoint(0, 0)), edit->size());
    QCOMPARE(panelGeometry.right(), field.right());
    QCOMPARE(panelGeometry.top(), field.bottom() + 1);
    QCOMPARE(edit->text(), QStringLiteral("60,000.00"));
    QCOMPARE(changed.count(), 1);
    QVERIFY(!QApplication::activePopupWidget());
}

void TestNumericEdit::realPanelGermanDecimalComma()
{
    NumericEdit edit;
    edit.setNumberLocale(german());
    edit.setDisplayFormat(PercentFormat);
    edit.setValue(2.5);
    QString startDisplay;
    onPanel([&](PopupCalculator &panel) {
        startDisplay = panel.displayText();
        // Keyboard "." and "," are both the decimal point; the pending "+" is applied on Enter.
        QTest::keyClicks(&panel, QStringLiteral("1,5+0.5"));
        QTest::keyClick(&panel, Qt::Key_Enter, Qt::KeypadModifier);
    });
    QVERIFY(edit.popupCalculator());
    QCOMPARE(startDisplay, QStringLiteral("2,5"));
    QCOMPARE(edit.text(), QStringLiteral("2,0"));
}

void TestNumericEdit::realPanelEscapeCancels()
{
    NumericEdit edit;
    edit.setValue(2100);
    QSignalSpy changed(&edit, &NumericEdit::changed);
    onPanel([](PopupCalculator &panel) {
        QTest::keyClicks(&panel, QStringLiteral("99"));
        QTest::keyClick(&panel, Qt::Key_Escape);
    });
    QVERIFY(!edit.popupCalculator());
    QCOMPARE(edit.text(), QStringLiteral("2,100.00"));
    QCOMPARE(changed.count(), 0);
}

void TestNumericEdit::realPanelRefusesError()
{
    NumericEdit edit;
    edit.setValue(2100);
    QString shown;
    bool stillOpen = false;
    onPanel([&](PopupCalculator &panel) {
        QTest::keyClicks(&panel, QStringLiteral("5/0"));
        QTest::keyClick(&panel, Qt::Key_Return);  // refused: the panel stays open
        shown = panel.displayText();
        stillOpen = panel.isVisible();
        QTest::keyClick(&panel, Qt::Key_Escape);
    });
    QVERIFY(!edit.popupCalculator());
    QCOMPARE(shown, QStringLiteral("Error"));
    QVERIFY(stillOpen);
    QCOMPARE(edit.text(), QStringLiteral("2,100.00"));
}

void TestNumericEdit::realPanelDeactivationCancels()
{
    NumericEdit edit;
    edit.setValue(2100);
    onPanel([](PopupCalculator &panel) {
        QTest::keyClicks(&panel, QStringLiteral("7"));
        emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    });
    QVERIFY(!edit.popupCalculator());
    QCOMPARE(edit.text(), QStringLiteral("2,100.00"));
}

QTEST_MAIN(TestNumericEdit)
#include "tst_numericedit.moc"
