#pragma once
// The colour bitmap button: a push button that paints its face in a colour of its own, with a
// centred caption, an optional glyph left of it, and a focus rectangle while it has the focus.
// Space or Enter clicks it when focused. Clicking only raises clicked(); the button never closes
// its window by itself.

#include <QAbstractButton>
#include <QColor>

namespace yvo::ui {

class ColorBitBtn : public QAbstractButton {
    Q_OBJECT
public:
    // A kind supplies a caption (only when the button has none yet) and a glyph.
    enum class Kind {
        Custom, // no caption, no glyph
        Close,  // "&Close" with a door-and-arrow glyph
    };

    explicit ColorBitBtn(QWidget* parent = nullptr);

    // The face colour. An invalid colour, the default, takes the colour of the button's window.
    void setColor(const QColor& color);
    QColor color() const { return m_color; }
    QColor faceColor() const;

    void setKind(Kind kind);
    Kind kind() const { return m_kind; }

    QSize sizeHint() const override; // 75 x 25

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor m_color;
    Kind m_kind = Kind::Custom;
};

} // namespace yvo::ui
