#include "ui/EdgeAnchors.h"

#include <QWidget>

void EdgeAnchors::add(QWidget* control, int edges)
{
    m_controls.push_back({control, control->geometry(), edges});
}

void EdgeAnchors::apply(QSize growth) const
{
    for (const Anchored& a : m_controls) {
        QRect r = a.designed;
        if (a.edges & Right)
            r.translate(growth.width(), 0);
        if (a.edges & Bottom)
            r.translate(0, growth.height());
        if (a.edges & Width)
            r.setWidth(r.width() + growth.width());
        if (a.edges & Height)
            r.setHeight(r.height() + growth.height());
        a.control->setGeometry(r);
    }
}
