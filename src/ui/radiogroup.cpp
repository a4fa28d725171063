#include "radiogroup.h"

#include <QButtonGroup>
#include <QRadioButton>

RadioGroup::RadioGroup(QWidget *parent) : QGroupBox(parent), m_group(new QButtonGroup(this))
{
    setFlat(true);
    // No caption and no frame: only the buttons show.
    setStyleSheet(QStringLiteral("RadioGroup { border: none; margin: 0px; padding: 0px; }"));
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit itemIndexChanged(id);
    });
}

void RadioGroup::setItems(const QStringList &items)
{
    const QList<QAbstractButton *> old = m_group->buttons();
    for (QAbstractButton *b : old) {
        m_group->removeButton(b);
        delete b;
    }
    m_items = items;
    for (int i = 0; i < items.size(); ++i) {
        auto *b = new QRadioButton(items[i], this);
        b->setObjectName(objectName() + QString::number(i));
        b->setAccessibleName(items[i]);
        m_group->addButton(b, i);
        b->show();
    }
    arrange();
}

void RadioGroup::setColumns(int columns)
{
    m_columns = qMax(1, columns);
    arrange();
}

int RadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (index == itemIndex() || index < -1 || index >= count())
        return;
    if (index == -1) {
        QAbstractButton *checked = m_group->checkedButton();
        m_group->setExclusive(false);
        checked->setChecked(false);
        m_group->setExclusive(true);
        emit itemIndexChanged(-1);
        return;
    }
    m_group->button(index)->setChecked(true);
}

QString RadioGroup::itemText() const
{
    const int i = itemIndex();
    return i >= 0 && i < count() ? m_items[i] : QString();
}

QRadioButton *RadioGroup::button(int index) const
{
    return qobject_cast<QRadioButton *>(m_group->button(index));
}

void RadioGroup::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    arrange();
}

// Evenly spaced columns, rows stacked when there are more items than columns.
void RadioGroup::arrange()
{
    const int n = count();
    if (n == 0)
        return;
    const int rows = (n + m_columns - 1) / m_columns;
    const int rowHeight = height() / rows;
    for (int i = 0; i < n; ++i) {
        QRadioButton *b = button(i);
        const int col = i % m_columns, row = i / m_columns;
        const int left = col * width() / m_columns;
        const int right = (col + 1) * width() / m_columns;
        const int h = qMin(rowHeight, b->sizeHint().height());
        b->setGeometry(left, row * rowHeight + (rowHeight - h) / 2, right - left, h);
    }
}
