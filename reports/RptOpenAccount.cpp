#include "reports/RptOpenAccount.h"

#include "data/OpenAccountDataModule.h"
#include "platform/report/Report.h"
#include "reports/QueryDataSet.h"
#include "reports/ReportTable.h"

TFRptOpenAccount* FRptOpenAccount = nullptr;

namespace {

using namespace yvo::reports;
constexpr auto L = Alignment::Left;
constexpr auto R = Alignment::Right;

// QRopenAccount: its bands in the order they print, each followed by its elements in the form's
// declaration order, which is the order they are drawn in. Millimetres from the band's top-left
// corner. Lines are given where they are drawn: hLine(name, y, from x, to x), vLine(name, x, from y, to y).
// clang-format off
const TableRow kQRopenAccount[] = {
    //          name         left   top   width  height  content                         mask      font         align  options
    band("QRBand1", BandKind::Title, 11.1, kWhite),
    label(      "QRLabel2",  98.4,  2.4,  57.1,  6.6,    "Outstanding Invoices",                   bold(16),    L,     SizedToText),

    band("QRBand2", BandKind::ColumnHeader, 12.7, kWhite),
    label(      "QRLabel6",  2.9,   7.1,  18.3,  4.5,    "First Name",                             bold(10),    L,     SizedToText),
    label(      "QRLabel14", 40.0,  7.4,  31.0,  4.5,    "Last Name",                              bold(10),    L),
    label(      "QRLabel1",  75.7,  7.4,  23.3,  4.5,    "Company",                                bold(10),    L),
    label(      "QRLabel3",  191.6, 7.4,  17.2,  4.5,    "Total Due",                              bold(10),    R),
    label(      "QRLabel4",  210.3, 7.4,  19.3,  4.5,    "Total Paid",                             bold(10),    R),
    label(      "QRLabel5",  234.3, 7.4,  17.2,  4.5,    "Balance",                                bold(10),    R),
    label(      "QRLabel7",  105.3, 7.4,  21.4,  4.5,    "Category",                               bold(10),    L),
    label(      "QRLabel8",  167.5, 7.1,  15.6,  4.5,    "Date",                                   bold(10),    R),
    hLine(      "QRShape6",  12.6,  1.3,  253.5),
    hLine(      "QRShape7",  6.0,   1.3,  253.5),
    vLine(      "QRShape8",  1.3,   6.1,  12.4),
    vLine(      "QRShape9",  37.8,  6.1,  12.4),
    vLine(      "QRShape10", 73.6,  6.1,  12.4),
    vLine(      "QRShape11", 103.2, 6.1,  12.4),
    vLine(      "QRShape12", 162.5, 6.1,  12.4),
    vLine(      "QRShape15", 186.0, 6.1,  12.4),
    vLine(      "QRShape19", 210.6, 6.1,  12.4),
    vLine(      "QRShape20", 233.6, 6.1,  12.4),
    vLine(      "QRShape21", 253.5, 6.1,  12.4),

    band("QRBand3", BandKind::Detail, 6.6, kWhite),
    vLine(      "QRShape13", 37.8,  0.0,  6.3),
    dataText(   "QRDBText1", 2.4,   1.1,  15.3,  4.5,    "first name",                   "",       kReportFont, L,     SizedToText),
    dataText(   "QRDBText2", 40.5,  1.1,  15.3,  4.8,    "last name",                    "",       kReportFont, L,     SizedToText),
    dataText(   "QRDBText3", 75.4,  1.1,  14.3,  4.8,    "company",                      "",       kReportFont, L,     SizedToText),
    dataText(   "QRDBText4", 105.6, 1.1,  13.5,  4.8,    "category",                     "",       kReportFont, L,     SizedToText),
    dataText(   "QRDBText5", 177.5, 1.1,  7.4,   4.5,    "Date",                         "",       kReportFont, R,     SizedToText),
    dataText(   "QRDBText6", 187.5, 0.9,  21.9,  4.5,    "amountdue",                    "#,0.00", kReportFont, R,     NoWordWrap),
    dataText(   "QRDBText7", 214.0, 1.1,  18.0,  4.5,    "amountpaid",                   "#,0.00", kReportFont, R,     SizedToText),
    dataText(   "QRDBText8", 238.9, 1.1,  12.7,  4.5,    "Balance",                      "#,0.00", kReportFont, R,     SizedToText),
    hLine(      "QRShape16", 6.5,   1.3,  253.5),
    vLine(      "QRShape14", 162.5, 0.0,  6.3),
    vLine(      "QRShape17", 186.0, 0.0,  6.3),
    vLine(      "QRShape18", 253.5, 0.0,  6.3),
    vLine(      "QRShape1",  233.6, 0.0,  6.3),
    vLine(      "QRShape2",  210.6, 0.0,  6.3),
    vLine(      "QRShape3",  103.2, 0.0,  6.3),
    vLine(      "QRShape4",  73.6,  0.0,  6.3),
    vLine(      "QRShape5",  1.3,   0.0,  6.3),

    band("QRBand4", BandKind::Summary, 22.8, kLightGrey),
    label(      "QRLabel9",  4.0,   2.6,  19.3,  4.5,    "Total Due:",                             bold(10),    L,     Transparent),
    label(      "QRLabel10", 4.0,   8.2,  19.3,  4.5,    "Total Paid:",                            bold(10),    L,     Transparent),
    expression( "QRExpr2",   36.8,  2.6,  18.8,  4.5,    "SUM(QOpenAccount.AmountDue)",  "#,0.00", bold(10),    R,     Transparent | ResetAfterPrint),
    expression( "QRExpr3",   36.5,  8.2,  18.5,  4.5,    "SUM(QOpenAccount.AmountPaid)", "#,0.00", bold(10),    R,     Transparent | ResetAfterPrint),
    label(      "QRLabel11", 4.0,   13.8, 27.0,  4.5,    "Total Balance:",                         bold(10),    L,     Transparent),
    expression( "QRExpr1",   36.5,  14.0, 18.5,  4.5,    "SUM(QOpenAccount.Balance)",    "#,0.00", bold(10),    R,     Transparent | ResetAfterPrint),
};
// clang-format on

} // namespace

TFRptOpenAccount::TFRptOpenAccount(QObject* parent)
    : QObject(parent), m_report(std::make_unique<yvo::report::Report>(QStringLiteral("QRopenAccount"))) {
    setObjectName(QStringLiteral("FRptOpenAccount"));
    QRopenAccount = m_report.get();
    QRopenAccount->page = yvo::report::PageSetup::letterLandscape();
    QRopenAccount->font = yvo::report::Report::makeFont(10);
    QRopenAccount->printIfEmpty = true;
    buildReport(*QRopenAccount, kQRopenAccount);
    QRBand1 = QRopenAccount->band(u"QRBand1");
    QRBand2 = QRopenAccount->band(u"QRBand2");
    QRBand3 = QRopenAccount->band(u"QRBand3");
    QRBand4 = QRopenAccount->band(u"QRBand4");
    if (dmOpenAccount)
        bindDataSet(dmOpenAccount->QOpenAccount);
}

TFRptOpenAccount::~TFRptOpenAccount() = default;

void TFRptOpenAccount::bindDataSet(yvo::db::Query* query) {
    m_dataSet = query ? std::make_unique<QueryDataSet>(*query) : nullptr;
    QRopenAccount->setDataSet(m_dataSet.get());
}
