#pragma once
// The report model: a report bound to one data set, with its page set-up, its report font and its
// bands; each band holds elements placed in millimetres from the band's top-left corner.
// Building a report is filling these plain structures; the layout engine (Layout.h) turns one run
// over the data set into pages, and preview() hands the report to the installed preview host.

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace yvo::report {

class DataSet;

struct PageSetup {
    QSizeF paper{215.9, 279.4}; // mm, in the orientation printed (Letter portrait by default)
    double leftMargin = 12.7;
    double topMargin = 12.7;
    double rightMargin = 12.7;
    double bottomMargin = 12.7;

    static PageSetup letterPortrait() { return {}; }
    static PageSetup letterLandscape() { return {{279.4, 215.9}}; }
    bool landscape() const { return paper.width() > paper.height(); }
    double bandWidth() const { return paper.width() - leftMargin - rightMargin; }
};

enum class ElementKind {
    Label,          // a fixed caption (handlers may change it)
    DataText,       // a column of the current row, through an optional display mask
    Expression,     // "SUM(DataSet.Column)": a running sum over the printed detail rows
    Box,            // a rectangle: thin black outline, white fill
    TopBottomRules, // thin black lines along the top and bottom edges of the rectangle
    HorizontalLine, // a thin black line across the vertical middle of the rectangle
    VerticalLine,   // a thin black line down the horizontal middle of the rectangle
};

enum class Alignment { Left, Right, Center };

struct Element {
    QString name;
    ElementKind kind = ElementKind::Label;
    QRectF rect;               // mm from the band's top-left corner; the top may be negative
    QString text;              // the caption, the column name, or the expression
    QString mask;              // display mask of data texts and expressions; empty for none
    std::optional<QFont> font; // none: the report font
    Alignment alignment = Alignment::Left;
    bool transparent = false; // otherwise the text gets a white background
    bool wordWrap = true;
    bool sizedToText =
        false;          // one line, as wide as its text: grows right if left-aligned, left if right-aligned
    bool grows = false; // grows downward, and its band with it, when the text needs more lines
    bool resetAfterPrint = true; // expressions: the sum starts again from 0 after it printed

    bool isText() const {
        return kind == ElementKind::Label || kind == ElementKind::DataText || kind == ElementKind::Expression;
    }
};

enum class BandKind { Title, ColumnHeader, GroupHeader, Detail, GroupFooter, Summary };

struct Band {
    // Called just before the band prints; clearing the flag skips the band.
    using BeforePrint = std::function<void(Band& sender, bool& printBand)>;

    QString name;
    BandKind kind = BandKind::Detail;
    double height = 0; // mm
    QColor color = Qt::white;
    QString groupExpression; // group headers: "DataSet.Column" or "Column"; compared exactly
    Band* footer = nullptr;  // group headers: the group's footer band
    BeforePrint beforePrint;
    std::vector<std::unique_ptr<Element>> elements;

    Element& add(Element element);
    Element* element(QStringView elementName) const;
};

class Report {
public:
    explicit Report(QString name);
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    const QString& name() const { return m_name; }

    PageSetup page;
    QFont font;                // the report font, used by every element that names none
    bool printIfEmpty = false; // with no row: the title, one detail band on no row, the summary
    QString title;             // the preview's caption; "Print Preview" when empty

    Band& addBand(Band band);
    const std::vector<std::unique_ptr<Band>>& bands() const { return m_bands; }
    Band* band(QStringView bandName) const;
    Element* element(QStringView elementName) const;
    // The first band of that kind, or null.
    Band* firstBand(BandKind kind) const;

    void setDataSet(DataSet* dataSet) { m_dataSet = dataSet; }
    DataSet* dataSet() const { return m_dataSet; }

    // True while a run over the data set is producing pages.
    bool isGenerating() const { return m_generating; }

    // Handles waiting events; returns at once when this report is being generated; otherwise hands the
    // report to the preview host, which runs it and returns when the user is done with its output.
    void preview();

    // A font as the report uses it: "Arial" by name, resolved to its metric-compatible stand-in
    // where Arial itself is not installed; no hinting, so measuring and drawing agree at any resolution.
    static QFont makeFont(double pointSize, bool bold = false,
                          const QString& family = QStringLiteral("Arial"));

private:
    friend class LayoutRun;
    QString m_name;
    std::vector<std::unique_ptr<Band>> m_bands;
    DataSet* m_dataSet = nullptr;
    bool m_generating = false;
};

} // namespace yvo::report
