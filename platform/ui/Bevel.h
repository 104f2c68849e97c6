#pragma once
// A lowered bevel: a decorative line frame drawn with the dark and light edges of the 3D look, as if
// cut into the window. It takes no input and no focus.

#include <QWidget>

namespace yvo::ui {

class Bevel : public QWidget {
    Q_OBJECT
public:
    enum class Shape {
        Box,   // a rectangle, dark at the top and left, light at the bottom and right
        Frame, // an etched rectangle: a dark and a light rectangle one pixel apart
    };

    explicit Bevel(QWidget* parent = nullptr);

    void setShape(Shape shape);
    Shape shape() const { return m_shape; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Shape m_shape = Shape::Box;
};

} // namespace yvo::ui
