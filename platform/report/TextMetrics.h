#pragma once
// Text measurement at a fixed reference resolution, in millimetres, independent of any output device.

#include <QFont>
#include <QHash>
#include <QImage>
#include <QStringList>
#include <memory>

class QFontMetricsF;

namespace yvo::report {

class TextMetrics {
public:
    TextMetrics();
    ~TextMetrics();
    TextMetrics(const TextMetrics&) = delete;
    TextMetrics& operator=(const TextMetrics&) = delete;

    // The metrics of font at the reference resolution; they live as long as this object.
    const QFontMetricsF& metrics(const QFont& font);

    // Millimetres, from metrics() of the font.
    static double width(const QFontMetricsF& metrics, const QString& text);
    static double lineHeight(const QFontMetricsF& metrics);
    static double ascent(const QFontMetricsF& metrics);
    // The text broken at blanks into lines no wider than width (a single word wider than that stays
    // whole on its line); hard line breaks are kept.
    static QStringList wrap(const QFontMetricsF& metrics, const QString& text, double width);

private:
    QImage m_device;                                        // the reference resolution
    QHash<QString, std::shared_ptr<QFontMetricsF>> m_cache; // by QFont::key()
};

} // namespace yvo::report
