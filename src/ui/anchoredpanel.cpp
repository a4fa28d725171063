#include "anchoredpanel.h"

#include <QResizeEvent>

AnchoredPanel::AnchoredPanel(QWidget *parent) : QWidget(parent) {}

void AnchoredPanel::anchor(QWidget *child, Qt::Edges edges)
{
    const QRect g = child->geometry();
    m_anchors.append({child, edges, width() - (g.x() + g.width()), height() - (g.y() + g.height())});
}

void AnchoredPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    for (const Anchor &a : std::as_const(m_anchors)) {
        QRect g = a.child->geometry();
        if (a.edges & Qt::RightEdge) {
            const int right = width() - a.rightGap;
            if (a.edges & Qt::LeftEdge)
                g.setWidth(qMax(0, right - g.x()));
            else
                g.moveLeft(right - g.width());
        }
        if (a.edges & Qt::BottomEdge) {
            const int bottom = height() - a.bottomGap;
            if (a.edges & Qt::TopEdge)
                g.setHeight(qMax(0, bottom - g.y()));
            else
                g.moveTop(bottom - g.height());
        }
        a.child->setGeometry(g);
    }
    emit resized();
}
