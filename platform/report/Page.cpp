#include "platform/report/Page.h"

namespace yvo::report {

std::vector<const TextItem*> Page::texts() const {
    std::vector<const TextItem*> found;
    for (const DrawItem& item : items)
        if (const auto* text = std::get_if<TextItem>(&item))
            found.push_back(text);
    return found;
}

const TextItem* Page::findText(QStringView wanted) const {
    for (const DrawItem& item : items)
        if (const auto* text = std::get_if<TextItem>(&item); text && text->text() == wanted)
            return text;
    return nullptr;
}

} // namespace yvo::report
