#include "reports/RptDetailForm.h"

#include "data/YVODataModule.h"
#include "platform/db/Query.h"
#include "platform/report/Report.h"
#include "reports/QueryDataSet.h"
#include "reports/ReportTable.h"

TFrptDetail* FrptDetail = nullptr;

namespace {

using namespace yvo::reports;
constexpr auto L = Alignment::Left;
constexpr auto R = Alignment::Right;

// QRClient: its bands in the order they print, each followed by its elements in drawing order.
// Millimetres from the band's top-left corner.
// clang-format off
const TableRow kQRClient[] = {
    //          name            left   top   width  height  content                         mask  font         align  options
    band("QRBand1", BandKind::Title, 22.0, kWhite),
    label(      "QRLabel1",     74.7,  2.4,  41.2,  6.4,    "Detailed Report",                    bold(16),    L,     SizedToText),
    label(      "QRLPaidDate",  4.0,   13.9, 21.2,  4.4,    "QRLPaidDate",                        kReportFont, L,     SizedToText),

    groupHeader("QRGroup2", "QDetailReport.Catagory", "QRBGroupFooter", 13.2, kWhite),
    box(        "QRShape9",     3.5,   6.8,  39.7,  6.4),
    box(        "QRShape3",     77.6,  6.8,  38.4,  6.4),
    rules(      "QRShape5",     116.0, 6.8,  33.7,  6.4),
    rules(      "QRShape21",    43.2,  6.8,  34.4,  6.4),
    label(      "QRLabel14",    45.2,  7.5,  28.4,  4.4,    "Last Name",                          bold(10),    L),
    dataText(   "QRDBText1",    4.0,   1.1,  15.4,  4.4,    "Catagory",                     "",   bold(10),    L,     SizedToText | Transparent),
    label(      "QRLabel6",     6.6,   7.5,  18.3,  4.9,    "First Name",                         bold(10),    L,     SizedToText),
    label(      "QRLabel2",     78.1,  7.5,  29.1,  4.4,    "Company",                            bold(10),    L),
    label(      "QRLabel3",     118.5, 7.4,  29.1,  4.5,    "Total Due",                          bold(10),    L),
    box(        "QRShape6",     149.5, 6.8,  34.2,  6.4),
    label(      "QRLabel4",     152.7, 7.4,  29.1,  4.5,    "Total Paid",                         bold(10),    L),

    band("QRBand2", BandKind::Detail, 6.4, kWhite),
    box(        "QRShape8",     149.5, -0.2, 34.2,  6.4),
    rules(      "QRShape7",     116.0, -0.2, 33.5,  6.4),
    box(        "QRShape4",     77.6,  -0.2, 38.4,  6.4),
    rules(      "QRShape2",     42.8,  -0.2, 34.8,  6.4),
    box(        "QRShape1",     3.5,   -0.2, 39.7,  6.4),
    dataText(   "QRDBText5",    118.8, 0.9,  29.3,  4.4,    "TotalDue",                     "#,", regular(8),  R,     Grows),
    dataText(   "QRDBText6",    152.4, 0.9,  29.3,  4.4,    "TotalPaid",                    "#,", regular(8),  R,     Grows),
    label(      "LComp",        78.3,  1.1,  36.6,  4.4,    "LComp",                              regular(8),  L),
    label(      "LLastName",    45.0,  1.1,  31.1,  4.4,    "LastName",                           regular(8),  L),
    label(      "LFirstName",   6.2,   1.1,  31.1,  4.4,    "FirstName",                          regular(8),  L),

    band("QRBGroupFooter", BandKind::GroupFooter, 15.7, kWhite),
    box(        "QRShape11",    115.8, -0.2, 34.0,  8.2),
    box(        "QRShape10",    77.6,  -0.2, 38.4,  8.2),
    label(      "QRLabel5",     80.0,  1.5,  30.0,  4.9,    "Total by Category",                  bold(10),    L,     SizedToText),
    expression( "QRExpr4",      119.1, 1.5,  28.7,  4.4,    "SUM(QDetailReport.TotalDue)",  "#,", bold(10),    R,     Transparent | ResetAfterPrint),
    box(        "QRShape12",    149.5, -0.2, 34.2,  8.2),
    expression( "QRExpr1",      152.1, 1.5,  30.0,  4.4,    "SUM(QDetailReport.TotalPaid)", "#,", bold(10),    R,     Transparent | ResetAfterPrint),

    band("QRBand3", BandKind::Summary, 22.3, kLightGrey),
    label(      "QRLabel7",     4.0,   1.3,  19.2,  4.4,    "Total Due:",                         bold(10),    L,     Transparent),
    label(      "QRLabel8",     4.0,   6.6,  19.2,  4.4,    "Total Paid:",                        bold(10),    L,     Transparent),
    expression( "QRExpr2",      23.6,  1.5,  18.7,  4.4,    "SUM(QDetailReport.TotalDue)",  "#,", bold(10),    R,     Transparent | ResetAfterPrint),
    expression( "QRExpr3",      23.8,  6.8,  18.5,  4.4,    "SUM(QDetailReport.TotalPaid)", "#,", bold(10),    R,     Transparent | ResetAfterPrint),
    label(      "QRLNetIncome", 4.0,   13.7, 102.1, 4.4,    "Net Income: ",                       bold(10),    L,     Transparent),
};
// clang-format on

using yvo::report::Band;
using yvo::report::Report;

} // namespace

