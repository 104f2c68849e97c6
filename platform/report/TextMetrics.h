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

    double width(const QFont& font, const QString& text);
    double lineHeight(const QFont& font);
    double ascent(const QFont& font);
    // The text broken at word boundaries into lines no wider than width (a single word wider than
    // that stays whole on its line); hard line breaks are kept.
    QStringList wrap(const QFont& font, const QString& text, double width);

private:
    const QFontMetricsF& metrics(const QFont& font);

    QImage m_device;                                        // the reference resolution
    QHash<QString, std::shared_ptr<QFontMetricsF>> m_cache; // by QFont::key()
};

} // namespace yvo::report
