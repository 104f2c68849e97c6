#include "platform/ui/Glyphs.h"

#include "platform/ui/Colours.h"

#include <QBitmap>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <functional>

namespace yvo::ui {

namespace {

constexpr int glyphSize = 16;

QPixmap drawGlyph(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(glyphSize, glyphSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    draw(painter);
    return pixmap;
}

QIcon withGreyedCopy(const QPixmap& glyph) {
    QIcon icon;
    icon.addPixmap(glyph, QIcon::Normal);
    icon.addPixmap(greyedGlyph(glyph), QIcon::Disabled);
    return icon;
}

void drawDoor(QPainter& p) {
    const QColor frame(64, 64, 64);
    const QColor panel(160, 160, 160);
    const QColor panelShade(112, 112, 112);
    // The doorway: a dark frame around a black opening.
    p.fillRect(QRect(2, 1, 9, 14), frame);
    p.fillRect(QRect(3, 2, 7, 13), Qt::black);
    // The door, swung open towards the viewer on hinges at the left of the doorway.
    const QPolygon door({QPoint(3, 2), QPoint(7, 4), QPoint(7, 16), QPoint(3, 14)});
    p.setPen(panelShade);
    p.setBrush(panel);
    p.drawPolygon(door);
    p.setPen(Qt::black);
    p.drawPoint(6, 9); // the handle
}

void drawArrow(QPainter& p) {
    const QColor red(220, 0, 0);
    const QColor darkRed(128, 0, 0);
    p.setPen(darkRed);
    p.setBrush(red);
    // A shaft from the doorway to the right and a head pointing out of the door.
    const QPolygon arrow({QPoint(8, 7), QPoint(11, 7), QPoint(11, 4), QPoint(15, 8), QPoint(11, 12),
                          QPoint(11, 9), QPoint(8, 9)});
    p.drawPolygon(arrow);
}

void drawCheck(QPainter& p) {
    const QColor green(0, 128, 0);
    p.setPen(QPen(green, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolyline(QPolygon({QPoint(2, 8), QPoint(6, 12), QPoint(13, 3)}));
}

} // namespace

QIcon closeGlyph() {
    return withGreyedCopy(drawGlyph([](QPainter& p) {
        drawDoor(p);
        drawArrow(p);
    }));
}

QIcon okGlyph() {
    return withGreyedCopy(drawGlyph(drawCheck));
}

QPixmap greyedGlyph(const QPixmap& glyph) {
    const QBitmap shape = glyph.mask(); // set where the glyph has paint
    QPixmap greyed(glyph.size());
    greyed.fill(Qt::transparent);
    QPainter painter(&greyed);
    painter.setPen(colours::clBtnHighlight);
    painter.drawPixmap(1, 1, shape);
    painter.setPen(colours::clBtnShadow);
    painter.drawPixmap(0, 0, shape);
    return greyed;
}

} // namespace yvo::ui
