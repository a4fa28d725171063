#pragma once

// ScheduleModel: the schedule table of the main window (ClientDataSet1).
//
// Holds the rows of the last calculation in append order and shows them in
// six columns (Pmt, Balance, Payment, Interest, Principal, New Balance)
// through their display formats, under the number locale the window hands
// in. It is read-only: nothing can be edited, inserted or deleted through
// the model. The grid (ScheduleGrid) and the printed report both read it.
//
// A calculation appends a few thousand rows inside one input event. append()
// announces each row to the views as it comes; inside a BatchAppend the rows
// are stored at once and announced to the views in one insertion when the
// batch ends, so an attached grid does not lay itself out once per row.

#include "calc/payoff.h"

#include <QAbstractTableModel>
#include <QLocale>

#include <vector>

class ScheduleModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { PmtColumn, BalanceColumn, PaymentColumn, InterestColumn, PrincipalColumn,
                  NewBalanceColumn, ColumnCount };

    explicit ScheduleModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Removes every row.
    void clear();
    // Appends one row at the end.
    void append(const calc::ScheduleRow &row);
    // Every stored row, in append order (pending rows of a batch included).
    const std::vector<calc::ScheduleRow> &rows() const { return m_rows; }

    // The display format of a column: "#,##0" for Pmt, "#,###,##0.00" for
    // the amounts.
    static QString displayFormat(int column);
    // The field name of a column ("Pmt", ..., "NewBalance").
    static QString fieldName(int column);
    // A cell's text as the grid shows it, under the model's locale.
    QString cellText(int row, int column) const;

    QLocale numberLocale() const { return m_locale; }
    // The separators of every cell follow this locale; views repaint.
    void setNumberLocale(const QLocale &locale);

    // Groups appends into one announcement to the views (nestable).
    class BatchAppend
    {
    public:
        explicit BatchAppend(ScheduleModel &model);
        ~BatchAppend();
        BatchAppend(const BatchAppend &) = delete;
        BatchAppend &operator=(const BatchAppend &) = delete;
    private:
        ScheduleModel &m_model;
    };

private:
    void publishPending();

    std::vector<calc::ScheduleRow> m_rows;
    int m_published = 0;   // rows the views know about
    int m_batchDepth = 0;
    QLocale m_locale;
};
