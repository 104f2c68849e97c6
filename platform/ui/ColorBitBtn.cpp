#include "platform/ui/ColorBitBtn.h"

#include "platform/ui/Colours.h"
#include "platform/ui/Glyphs.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

namespace yvo::ui {

namespace {
constexpr int glyphSpacing = 4; // between the glyph and the caption
constexpr int focusInset = 4;
} // namespace

ColorBitBtn::ColorBitBtn(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setIconSize(QSize(16, 16));
    resize(sizeHint());
}

void ColorBitBtn::setColor(const QColor& color) {
    m_color = color;
    update();
}

QColor ColorBitBtn::faceColor() const {
    if (m_color.isValid())
        return m_color;
    const QWidget* owner = window();
    return owner->palette().color(owner->backgroundRole());
}

void ColorBitBtn::setKind(Kind kind) {
    m_kind = kind;
    switch (kind) {
    case Kind::Custom:
        setIcon(QIcon());
        break;
    case Kind::Close:
        if (text().isEmpty())
            setText(tr("&Close"));
        setIcon(closeGlyph());
        break;
    }
    update();
}

QSize ColorBitBtn::sizeHint() const {
    return QSize(75, 25);
}

void ColorBitBtn::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void ColorBitBtn::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    const bool down = isDown() || isChecked();

    // The face, then a 3D edge: raised, or sunken while pressed.
    p.fillRect(r, faceColor());
    if (down) {
        p.setPen(colours::cl3DDkShadow);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(colours::clBtnShadow);
        p.drawRect(r.adjusted(1, 1, -2, -2));
    } else {
        p.setPen(colours::clBtnHighlight);
        p.drawLine(r.topLeft(), r.topRight() - QPoint(1, 0));
        p.drawLine(r.topLeft(), r.bottomLeft() - QPoint(0, 1));
        p.setPen(colours::cl3DDkShadow);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        p.setPen(colours::clBtnShadow);
        p.drawLine(r.bottomLeft() + QPoint(1, -1), r.bottomRight() - QPoint(1, 1));
        p.drawLine(r.topRight() + QPoint(-1, 1), r.bottomRight() - QPoint(1, 1));
    }

    // Glyph and caption, centred together; pressed, they move one pixel down and right.
    const QPixmap glyph = icon().pixmap(iconSize(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
    const int textWidth = fontMetrics().size(Qt::TextShowMnemonic, text()).width();
    const int glyphWidth = glyph.isNull() ? 0 : iconSize().width() + (text().isEmpty() ? 0 : glyphSpacing);
    QRect content(0, 0, glyphWidth + textWidth, r.height());
    content.moveCenter(r.center());
    if (down)
        content.translate(1, 1);
    if (!glyph.isNull()) {
        const QRect glyphRect(content.left(), content.top() + (content.height() - iconSize().height()) / 2,
                              iconSize().width(), iconSize().height());
        p.drawPixmap(glyphRect, glyph);
    }
    const QRect textRect = content.adjusted(glyphWidth, 0, 0, 0);
    style()->drawItemText(&p, textRect, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                          text(), QPalette::ButtonText);

    if (hasFocus()) {
        // The dotted focus rectangle, one pixel on, one off.
        QPen dots(palette().color(QPalette::ButtonText), 0);
        dots.setDashPattern({1.0, 1.0});
        p.setPen(dots);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(focusInset, focusInset, -focusInset - 1, -focusInset - 1));
    }
}

} // namespace yvo::ui
