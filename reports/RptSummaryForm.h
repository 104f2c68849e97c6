#pragma once
// The Summary report: per category the amounts due and paid, grouped by product type with a
// subtotal line per type, and the grand totals with the income and expense totals line. The form
// is never shown; it carries the report QRCat over dmYVO->QSummary.

#include <QObject>
#include <QString>
#include <memory>

namespace yvo::db {
class Query;
}
namespace yvo::report {
class Report;
struct Band;
struct Element;
} // namespace yvo::report
namespace yvo::reports {
class QueryDataSet;
}

class TFRptSummary : public QObject {
    Q_OBJECT
public:
    // Builds QRCat and binds it to dmYVO->QSummary when that module exists.
    explicit TFRptSummary(QObject* parent = nullptr);
    ~TFRptSummary() override;

    // Binds the report to query (null unbinds it).
    void bindDataSet(yvo::db::Query* query);

    void QRBand1BeforePrint(yvo::report::Band& Sender, bool& PrintBand);
    void QRBSummaryBeforePrint(yvo::report::Band& Sender, bool& PrintBand);

    yvo::report::Report* QRCat;
    yvo::report::Band* QRBand1;
    yvo::report::Band* QRGroup2;
    yvo::report::Band* QRBand2;
    yvo::report::Band* GF;
    yvo::report::Band* QRBSummary;
    yvo::report::Element* QRLPaidDate;
    yvo::report::Element* QRLNetIncome;

    QString NetIncomeText;
    QString PaidDateText;

private:
    std::unique_ptr<yvo::report::Report> m_report;
    std::unique_ptr<yvo::reports::QueryDataSet> m_dataSet;
};

extern TFRptSummary* FRptSummary;
