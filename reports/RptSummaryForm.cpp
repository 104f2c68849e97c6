#include "reports/RptSummaryForm.h"

#include "data/YVODataModule.h"
#include "platform/report/Report.h"
#include "reports/QueryDataSet.h"
#include "reports/ReportTable.h"

TFRptSummary* FRptSummary = nullptr;

namespace {

using namespace yvo::reports;
constexpr auto L = Alignment::Left;
constexpr auto R = Alignment::Right;

// QRCat: its bands in the order they print, each followed by its elements in drawing order.
// Millimetres from the band's top-left corner.
// clang-format off
const TableRow kQRCat[] = {
    //          name            left   top   width  height  content               mask    font         align  options
    band("QRBand1", BandKind::Title, 25.7, kWhite),
    label(      "QRLabel1",     78.1,  2.4,  34.4,  5.3,    "Summary Report",             bold(12),    L,     SizedToText),
    label(      "QRLPaidDate",  4.0,   13.8, 21.2,  4.5,    "QRLPaidDate",                kReportFont, L,     SizedToText),

    groupHeader("QRGroup2", "QSummary.strType", "GF", 17.7, kWhite),
    box(        "QRShape6",     133.3, 11.4, 34.1,  6.3),
    label(      "QRLabel4",     135.7, 12.2, 29.1,  5.3,    "Total Paid",                 bold(12),    L),
    rules(      "QRShape5",     96.8,  11.4, 36.2,  6.3),
    label(      "QRLabel3",     99.5,  11.9, 29.1,  5.3,    "Total Due",                  bold(12),    L),
    box(        "QRShape9",     23.3,  11.4, 74.3,  6.3),
    label(      "QRLabel6",     25.7,  11.9, 18.8,  5.3,    "Category",                   bold(12),    L,     SizedToText),
    dataText(   "QRDBText1",    4.0,   1.1,  12.4,  4.5,    "strType",            "",     bold(10),    L,     SizedToText | Transparent),

    band("QRBand2", BandKind::Detail, 6.1, kWhite),
    box(        "QRShape3",     133.3, -0.3, 34.1,  6.1),
    rules(      "QRShape2",     97.6,  -0.3, 35.7,  6.1),
    box(        "QRShape1",     23.3,  -0.3, 74.3,  6.1),
    dataText(   "QRDBText3",    25.4,  0.8,  70.1,  4.5,    "Category",           "",     regular(10), L,     Grows),
    dataText(   "QRDBText2",    99.2,  0.8,  32.5,  4.5,    "Due",                "0.00", regular(10), R,     Grows),
    dataText(   "QRDBText5",    135.7, 0.8,  29.4,  4.5,    "Paid",               "0.00", regular(10), R,     Grows),

    band("GF", BandKind::GroupFooter, 16.4, kWhite),
    box(        "QRShape11",    133.3, -0.3, 34.1,  6.1),
    rules(      "QRShape12",    97.6,  -0.3, 36.2,  6.1),
    box(        "QRShape13",    61.4,  -0.3, 36.2,  6.1),
    label(      "QRLabel5",     70.1,  0.5,  7.9,   4.8,    "SUM",                        bold(10),    L,     SizedToText),
    expression( "QRExpr5",      103.5, 0.5,  28.6,  4.5,    "SUM(QSummary.Due)",  "0.00", bold(10),    R,     Transparent | ResetAfterPrint),
    expression( "QRExpr3",      137.8, 0.5,  27.5,  4.5,    "SUM(QSummary.Paid)", "0.00", bold(10),    R,     Transparent | ResetAfterPrint),

    band("QRBSummary", BandKind::Summary, 22.2, kLightGrey),
    label(      "QRLabel7",     4.0,   1.3,  19.2,  4.4,    "Total Due:",                 bold(10),    L,     Transparent),
    label(      "QRLabel8",     4.0,   6.6,  19.2,  4.4,    "Total Paid:",                bold(10),    L,     Transparent),
    expression( "QRExpr2",      23.5,  1.6,  25.4,  4.5,    "SUM(QSummary.Due)",  "0.00", bold(10),    R,     Transparent | ResetAfterPrint),
    expression( "QRExpr1",      23.8,  6.9,  25.1,  4.5,    "SUM(QSummary.Paid)", "0.00", bold(10),    R,     Transparent | ResetAfterPrint),
    label(      "QRLNetIncome", 4.0,   13.7, 102.1, 4.4,    "Net Income: ",               bold(10),    L,     Transparent),
};
// clang-format on

using yvo::report::Band;
using yvo::report::Report;

} // namespace

TFRptSummary::TFRptSummary(QObject* parent)
    : QObject(parent), m_report(std::make_unique<Report>(QStringLiteral("QRCat"))) {
    setObjectName(QStringLiteral("FRptSummary"));
    QRCat = m_report.get();
    QRCat->page = yvo::report::PageSetup::letterPortrait();
    QRCat->font = Report::makeFont(10);
    QRCat->printIfEmpty = true;
    buildReport(*QRCat, kQRCat);

    QRBand1 = QRCat->band(u"QRBand1");
    QRGroup2 = QRCat->band(u"QRGroup2");
    QRBand2 = QRCat->band(u"QRBand2");
    GF = QRCat->band(u"GF");
    QRBSummary = QRCat->band(u"QRBSummary");
    QRLPaidDate = QRCat->element(u"QRLPaidDate");
    QRLNetIncome = QRCat->element(u"QRLNetIncome");

    QRBand1->beforePrint = [this](Band& sender, bool& print) { QRBand1BeforePrint(sender, print); };
    QRBSummary->beforePrint = [this](Band& sender, bool& print) { QRBSummaryBeforePrint(sender, print); };

    if (dmYVO)
        bindDataSet(dmYVO->QSummary);
}

TFRptSummary::~TFRptSummary() = default;

void TFRptSummary::bindDataSet(yvo::db::Query* query) {
    m_dataSet = query ? std::make_unique<QueryDataSet>(*query) : nullptr;
    QRCat->setDataSet(m_dataSet.get());
}

void TFRptSummary::QRBand1BeforePrint(Band&, bool&) {
    QRLPaidDate->text = PaidDateText;
}

void TFRptSummary::QRBSummaryBeforePrint(Band&, bool&) {
    QRLNetIncome->text = NetIncomeText;
}
