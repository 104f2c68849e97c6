#pragma once
// Laid-out pages: plain draw records in millimetres from the paper's top-left corner. The same
// records feed the preview, the printer and PDF, so what is seen is what is printed.

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <optional>
#include <variant>
#include <vector>

namespace yvo::report {

// Lines of text broken by the layout, drawn from the top of rect, each one aligned within it and
// clipped to it unless the element was sized to its text.
struct TextItem {
    TextItem() = default;
    TextItem(const TextItem&) = default;
    TextItem& operator=(const TextItem&) = default;
    // QFont has no move constructor of its own; its copy only shares data, so it cannot throw, and
    // pages grow without copying their records.
    TextItem(TextItem&&) noexcept = default;
    TextItem& operator=(TextItem&&) noexcept = default;

    QRectF rect;
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft;
    QStringList lines;
    double lineHeight = 0; // mm
    double ascent = 0;     // mm, from a line's top to its baseline
    std::optional<QColor> background;
    bool clip = true;

    QString text() const { return lines.join(QLatin1Char(' ')); }
};

// A thin solid black line.
struct LineItem {
    QLineF line;
};

struct RectItem {
    QRectF rect;
    std::optional<QColor> fill;
    bool outline = true; // a thin solid black outline
};

using DrawItem = std::variant<RectItem, LineItem, TextItem>;

struct Page {
    QSizeF paper; // mm
    std::vector<DrawItem> items;

    // Text items in drawing order (tests and tools read pages through these).
    std::vector<const TextItem*> texts() const;
    const TextItem* findText(QStringView text) const;
};

} // namespace yvo::report
