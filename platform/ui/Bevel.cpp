#include "platform/ui/Bevel.h"

#include "platform/ui/Colours.h"

#include <QPainter>

namespace yvo::ui {

Bevel::Bevel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void Bevel::setShape(Shape shape) {
    m_shape = shape;
    update();
}

void Bevel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    switch (m_shape) {
    case Shape::Box:
        p.setPen(colours::clBtnShadow);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(colours::clBtnHighlight);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        break;
    case Shape::Frame:
        p.setPen(colours::clBtnShadow);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(colours::clBtnHighlight);
        p.drawRect(r.adjusted(1, 1, 0, 0));
        break;
    }
}

} // namespace yvo::ui
