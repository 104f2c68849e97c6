#include "platform/ui/Fonts.h"

#include <QStringList>

namespace yvo::ui {

void installFontSubstitutes() {
    // insertSubstitutions() adds only the names not listed yet, so repeating it changes nothing.
    const QStringList substitutes{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), substitutes);
    QFont::insertSubstitutions(QStringLiteral("Arial"), substitutes);
}

QFont msSansSerif(bool bold) {
    installFontSubstitutes();
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

} // namespace yvo::ui
