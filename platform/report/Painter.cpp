#include "platform/report/Painter.h"

#include "platform/report/Layout.h"
#include "platform/report/Page.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <functional>
#include <optional>
#include <stdexcept>

namespace yvo::report {

namespace {

QRectF scaled(const QRectF& rect, double k) {
    return QRectF(rect.x() * k, rect.y() * k, rect.width() * k, rect.height() * k);
}

QPen thinPen() {
    QPen pen(Qt::black, 0, Qt::SolidLine);
    pen.setCosmetic(true);
    return pen;
}

void paintText(QPainter& painter, const Page& page, const TextRun& text, double k) {
    const TextStyle& style = page.style(text);
    const QRectF rect = scaled(text.rect, k);
    if (style.background)
        painter.fillRect(rect, *style.background);
    const QStringList lines = page.lines(text);
    if (lines.isEmpty())
        return;
    painter.save();
    if (style.clip)
        painter.setClipRect(rect, Qt::IntersectClip);
    painter.setFont(style.font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(style.font, painter.device());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        double x = rect.left();
        if (style.alignment & Qt::AlignRight)
            x = rect.right() - metrics.horizontalAdvance(line);
        else if (style.alignment & Qt::AlignHCenter)
            x = rect.center().x() - metrics.horizontalAdvance(line) / 2;
        const double baseline = rect.top() + (double(i) * style.lineHeight + style.ascent) * k;
        painter.drawText(QPointF(x, baseline), line);
    }
    painter.restore();
}

QPageLayout pageLayout(const Page& page) {
    const QSizeF portrait(std::min(page.paper.width(), page.paper.height()),
                          std::max(page.paper.width(), page.paper.height()));
    const auto orientation =
        page.paper.width() > page.paper.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter), orientation, QMarginsF());
}

[[noreturn]] void cannotWrite(const QString& fileName, const QString& reason) {
    throw std::runtime_error(QStringLiteral("Cannot write %1: %2").arg(fileName, reason).toStdString());
}

// Streams pages from next() into fileName; returns the page count.
int writePages(const std::function<std::optional<Page>()>& next, const QString& fileName) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        cannotWrite(fileName, file.errorString());
    int count = 0;
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Corvessa Report Generator"));
        std::optional<QPainter> painter;
        while (auto page = next()) {
            writer.setPageLayout(pageLayout(*page));
            if (!painter)
                painter.emplace(&writer);
            else if (!writer.newPage())
                cannotWrite(fileName, QStringLiteral("the PDF writer failed"));
            paintPage(*painter, *page, dotsPerMm(writer));
            ++count;
        }
        if (!painter) // a run without pages still gives a valid file of one blank page
            painter.emplace(&writer);
        painter->end();
    }
    if (!file.commit())
        cannotWrite(fileName, file.errorString());
    return count;
}

} // namespace

double dotsPerMm(const QPaintDevice& device) {
    return device.logicalDpiX() / 25.4;
}

void paintPage(QPainter& painter, const Page& page, double k) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const DrawItem& item : page.items) {
        if (const auto* rect = std::get_if<RectItem>(&item)) {
            const QRectF area = scaled(rect->rect, k);
            if (rect->fill)
                painter.fillRect(area, *rect->fill);
            if (rect->outline) {
                painter.setPen(thinPen());
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(area);
            }
        } else if (const auto* line = std::get_if<LineItem>(&item)) {
            painter.setPen(thinPen());
            painter.drawLine(QLineF(line->line.p1() * k, line->line.p2() * k));
        } else {
            paintText(painter, page, std::get<TextRun>(item), k);
        }
    }
    painter.restore();
}

void writePdf(const std::vector<Page>& pages, const QString& fileName) {
    std::size_t next = 0;
    writePages(
        [&]() -> std::optional<Page> {
            if (next >= pages.size())
                return std::nullopt;
            return pages[next++];
        },
        fileName);
}

int writePdf(LayoutRun& run, const QString& fileName) {
    return writePages([&run] { return run.nextPage(); }, fileName);
}

} // namespace yvo::report
