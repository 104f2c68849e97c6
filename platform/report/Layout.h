#pragma once
// The layout engine: one run of a report over its data set, producing pages one at a time.
// A run starts at the data set's first row with every running sum at zero. Each band is made ready
// once (its before-print handler runs, its elements are measured and turned into draw records) and
// placed below the previous one; a band that does not fit on the rest of the page starts the next
// page, which opens with the column header band. Earlier pages are never laid out again, so a
// preview can show the first page while the rest is still to come.
// Text is measured at a fixed reference resolution, so pages do not depend on the output device.

#include "platform/report/Page.h"

#include <QFont>
#include <QHash>
#include <QString>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace yvo::report {

class Report;
struct Band;
struct Element;
class TextMetrics;
} // namespace yvo::report
class QFontMetricsF;
namespace yvo::report {

class LayoutRun {
public:
    // Rewinds the report's data set and marks the report as being generated until the run
    // finishes or is destroyed.
    explicit LayoutRun(Report& report);
    ~LayoutRun();
    LayoutRun(const LayoutRun&) = delete;
    LayoutRun& operator=(const LayoutRun&) = delete;

    // The next page, or nothing once the run has finished. Exceptions from band handlers and the
    // data set pass through; the run is then finished.
    std::optional<Page> nextPage();
    bool finished() const { return m_finished; }
    int pagesDone() const { return m_pagesDone; }
    // Share of the data set's rows laid out so far, 0 to 1.
    double progress() const;

private:
    struct ReadyBand {
        double height = 0;
        std::vector<DrawItem> items; // relative to the band's top-left corner
        QString characters;          // of its text runs, which start from 0 here
    };
    struct Group {
        Band* header = nullptr;
        int column = -1;
        QString key;
        bool open = false;
    };
    enum class Phase { Start, Rows, Done };

    void resolveColumns();
    void refill();
    void enqueueRowBands();
    void closeGroups(std::size_t fromLevel);
    std::optional<ReadyBand> makeReady(Band& band);
    void addElement(ReadyBand& ready, const Element& element, double& growth);
    QString valueText(const Element& element);
    void accumulateSums();
    void finish();

    Report& m_report;
    std::unique_ptr<TextMetrics> m_metrics;
    Band* m_title = nullptr;
    Band* m_columnHeader = nullptr;
    Band* m_detail = nullptr;
    Band* m_summary = nullptr;
    std::vector<Group> m_groups;
    QHash<const Element*, int> m_columns; // data texts and expressions: resolved column
    QHash<const Element*, double> m_sums; // expressions: running sums
    struct ElementFont {
        QFont font;
        const QFontMetricsF* metrics = nullptr;
        double lineHeight = 0;
        double ascent = 0;
        quint32 style = 0; // the style its texts had last, the likeliest for the next one
    };
    ElementFont& fontOf(const Element& element);
    quint32 styleIndex(const TextStyle& style, quint32 likely);
    QHash<const Element*, ElementFont> m_fonts; // text elements: their font, measured once a run
    // The styles of the run's texts so far. A new style replaces the table with a longer copy, so
    // the table a finished page holds never changes.
    std::shared_ptr<const TextStyles> m_styles = std::make_shared<const TextStyles>();
    std::deque<Band*> m_queue;
    std::optional<ReadyBand> m_ready; // made ready, waiting for room on a page
    Phase m_phase = Phase::Start;
    bool m_hasRows = false;
    bool m_rowQueued = false;
    bool m_finished = false;
    int m_rowsDone = 0;
    int m_recordCount = 0;
    int m_pagesDone = 0;
    std::size_t m_itemsPerPage = 0; // the most a page has held so far, to size the next one
    qsizetype m_charactersPerPage = 0;
};

// Every page of one run.
std::vector<Page> layoutReport(Report& report);

// The column an expression sums: "SUM(QDetailReport.TotalDue)" gives "TotalDue".
// Throws std::invalid_argument for any other form.
QString sumColumn(const QString& expression);
// The column of a group expression or data field: "QSummary.strType" gives "strType".
QString columnOf(const QString& reference);

} // namespace yvo::report
