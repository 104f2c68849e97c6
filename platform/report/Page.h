#pragma once
// Laid-out pages: plain draw records in millimetres from the paper's top-left corner. The same
// records feed the preview, the printer and PDF, so what is seen is what is printed.
// A page holds hundreds of records and a long run tens of thousands of pages, so a text record is
// small: its characters are a slice of the page's one string, and its look is an index into a
// table of styles that the pages of a run share.

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <memory>
#include <optional>
#include <variant>
#include <vector>

namespace yvo::report {

// How a text is drawn: each line aligned within its rect from the top down, clipped to the rect
// unless the element was sized to its text.
struct TextStyle {
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft;
    double lineHeight = 0; // mm
    double ascent = 0;     // mm, from a line's top to its baseline
    std::optional<QColor> background;
    bool clip = true;
    bool multiLine = false; // lines are separated by '\n'; otherwise the text is one line

    bool operator==(const TextStyle& other) const = default;
};

// A text as a page stores it: characters [start, start + length) of Page::characters, drawn in
// style Page::styles->at(style).
struct TextRun {
    QRectF rect;
    quint32 start = 0;
    quint32 length = 0;
    quint32 style = 0;
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

using DrawItem = std::variant<RectItem, LineItem, TextRun>;
using TextStyles = std::vector<TextStyle>;

// A text read back whole, with its style and its lines.
struct TextItem : TextStyle {
    QRectF rect;
    QStringList lines;

    QString text() const { return lines.join(QLatin1Char(' ')); }
};

struct Page {
    QSizeF paper; // mm
    std::vector<DrawItem> items;
    QString characters;                       // every text run's characters, one after the other
    std::shared_ptr<const TextStyles> styles; // never changed once a page refers to it

    const TextStyle& style(const TextRun& run) const { return styles->at(run.style); }
    // The lines of a run: none for an empty text.
    QStringList lines(const TextRun& run) const;
    TextItem text(const TextRun& run) const;

    // Text items in drawing order (tests and tools read pages through these). They are made once,
    // on the first read, and kept with the page.
    std::vector<const TextItem*> texts() const;
    const TextItem* findText(QStringView text) const;

private:
    mutable std::vector<TextItem> m_read;
};

} // namespace yvo::report
