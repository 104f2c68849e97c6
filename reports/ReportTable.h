#pragma once
// A report's bands and elements as one table, in the order of the design, with its names and its
// millimetres: a band row opens a band, the element rows under it belong to it. buildReport() reads
// the table into a report.

#include "platform/report/Report.h"

#include <QRgb>
#include <span>

namespace yvo::reports {

using report::Alignment;
using report::BandKind;
using report::ElementKind;

// Element options, as the design names them.
enum Option : unsigned {
    Plain = 0,
    SizedToText = 1u << 0,
    Transparent = 1u << 1,
    Grows = 1u << 2,
    NoWordWrap = 1u << 3,
    ResetAfterPrint = 1u << 4,
};

struct FontSpec {
    double pointSize = 0; // 0: the report font
    bool bold = false;
};
constexpr FontSpec kReportFont{};
constexpr FontSpec regular(double pointSize) {
    return {pointSize, false};
}
constexpr FontSpec bold(double pointSize) {
    return {pointSize, true};
}

constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kLightGrey = 0xDFDFDF; // red, green and blue 223 each

struct TableRow {
    bool isBand = false;
    const char* name = "";
    // bands
    BandKind bandKind = BandKind::Detail;
    QRgb colour = kWhite;
    const char* groupExpression = "";
    const char* footer = "";
    // elements
    ElementKind kind = ElementKind::Label;
    double left = 0, top = 0, width = 0, height = 0; // a band's height is in height
    const char* content = "";
    const char* mask = "";
    FontSpec font;
    Alignment alignment = Alignment::Left;
    unsigned options = Plain;
};

constexpr TableRow band(const char* name, BandKind kind, double height, QRgb colour = kWhite) {
    TableRow row;
    row.isBand = true;
    row.name = name;
    row.bandKind = kind;
    row.height = height;
    row.colour = colour;
    return row;
}

constexpr TableRow groupHeader(const char* name, const char* expression, const char* footer, double height,
                               QRgb colour = kWhite) {
    TableRow row = band(name, BandKind::GroupHeader, height, colour);
    row.groupExpression = expression;
    row.footer = footer;
    return row;
}

constexpr TableRow shape(ElementKind kind, const char* name, double left, double top, double width,
                         double height) {
    TableRow row;
    row.name = name;
    row.kind = kind;
    row.left = left;
    row.top = top;
    row.width = width;
    row.height = height;
    return row;
}

constexpr TableRow text(ElementKind kind, const char* name, double left, double top, double width,
                        double height, const char* content, const char* mask, FontSpec font,
                        Alignment alignment, unsigned options) {
    TableRow row = shape(kind, name, left, top, width, height);
    row.content = content;
    row.mask = mask;
    row.font = font;
    row.alignment = alignment;
    row.options = options;
    return row;
}

constexpr TableRow label(const char* name, double left, double top, double width, double height,
                         const char* caption, FontSpec font, Alignment alignment, unsigned options = Plain) {
    return text(ElementKind::Label, name, left, top, width, height, caption, "", font, alignment, options);
}

constexpr TableRow dataText(const char* name, double left, double top, double width, double height,
                            const char* column, const char* mask, FontSpec font, Alignment alignment,
                            unsigned options = Plain) {
    return text(ElementKind::DataText, name, left, top, width, height, column, mask, font, alignment,
                options);
}

constexpr TableRow expression(const char* name, double left, double top, double width, double height,
                              const char* formula, const char* mask, FontSpec font, Alignment alignment,
                              unsigned options = Plain) {
    return text(ElementKind::Expression, name, left, top, width, height, formula, mask, font, alignment,
                options);
}

constexpr TableRow box(const char* name, double left, double top, double width, double height) {
    return shape(ElementKind::Box, name, left, top, width, height);
}
constexpr TableRow rules(const char* name, double left, double top, double width, double height) {
    return shape(ElementKind::TopBottomRules, name, left, top, width, height);
}
// Lines given by where they are drawn: a horizontal one at y from x1 to x2, a vertical one at x.
constexpr TableRow hLine(const char* name, double y, double x1, double x2) {
    return shape(ElementKind::HorizontalLine, name, x1, y, x2 - x1, 0);
}
constexpr TableRow vLine(const char* name, double x, double y1, double y2) {
    return shape(ElementKind::VerticalLine, name, x, y1, 0, y2 - y1);
}

// Adds the table's bands and elements to report. Throws std::logic_error for an element row before
// any band, or a group footer name that names no band.
void buildReport(report::Report& report, std::span<const TableRow> table);

} // namespace yvo::reports
