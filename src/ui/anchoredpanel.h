#pragma once

// AnchoredPanel: a plain panel that keeps chosen children at their designed
// distance from its right or bottom edge when it is resized (the anchors of
// the designed layout), then tells its owner through resized().

#include <QList>
#include <QWidget>

class AnchoredPanel : public QWidget
{
    Q_OBJECT
public:
    explicit AnchoredPanel(QWidget *parent = nullptr);

    // Keeps the child's current distance to the given edges. A child anchored
    // to the left and right edges stretches in width, one anchored to the top
    // and bottom stretches in height; one anchored to the bottom only moves.
    // Call with the child and the panel at their designed geometry.
    void anchor(QWidget *child, Qt::Edges edges);

signals:
    void resized();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Anchor
    {
        QWidget *child;
        Qt::Edges edges;
        int rightGap;
        int bottomGap;
    };
    QList<Anchor> m_anchors;
};
