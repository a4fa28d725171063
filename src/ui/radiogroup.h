#pragma once

// RadioGroup: a row of radio buttons with one selected item (rgpExtraMoney).
//
// The items are laid out in evenly spaced columns across the box. The
// selection is an item index (-1: none); itemIndexChanged() fires whenever it
// changes, by a click, by the arrow keys or by setItemIndex().

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

class RadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    explicit RadioGroup(QWidget *parent = nullptr);

    void setItems(const QStringList &items);
    QStringList items() const { return m_items; }
    int count() const { return int(m_items.size()); }
    void setColumns(int columns);
    int columns() const { return m_columns; }

    int itemIndex() const;
    // -1 selects nothing; an index outside the items is ignored.
    void setItemIndex(int index);
    // The selected item's text; empty when nothing is selected.
    QString itemText() const;
    QRadioButton *button(int index) const;

signals:
    void itemIndexChanged(int index);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void arrange();

    QStringList m_items;
    int m_columns = 1;
    QButtonGroup *m_group = nullptr;
};
