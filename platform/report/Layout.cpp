#include "platform/report/Layout.h"

#include "platform/report/DataSet.h"
#include "platform/report/Report.h"
#include "platform/report/TextMetrics.h"
#include "platform/text/Regional.h"

#include <QDateTime>
#include <QRegularExpression>
#include <stdexcept>

namespace yvo::report {

namespace {

constexpr double kEpsilon = 1e-6;

Qt::Alignment qtAlignment(Alignment alignment) {
    switch (alignment) {
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Center:
        return Qt::AlignHCenter;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

void translate(DrawItem& item, QPointF offset) {
    std::visit(
        [offset](auto& drawn) {
            if constexpr (std::is_same_v<std::decay_t<decltype(drawn)>, LineItem>)
                drawn.line.translate(offset);
            else
                drawn.rect.translate(offset);
        },
        item);
}

} // namespace

QString sumColumn(const QString& expression) {
    static const QRegularExpression sum(QStringLiteral(R"(^\s*SUM\s*\(\s*(.+?)\s*\)\s*$)"),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto match = sum.match(expression);
    if (!match.hasMatch())
        throw std::invalid_argument("Unsupported report expression: " + expression.toStdString());
    return columnOf(match.captured(1));
}

QString columnOf(const QString& reference) {
    const auto dot = reference.indexOf(QLatin1Char('.'));
    return dot < 0 ? reference : reference.mid(dot + 1);
}

LayoutRun::LayoutRun(Report& report) : m_report(report), m_metrics(std::make_unique<TextMetrics>()) {
    m_title = report.firstBand(BandKind::Title);
    m_columnHeader = report.firstBand(BandKind::ColumnHeader);
    m_detail = report.firstBand(BandKind::Detail);
    m_summary = report.firstBand(BandKind::Summary);
    for (const auto& band : report.bands())
        if (band->kind == BandKind::GroupHeader)
            m_groups.push_back(Group{band.get(), -1, {}, false});
    m_report.m_generating = true;
    if (DataSet* data = report.dataSet()) {
        data->first();
        m_hasRows = !data->eof();
        m_recordCount = data->recordCount();
    }
    resolveColumns();
}

LayoutRun::~LayoutRun() {
    m_report.m_generating = false;
}

void LayoutRun::resolveColumns() {
    DataSet* data = m_report.dataSet();
    auto indexOf = [data](const QString& name) { return data ? data->columnIndex(name) : -1; };
    for (auto& group : m_groups)
        group.column = indexOf(columnOf(group.header->groupExpression));
    for (const auto& band : m_report.bands())
        for (const auto& element : band->elements) {
            if (element->kind == ElementKind::DataText)
                m_columns.insert(element.get(), indexOf(element->text));
            else if (element->kind == ElementKind::Expression) {
                m_columns.insert(element.get(), indexOf(sumColumn(element->text)));
                m_sums.insert(element.get(), 0.0);
            }
        }
}

double LayoutRun::progress() const {
    if (m_finished || m_recordCount <= 0)
        return m_finished ? 1.0 : 0.0;
    return std::min(1.0, double(m_rowsDone) / m_recordCount);
}

void LayoutRun::finish() {
    m_finished = true;
    m_report.m_generating = false;
}

void LayoutRun::refill() {
    switch (m_phase) {
    case Phase::Start:
        m_phase = Phase::Done;
        if (!m_hasRows && !m_report.printIfEmpty)
            return;
        if (m_title)
            m_queue.push_back(m_title);
        if (m_hasRows) {
            if (m_columnHeader)
                m_queue.push_back(m_columnHeader);
            m_phase = Phase::Rows;
            enqueueRowBands();
        } else {
            if (m_detail)
                m_queue.push_back(m_detail);
            if (m_summary)
                m_queue.push_back(m_summary);
        }
        return;
    case Phase::Rows:
        m_report.dataSet()->next();
        ++m_rowsDone;
        if (m_report.dataSet()->eof()) {
            closeGroups(0);
            if (m_summary)
                m_queue.push_back(m_summary);
            m_phase = Phase::Done;
        } else {
            enqueueRowBands();
        }
        return;
    case Phase::Done:
        return;
    }
}

// Queues the bands of the current row: the footers of the groups its keys close, the headers of
// the groups it opens, then its detail band.
void LayoutRun::enqueueRowBands() {
    DataSet& data = *m_report.dataSet();
    for (std::size_t level = 0; level < m_groups.size(); ++level) {
        const QString key = data.value(m_groups[level].column).toString();
        if (!m_groups[level].open || key != m_groups[level].key) {
            closeGroups(level);
            for (std::size_t open = level; open < m_groups.size(); ++open) {
                auto& group = m_groups[open];
                group.key = data.value(group.column).toString();
                group.open = true;
                m_queue.push_back(group.header);
            }
            break;
        }
    }
    if (m_detail)
        m_queue.push_back(m_detail);
}

void LayoutRun::closeGroups(std::size_t fromLevel) {
    for (std::size_t level = m_groups.size(); level-- > fromLevel;) {
        auto& group = m_groups[level];
        if (group.open && group.header->footer)
            m_queue.push_back(group.header->footer);
        group.open = false;
    }
}

void LayoutRun::accumulateSums() {
    DataSet* data = m_report.dataSet();
    for (auto it = m_sums.begin(); it != m_sums.end(); ++it)
        if (data)
            it.value() += data->value(m_columns.value(it.key(), -1)).toDouble();
}

QString LayoutRun::valueText(const Element& element) {
    switch (element.kind) {
    case ElementKind::Label:
        return element.text;
    case ElementKind::Expression: {
        const double sum = m_sums.value(&element);
        if (element.resetAfterPrint)
            m_sums[&element] = 0.0;
        return element.mask.isEmpty() ? QString::number(sum) : text::formatMask(sum, element.mask);
    }
    case ElementKind::DataText: {
        const int column = m_columns.value(&element, -1);
        if (column < 0)
            return {};
        const QVariant value = m_report.dataSet()->value(column);
        if (!element.mask.isEmpty())
            return text::formatMask(value.toDouble(), element.mask);
        if (value.isNull())
            return {};
        if (value.typeId() == QMetaType::QDateTime)
            return text::formatDateTime(value.toDateTime());
        if (value.typeId() == QMetaType::QDate)
            return text::formatShortDate(value.toDate());
        return value.toString();
    }
    default:
        return {};
    }
}

LayoutRun::ElementFont& LayoutRun::fontOf(const Element& element) {
    auto it = m_fonts.find(&element);
    if (it == m_fonts.end()) {
        ElementFont font;
        font.font = element.font.value_or(m_report.font);
        font.metrics = &m_metrics->metrics(font.font);
        font.lineHeight = TextMetrics::lineHeight(*font.metrics);
        font.ascent = TextMetrics::ascent(*font.metrics);
        it = m_fonts.insert(&element, font);
    }
    return *it;
}

quint32 LayoutRun::styleIndex(const TextStyle& style, quint32 likely) {
    const TextStyles& styles = *m_styles;
    if (likely < styles.size() && styles[likely] == style)
        return likely;
    for (std::size_t i = 0; i < styles.size(); ++i)
        if (styles[i] == style)
            return quint32(i);
    auto grown = std::make_shared<TextStyles>(styles);
    grown->push_back(style);
    m_styles = std::move(grown);
    return quint32(m_styles->size() - 1);
}

void LayoutRun::addElement(ReadyBand& ready, const Element& element, double& growth) {
    const QRectF& rect = element.rect;
    switch (element.kind) {
    case ElementKind::Box:
        ready.items.emplace_back(RectItem{rect, QColor(Qt::white), true});
        return;
    case ElementKind::TopBottomRules:
        ready.items.emplace_back(LineItem{QLineF(rect.topLeft(), rect.topRight())});
        ready.items.emplace_back(LineItem{QLineF(rect.bottomLeft(), rect.bottomRight())});
        return;
    case ElementKind::HorizontalLine: {
        const double y = rect.center().y();
        ready.items.emplace_back(LineItem{QLineF(rect.left(), y, rect.right(), y)});
        return;
    }
    case ElementKind::VerticalLine: {
        const double x = rect.center().x();
        ready.items.emplace_back(LineItem{QLineF(x, rect.top(), x, rect.bottom())});
        return;
    }
    case ElementKind::Label:
    case ElementKind::DataText:
    case ElementKind::Expression:
        break;
    }

    ElementFont& font = fontOf(element);
    TextStyle style;
    style.font = font.font;
    style.alignment = qtAlignment(element.alignment);
    style.lineHeight = font.lineHeight;
    style.ascent = font.ascent;
    if (!element.transparent)
        style.background = QColor(Qt::white);
    TextRun text;
    text.rect = rect;
    const QString content = valueText(element);
    QString characters;
    if (element.sizedToText) {
        characters = content;
        characters.replace(QLatin1Char('\n'), QLatin1Char(' '));
        const double width = TextMetrics::width(*font.metrics, characters);
        if (element.alignment == Alignment::Right)
            text.rect.setLeft(rect.right() - width);
        else if (element.alignment == Alignment::Center)
            text.rect = QRectF(rect.center().x() - width / 2, rect.top(), width, rect.height());
        else
            text.rect.setWidth(width);
        style.clip = false;
    } else if (element.wordWrap) {
        const QStringList lines = TextMetrics::wrap(*font.metrics, content, rect.width());
        characters = lines.join(QLatin1Char('\n'));
        style.multiLine = true;
        if (element.grows) {
            const double needed = lines.size() * style.lineHeight;
            if (needed > rect.height()) {
                text.rect.setHeight(needed);
                growth = std::max(growth, needed - rect.height());
            }
        }
    } else {
        characters = content;
    }
    // An amount too wide for its box is drawn whole past the box's edge: cutting off leading
    // digits would print a different number.
    if (element.kind == ElementKind::Expression || !element.mask.isEmpty())
        style.clip = false;
    font.style = styleIndex(style, font.style);
    text.style = font.style;
    text.start = quint32(ready.characters.size());
    text.length = quint32(characters.size());
    ready.characters += characters;
    ready.items.emplace_back(text);
}

std::optional<LayoutRun::ReadyBand> LayoutRun::makeReady(Band& band) {
    bool print = true;
    if (band.beforePrint)
        band.beforePrint(band, print);
    if (!print)
        return std::nullopt;
    if (&band == m_detail)
        accumulateSums();

    ReadyBand ready;
    const bool coloured = band.color != QColor(Qt::white);
    if (coloured)
        ready.items.emplace_back(RectItem{{}, band.color, false});
    double growth = 0;
    for (const auto& element : band.elements)
        addElement(ready, *element, growth);
    ready.height = band.height + growth;
    if (coloured)
        std::get<RectItem>(ready.items.front()).rect = QRectF(0, 0, m_report.page.bandWidth(), ready.height);
    return ready;
}

std::optional<Page> LayoutRun::nextPage() {
    if (m_finished)
        return std::nullopt;
    try {
        const PageSetup& setup = m_report.page;
        const double bottom = setup.paper.height() - setup.bottomMargin;
        Page page;
        page.paper = setup.paper;
        page.items.reserve(m_itemsPerPage);
        page.characters.reserve(m_charactersPerPage);
        double y = setup.topMargin;
        bool placed = false; // a band other than the repeated column header is on the page
        auto place = [&](ReadyBand& ready) {
            const auto start = quint32(page.characters.size());
            for (auto& item : ready.items) {
                translate(item, QPointF(setup.leftMargin, y));
                if (auto* text = std::get_if<TextRun>(&item))
                    text->start += start;
                page.items.push_back(std::move(item));
            }
            page.characters += ready.characters;
            y += ready.height;
        };

        if (m_pagesDone > 0 && m_hasRows && m_columnHeader)
            if (auto header = makeReady(*m_columnHeader))
                place(*header);

        while (true) {
            if (!m_ready) {
                if (m_queue.empty())
                    refill();
                if (m_queue.empty()) {
                    finish();
                    break;
                }
                Band* band = m_queue.front();
                m_queue.pop_front();
                m_ready = makeReady(*band);
                if (!m_ready)
                    continue;
            }
            if (placed && y + m_ready->height > bottom + kEpsilon)
                break;
            place(*m_ready);
            m_ready.reset();
            placed = true;
        }

        if (!placed && m_finished)
            return std::nullopt;
        m_itemsPerPage = std::max(m_itemsPerPage, page.items.size());
        m_charactersPerPage = std::max(m_charactersPerPage, page.characters.size());
        page.styles = m_styles;
        ++m_pagesDone;
        return page;
    } catch (...) {
        finish();
        throw;
    }
}

std::vector<Page> layoutReport(Report& report) {
    std::vector<Page> pages;
    LayoutRun run(report);
    while (auto page = run.nextPage())
        pages.push_back(std::move(*page));
    return pages;
}

} // namespace yvo::report
