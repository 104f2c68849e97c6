#pragma once
// The Detailed report: per category and client, the amounts due and paid, a subtotal line after
// each category, and the grand totals with the income and expense totals line. The form is never
// shown; it carries the report QRClient over dmYVO->QDetailReport.

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

class TFrptDetail : public QObject {
    Q_OBJECT
public:
    // Builds QRClient and binds it to dmYVO->QDetailReport when that module exists.
    explicit TFrptDetail(QObject* parent = nullptr);
    ~TFrptDetail() override;

    // Binds the report to query (null unbinds it).
    void bindDataSet(yvo::db::Query* query);

    void QRBand1BeforePrint(yvo::report::Band& Sender, bool& PrintBand);
    void QRBand3BeforePrint(yvo::report::Band& Sender, bool& PrintBand);
    void QRBand2BeforePrint(yvo::report::Band& Sender, bool& PrintBand);

    yvo::report::Report* QRClient;
    yvo::report::Band* QRBand1;
    yvo::report::Band* QRGroup2;
    yvo::report::Band* QRBand2;
    yvo::report::Band* QRBGroupFooter;
    yvo::report::Band* QRBand3;
    yvo::report::Element* QRLPaidDate;
    yvo::report::Element* LComp;
    yvo::report::Element* LLastName;
    yvo::report::Element* LFirstName;
    yvo::report::Element* QRLNetIncome;

    QString PaidDateText;
    QString NetIncomeText;

private:
    std::unique_ptr<yvo::report::Report> m_report;
    std::unique_ptr<yvo::reports::QueryDataSet> m_dataSet;
};

extern TFrptDetail* FrptDetail;

// Undoes the billing file's coding of a leading digit: the first character's code c (its
// Windows-1252 code) becomes the first character of the decimal text of c - 161, so codes 161 to 170
// give the digits 0 to 9 and codes below 161 a minus sign. The rest of the name stays as it is.
void RestoreLeadingDigit(QString& S);
