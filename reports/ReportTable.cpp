#include "reports/ReportTable.h"

#include <QColor>
#include <stdexcept>

namespace yvo::reports {

void buildReport(report::Report& report, std::span<const TableRow> table) {
    report::Band* current = nullptr;
    for (const TableRow& row : table) {
        if (row.isBand) {
            report::Band band;
            band.name = QString::fromLatin1(row.name);
            band.kind = row.bandKind;
            band.height = row.height;
            band.color = QColor(row.colour);
            band.groupExpression = QString::fromLatin1(row.groupExpression);
            current = &report.addBand(std::move(band));
            continue;
        }
        if (!current)
            throw std::logic_error(std::string("report element before any band: ") + row.name);
        report::Element element;
        element.name = QString::fromLatin1(row.name);
        element.kind = row.kind;
        element.rect = QRectF(row.left, row.top, row.width, row.height);
        element.text = QString::fromLatin1(row.content);
        element.mask = QString::fromLatin1(row.mask);
        if (row.font.pointSize > 0)
            element.font = report::Report::makeFont(row.font.pointSize, row.font.bold);
        element.alignment = row.alignment;
        element.sizedToText = row.options & SizedToText;
        element.transparent = row.options & Transparent;
        element.grows = row.options & Grows;
        element.wordWrap = !(row.options & NoWordWrap);
        element.resetAfterPrint = row.options & ResetAfterPrint;
        current->add(std::move(element));
    }
    for (const TableRow& row : table)
        if (row.isBand && row.footer[0] != '\0') {
            report::Band* footer = report.band(QString::fromLatin1(row.footer));
            if (!footer)
                throw std::logic_error(std::string("no group footer band ") + row.footer);
            report.band(QString::fromLatin1(row.name))->footer = footer;
        }
}

} // namespace yvo::reports
