#include "schedulemodel.h"

#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(calc::ScheduleRow)

namespace {

calc::ScheduleRow row(int pmt, qint64 balance, qint64 payment, qint64 interest, qint64 principal, qint64 newBalance)
{
    return {pmt, calc::Decimal::fromCents(balance), calc::Decimal::fromCents(payment),
            calc::Decimal::fromCents(interest), calc::Decimal::fromCents(principal),
            calc::Decimal::fromCents(newBalance)};
}

} // namespace

class TestScheduleModel : public QObject
{
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void titlesAndShape()
    {
        ScheduleModel model;
        QCOMPARE(model.columnCount(), 6);
        const QStringList expected = {"Pmt", "Balance", "Payment", "Interest", "Principal", "New Balance"};
        for (int c = 0; c < 6; ++c) {
            QCOMPARE(model.headerData(c, Qt::Horizontal).toString(), expected[c]);
            QCOMPARE(model.headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(),
                     Qt::AlignRight | Qt::AlignVCenter);
        }
        QVERIFY(!model.headerData(6, Qt::Horizontal).isValid());
        QVERIFY(!model.headerData(-1, Qt::Horizontal).isValid());
        QCOMPARE(model.fieldName(ScheduleModel::NewBalanceColumn), QStringLiteral("NewBalance"));
    }

    void cellTexts_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<calc::ScheduleRow>("row");
        QTest::addColumn<QStringList>("texts");
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale de(QLocale::German, QLocale::Germany);
        QTest::newRow("first month") << us << row(1, 210000, 5300, 3133, 2167, 207833)
                                     << QStringList{"1", "2,100.00", "53.00", "31.33", "21.67", "2,078.33"};
        QTest::newRow("grouped count, zero amount") << us << row(3334, 500, 500, 0, 500, 0)
                                                    << QStringList{"3,334", "5.00", "5.00", "0.00", "5.00", "0.00"};
        QTest::newRow("millions") << us << row(2, 123456789, 160000, 150000, 10000, 123446789)
                                  << QStringList{"2", "1,234,567.89", "1,600.00", "1,500.00", "100.00", "1,234,467.89"};
        QTest::newRow("german separators") << de << row(1234, 210000, 5300, 3133, 2167, 207833)
                                           << QStringList{"1.234", "2.100,00", "53,00", "31,33", "21,67", "2.078,33"};
    }

    void cellTexts()
    {
        QFETCH(QLocale, locale);
        QFETCH(calc::ScheduleRow, row);
        QFETCH(QStringList, texts);
        ScheduleModel model;
        model.setNumberLocale(locale);
        model.append(row);
        for (int c = 0; c < 6; ++c) {
            const QModelIndex i = model.index(0, c);
            QCOMPARE(model.data(i).toString(), texts[c]);
            QCOMPARE(model.data(i, Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignRight | Qt::AlignVCenter);
            QVERIFY(!(model.flags(i) & Qt::ItemIsEditable));
        }
    }

    void outOfRangeIndexesGiveNothing()
    {
        ScheduleModel model;
        model.append(row(1, 100, 100, 0, 100, 0));
        QVERIFY(!model.data(model.index(1, 0)).isValid());
        QVERIFY(!model.data(model.index(0, 6)).isValid());
        QVERIFY(!model.data(QModelIndex()).isValid());
        QCOMPARE(model.flags(QModelIndex()), Qt::NoItemFlags);
        QVERIFY(model.cellText(5, 0).isEmpty());
        QVERIFY(model.cellText(0, -1).isEmpty());
        QCOMPARE(model.rowCount(model.index(0, 0)), 0); // a table: no children
    }

    void keepsAppendOrderAndClears()
    {
        ScheduleModel model;
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        model.clear(); // already empty: nothing to announce
        QCOMPARE(removed.count(), 0);
        for (int k = 1; k <= 3; ++k)
            model.append(row(k, 1000 - k, 1, 0, 1, 999 - k));
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(int(model.rows().size()), 3);
        QCOMPARE(model.rows()[2].Pmt, 3);
        QCOMPARE(model.data(model.index(1, 0)).toString(), QStringLiteral("2"));
        model.clear();
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(model.rows().empty());
        QCOMPARE(removed.count(), 1);
    }

    // A batch announces its rows once, at its end; before that the views see
    // none of them.
    void batchAnnouncesOnce()
    {
        ScheduleModel model;
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        {
            ScheduleModel::BatchAppend batch(model);
            for (int k = 1; k <= 500; ++k)
                model.append(row(k, 100000, 1500, 0, 1500, 98500));
            QCOMPARE(model.rowCount(), 0);
            QCOMPARE(int(model.rows().size()), 500);
            QCOMPARE(inserted.count(), 0);
        }
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted[0][1].toInt(), 0);
        QCOMPARE(inserted[0][2].toInt(), 499);
        QCOMPARE(model.rowCount(), 500);
        QCOMPARE(model.data(model.index(499, 0)).toString(), QStringLiteral("500"));
    }

    void localeChangeRepaintsCells()
    {
        ScheduleModel model;
        model.setNumberLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        model.append(row(1, 210000, 5300, 3133, 2167, 207833));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.setNumberLocale(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("2.100,00"));
    }
};

QTEST_GUILESS_MAIN(TestScheduleModel)
#include "tst_schedulemodel.moc"
