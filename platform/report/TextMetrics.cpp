#include "platform/report/TextMetrics.h"

#include <QFontMetricsF>

namespace yvo::report {

namespace {
constexpr int kReferenceDpi = 720;
constexpr double kMmPerDot = 25.4 / kReferenceDpi;
} // namespace

TextMetrics::TextMetrics() : m_device(1, 1, QImage::Format_ARGB32) {
    const int dotsPerMeter = qRound(kReferenceDpi / 0.0254);
    m_device.setDotsPerMeterX(dotsPerMeter);
    m_device.setDotsPerMeterY(dotsPerMeter);
}

TextMetrics::~TextMetrics() = default;

const QFontMetricsF& TextMetrics::metrics(const QFont& font) {
    auto& slot = m_cache[font.key()];
    if (!slot)
        slot = std::make_shared<QFontMetricsF>(font, &m_device);
    return *slot;
}

double TextMetrics::width(const QFontMetricsF& metrics, const QString& text) {
    return metrics.horizontalAdvance(text) * kMmPerDot;
}

double TextMetrics::lineHeight(const QFontMetricsF& metrics) {
    return metrics.lineSpacing() * kMmPerDot;
}

double TextMetrics::ascent(const QFontMetricsF& metrics) {
    return metrics.ascent() * kMmPerDot;
}

QStringList TextMetrics::wrap(const QFontMetricsF& font, const QString& text, double width) {
    if (text.isEmpty())
        return {};
    QStringList lines;
    const QString blank = QStringLiteral(" ");
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        if (TextMetrics::width(font, paragraph) <= width) {
            lines << paragraph;
            continue;
        }
        // Greedy breaking at blanks: as many words on a line as fit.
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!line.isEmpty() && TextMetrics::width(font, line + blank + word) > width) {
                lines << line;
                line.clear();
            }
            line = line.isEmpty() ? word : line + blank + word;
        }
        lines << line;
    }
    return lines;
}

} // namespace yvo::report