TFrptDetail::TFrptDetail(QObject* parent)
    : QObject(parent), m_report(std::make_unique<Report>(QStringLiteral("QRClient"))) {
    setObjectName(QStringLiteral("FrptDetail"));
    QRClient = m_report.get();
    QRClient->page = yvo::report::PageSetup::letterPortrait();
    QRClient->font = Report::makeFont(10);
    QRClient->printIfEmpty = true;
    buildReport(*QRClient, kQRClient);

    QRBand1 = QRClient->band(u"QRBand1");
    QRGroup2 = QRClient->band(u"QRGroup2");
    QRBand2 = QRClient->band(u"QRBand2");
    QRBGroupFooter = QRClient->band(u"QRBGroupFooter");
    QRBand3 = QRClient->band(u"QRBand3");
    QRLPaidDate = QRClient->element(u"QRLPaidDate");
    LComp = QRClient->element(u"LComp");
    LLastName = QRClient->element(u"LLastName");
    LFirstName = QRClient->element(u"LFirstName");
    QRLNetIncome = QRClient->element(u"QRLNetIncome");

    QRBand1->beforePrint = [this](Band& sender, bool& print) { QRBand1BeforePrint(sender, print); };
    QRBand2->beforePrint = [this](Band& sender, bool& print) { QRBand2BeforePrint(sender, print); };
    QRBand3->beforePrint = [this](Band& sender, bool& print) { QRBand3BeforePrint(sender, print); };

    if (dmYVO)
        bindDataSet(dmYVO->QDetailReport);
}

TFrptDetail::~TFrptDetail() = default;

void TFrptDetail::bindDataSet(yvo::db::Query* query) {
    m_dataSet = query ? std::make_unique<QueryDataSet>(*query) : nullptr;
    QRClient->setDataSet(m_dataSet.get());
}

void TFrptDetail::QRBand1BeforePrint(Band&, bool&) {
    QRLPaidDate->text = PaidDateText;
}

void TFrptDetail::QRBand3BeforePrint(Band&, bool&) {
    QRLNetIncome->text = NetIncomeText;
}

// Fills the three name cells from the current row, restoring coded leading digits where the row's
// flag says so. Only the copies shown change, never the row.
void TFrptDetail::QRBand2BeforePrint(Band&, bool&) {
    if (!m_dataSet)
        return;
    yvo::db::Query& query = m_dataSet->query();
    struct Cell {
        const char16_t* flag;
        const char16_t* name;
        yvo::report::Element* label;
    };
    const Cell cells[] = {
        {u"Cnum", u"company", LComp},
        {u"Fnum", u"firstname", LFirstName},
        {u"Lnum", u"lastname", LLastName},
    };
    for (const Cell& cell : cells) {
        const bool coded = query.fieldByName(cell.flag).asBoolean();
        QString name = query.fieldByName(cell.name).asString();
        if (coded)
            RestoreLeadingDigit(name);
        cell.label->text = name;
    }
}

namespace {

// The Windows-1252 code of a character, as the billing application stored it: the Latin-1 range
// maps to itself; every other character (the cp1252 letters of 128-159, and characters with no
// single-byte code at all) has a code below 161, which is all that matters here.
int windows1252Code(char32_t c) {
    return c <= 0xFF ? int(c) : 0;
}

} // namespace

void RestoreLeadingDigit(QString& S) {
    if (S.isEmpty())
        return;
    const bool pair = S.size() > 1 && S.at(0).isHighSurrogate() && S.at(1).isLowSurrogate();
    const char32_t first = pair ? QChar::surrogateToUcs4(S.at(0), S.at(1)) : S.at(0).unicode();
    const QString digits = QString::number(windows1252Code(first) - 161);
    S.replace(0, pair ? 2 : 1, digits.at(0));
}
