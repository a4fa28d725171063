#include "schedulemodel.h"

#include "calc/numbertext.h"

namespace {
const QString PmtFormat = QStringLiteral("#,##0");
const QString AmountFormat = QStringLiteral("#,###,##0.00");
} // namespace

ScheduleModel::ScheduleModel(QObject *parent) : QAbstractTableModel(parent) {}

int ScheduleModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_published;
}

int ScheduleModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString ScheduleModel::displayFormat(int column)
{
    return column == PmtColumn ? PmtFormat : AmountFormat;
}

QString ScheduleModel::fieldName(int column)
{
    static const char *const names[ColumnCount] = {"Pmt", "Balance", "Payment", "Interest",
                                                   "Principal", "NewBalance"};
    if (column < 0 || column >= ColumnCount)
        return {};
    return QString::fromLatin1(names[column]);
}

QString ScheduleModel::cellText(int row, int column) const
{
    if (row < 0 || row >= int(m_rows.size()) || column < 0 || column >= ColumnCount)
        return {};
    const calc::ScheduleRow &r = m_rows[std::size_t(row)];
    switch (column) {
    case PmtColumn:
        return calc::FormatPattern(calc::Decimal(r.Pmt), PmtFormat, m_locale);
    case BalanceColumn:
        return calc::FormatPattern(r.Balance, AmountFormat, m_locale);
    case PaymentColumn:
        return calc::FormatPattern(r.Payment, AmountFormat, m_locale);
    case InterestColumn:
        return calc::FormatPattern(r.Interest, AmountFormat, m_locale);
    case PrincipalColumn:
        return calc::FormatPattern(r.Principal, AmountFormat, m_locale);
    case NewBalanceColumn:
        return calc::FormatPattern(r.NewBalance, AmountFormat, m_locale);
    }
    return {};
}

QVariant ScheduleModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_published
        || index.column() < 0 || index.column() >= ColumnCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= ColumnCount)
            return {};
        if (role == Qt::DisplayRole)
            return section == NewBalanceColumn ? QStringLiteral("New Balance") : fieldName(section);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    // The vertical header is the grid's row indicator: it has no text.
    if (role == Qt::DisplayRole)
        return QString();
    return {};
}

Qt::ItemFlags ScheduleModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void ScheduleModel::clear()
{
    if (m_rows.empty())
        return;
    if (m_published > 0) {
        beginRemoveRows({}, 0, m_published - 1);
        m_rows.clear();
        m_published = 0;
        endRemoveRows();
    } else {
        m_rows.clear();
    }
}

void ScheduleModel::append(const calc::ScheduleRow &row)
{
    if (m_batchDepth > 0) {
        m_rows.push_back(row);
        return;
    }
    publishPending();
    const int at = int(m_rows.size());
    beginInsertRows({}, at, at);
    m_rows.push_back(row);
    m_published = at + 1;
    endInsertRows();
}

void ScheduleModel::publishPending()
{
    const int total = int(m_rows.size());
    if (total == m_published)
        return;
    // Rows stored but not yet announced: rowCount() still hides them, so one
    // insertion tells the views about all of them.
    beginInsertRows({}, m_published, total - 1);
    m_published = total;
    endInsertRows();
}

void ScheduleModel::setNumberLocale(const QLocale &locale)
{
    if (locale == m_locale)
        return;
    m_locale = locale;
    if (m_published > 0)
        emit dataChanged(index(0, 0), index(m_published - 1, ColumnCount - 1), {Qt::DisplayRole});
}

ScheduleModel::BatchAppend::BatchAppend(ScheduleModel &model) : m_model(model)
{
    ++m_model.m_batchDepth;
}

ScheduleModel::BatchAppend::~BatchAppend()
{
    if (--m_model.m_batchDepth == 0)
        m_model.publishPending();
}
