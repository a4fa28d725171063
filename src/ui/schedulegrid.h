#pragma once

// ScheduleGrid: the read-only grid that shows the schedule table (RzDBGrid1).
//
// Whole-row selection, a narrow row indicator at the left that marks the
// current row, titles in Tahoma 11 px, fixed column widths 40/90/90/90/90 and
// a last column that fits the vertical scroll bar (fitNewBalanceColumn: 93
// pixels with the bar, 110 without). The bar is shown whenever the table
// holds two or more rows, even when all of them fit, and hidden for one row
// or none; it follows the model's row count at once.

#include <QHeaderView>
#include <QTableView>

class IndicatorHeader;

class ScheduleGrid : public QTableView
{
    Q_OBJECT
public:
    static constexpr int ColumnWidths[6] = {40, 90, 90, 90, 90, 92};
    static constexpr int NewBalanceWithScrollBar = 93;
    static constexpr int NewBalanceWithoutScrollBar = 110;

    explicit ScheduleGrid(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;

    // Whether the grid currently has its vertical scroll bar.
    bool hasVerticalScrollBar() const;
    // Column 5 becomes 93 pixels wide with a vertical scroll bar, 110 without.
    void fitNewBalanceColumn();
    // Makes the first row current (when there is one) and shows the top.
    void moveToFirstRow();

signals:
    void resized();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void applyScrollBarRule();

    IndicatorHeader *m_indicator = nullptr;
    QSize m_lastSize;
};

// The vertical header of the grid: no texts, a small arrow in the section of
// the current row.
class IndicatorHeader : public QHeaderView
{
    Q_OBJECT
public:
    static constexpr int Width = 11;
    explicit IndicatorHeader(QWidget *parent = nullptr);
    int currentRow() const { return m_currentRow; }
    void setCurrentRow(int row);
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    int m_currentRow = -1;
};
