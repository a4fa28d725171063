#include "schedulegrid.h"

#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QScrollBar>

namespace {
constexpr int RowHeight = 17;
constexpr int TitleHeight = 19;
} // namespace

ScheduleGrid::ScheduleGrid(QWidget *parent) : QTableView(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(true);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setTabKeyNavigation(false);
    setFocusPolicy(Qt::StrongFocus);

    QHeaderView *titles = horizontalHeader();
    QFont titleFont(QStringLiteral("Tahoma"));
    titleFont.setPixelSize(11);
    titles->setFont(titleFont);
    titles->setHighlightSections(false);
    titles->setSectionsClickable(false);
    titles->setSectionsMovable(false);
    titles->setSectionResizeMode(QHeaderView::Fixed);
    titles->setStretchLastSection(false);
    titles->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    titles->setFixedHeight(TitleHeight);
    titles->setMouseTracking(true);   // titles highlight under the pointer (hover)

    m_indicator = new IndicatorHeader(this);
    setVerticalHeader(m_indicator);
}

void ScheduleGrid::setModel(QAbstractItemModel *model)
{
    if (QAbstractItemModel *old = this->model())
        disconnect(old, nullptr, this, nullptr);
    QTableView::setModel(model);
    for (int c = 0; model && c < model->columnCount() && c < 6; ++c)
        setColumnWidth(c, ColumnWidths[c]);
    if (model) {
        connect(model, &QAbstractItemModel::rowsInserted, this, &ScheduleGrid::applyScrollBarRule);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &ScheduleGrid::applyScrollBarRule);
        connect(model, &QAbstractItemModel::modelReset, this, &ScheduleGrid::applyScrollBarRule);
        connect(model, &QAbstractItemModel::layoutChanged, this, &ScheduleGrid::applyScrollBarRule);
    }
    applyScrollBarRule();
}

void ScheduleGrid::applyScrollBarRule()
{
    const int rows = model() ? model()->rowCount() : 0;
    setVerticalScrollBarPolicy(rows >= 2 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    if (rows == 0)
        m_indicator->setCurrentRow(-1);
}

bool ScheduleGrid::hasVerticalScrollBar() const
{
    return verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
}

void ScheduleGrid::fitNewBalanceColumn()
{
    setColumnWidth(5, hasVerticalScrollBar() ? NewBalanceWithScrollBar : NewBalanceWithoutScrollBar);
}

void ScheduleGrid::moveToFirstRow()
{
    if (!model() || model()->rowCount() == 0)
        return;
    const QModelIndex first = model()->index(0, 0);
    // Highlighted only while the grid has the focus (see focusInEvent).
    selectionModel()->setCurrentIndex(first, hasFocus()
                                                 ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                                                 : QItemSelectionModel::Clear);
    scrollToTop();
}

void ScheduleGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    // The viewport's own resizes (a scroll bar shown or hidden) arrive here
    // too; only a change of the grid's size counts.
    if (size() != m_lastSize) {
        m_lastSize = size();
        emit resized();
    }
}

void ScheduleGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    m_indicator->setCurrentRow(current.isValid() ? current.row() : -1);
}

// The current row is highlighted only while the grid has the focus.
void ScheduleGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    if (selectionModel() && currentIndex().isValid())
        selectionModel()->select(currentIndex(),
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ScheduleGrid::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    if (selectionModel())
        selectionModel()->clearSelection();
}

IndicatorHeader::IndicatorHeader(QWidget *parent) : QHeaderView(Qt::Vertical, parent)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setMinimumSectionSize(RowHeight);
    setDefaultSectionSize(RowHeight);
    setSectionsClickable(false);
    setHighlightSections(false);
    setFixedWidth(Width);
}

void IndicatorHeader::setCurrentRow(int row)
{
    if (row == m_currentRow)
        return;
    m_currentRow = row;
    viewport()->update();
}

QSize IndicatorHeader::sizeHint() const
{
    return {Width, QHeaderView::sizeHint().height()};
}

void IndicatorHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    painter->save();
    painter->fillRect(rect, palette().button());
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->drawLine(rect.topRight(), rect.bottomRight());
    if (logicalIndex == m_currentRow) {
        // A small right-pointing triangle, as a row indicator does.
        const QPoint c = rect.center();
        QPainterPath arrow;
        arrow.moveTo(c.x() - 2, c.y() - 4);
        arrow.lineTo(c.x() + 2, c.y());
        arrow.lineTo(c.x() - 2, c.y() + 4);
        arrow.closeSubpath();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->fillPath(arrow, palette().color(QPalette::WindowText));
    }
    painter->restore();
}
