#include "platform/report/Report.h"

#include "platform/report/PreviewHost.h"

#include <QCoreApplication>
#include <mutex>

namespace yvo::report {

Element& Band::add(Element element) {
    elements.push_back(std::make_unique<Element>(std::move(element)));
    return *elements.back();
}

Element* Band::element(QStringView elementName) const {
    for (const auto& element : elements)
        if (element->name == elementName)
            return element.get();
    return nullptr;
}

Report::Report(QString name) : font(makeFont(10)), m_name(std::move(name)) {}

Report::~Report() = default;

Band& Report::addBand(Band band) {
    m_bands.push_back(std::make_unique<Band>(std::move(band)));
    return *m_bands.back();
}

Band* Report::band(QStringView bandName) const {
    for (const auto& band : m_bands)
        if (band->name == bandName)
            return band.get();
    return nullptr;
}

Element* Report::element(QStringView elementName) const {
    for (const auto& band : m_bands)
        if (Element* found = band->element(elementName))
            return found;
    return nullptr;
}

Band* Report::firstBand(BandKind kind) const {
    for (const auto& band : m_bands)
        if (band->kind == kind)
            return band.get();
    return nullptr;
}

void Report::preview() {
    QCoreApplication::processEvents();
    if (m_generating)
        return;
    previewHost().show(*this);
}

QFont Report::makeFont(double pointSize, bool bold, const QString& family) {
    static std::once_flag substituted;
    std::call_once(substituted, [] {
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    });
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

} // namespace yvo::report
