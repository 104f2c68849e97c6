#include "platform/report/Page.h"

namespace yvo::report {

QStringList Page::lines(const TextRun& run) const {
    const QStringView text = QStringView(characters).mid(run.start, run.length);
    if (text.isEmpty())
        return {};
    if (!style(run).multiLine)
        return {text.toString()};
    QStringList lines;
    for (const QStringView line : text.tokenize(QLatin1Char('\n')))
        lines << line.toString();
    return lines;
}

TextItem Page::text(const TextRun& run) const {
    TextItem item;
    static_cast<TextStyle&>(item) = style(run);
    item.rect = run.rect;
    item.lines = lines(run);
    return item;
}

std::vector<const TextItem*> Page::texts() const {
    if (m_read.empty())
        for (const DrawItem& item : items)
            if (const auto* run = std::get_if<TextRun>(&item))
                m_read.push_back(text(*run));
    std::vector<const TextItem*> found;
    found.reserve(m_read.size());
    for (const TextItem& text : m_read)
        found.push_back(&text);
    return found;
}

const TextItem* Page::findText(QStringView wanted) const {
    for (const TextItem* text : texts())
        if (text->text() == wanted)
            return text;
    return nullptr;
}

} // namespace yvo::report
