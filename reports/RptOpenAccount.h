#pragma once
// The Open Invoices report: every transaction whose amount due exceeds the amount paid, one ruled
// row each, landscape, with the column headings on every page and the three totals at the end.
// Entirely declarative. The form is created before dmOpenAccount, so its data set is bound once
// that module exists: FRptOpenAccount->bindDataSet(dmOpenAccount->QOpenAccount).

#include <QObject>
#include <memory>

namespace yvo::db {
class Query;
}
namespace yvo::report {
class Report;
struct Band;
} // namespace yvo::report
namespace yvo::reports {
class QueryDataSet;
}

class TFRptOpenAccount : public QObject {
    Q_OBJECT
public:
    // Builds QRopenAccount; binds it to dmOpenAccount->QOpenAccount if that module exists already.
    explicit TFRptOpenAccount(QObject* parent = nullptr);
    ~TFRptOpenAccount() override;

    // Binds the report to query (null unbinds it).
    void bindDataSet(yvo::db::Query* query);

    yvo::report::Report* QRopenAccount;
    yvo::report::Band* QRBand1;
    yvo::report::Band* QRBand2;
    yvo::report::Band* QRBand3;
    yvo::report::Band* QRBand4;

private:
    std::unique_ptr<yvo::report::Report> m_report;
    std::unique_ptr<yvo::reports::QueryDataSet> m_dataSet;
};

extern TFRptOpenAccount* FRptOpenAccount;
