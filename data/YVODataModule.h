#pragma once
// The main data module: the connection to the billing file and the five queries the main window and
// the Detailed and Summary reports read.

#include <QObject>

namespace yvo::db {
class Connection;
class Query;
} // namespace yvo::db

class TdmYVO : public QObject {
    Q_OBJECT
public:
    explicit TdmYVO(QObject* parent = nullptr);
    ~TdmYVO() override;

    // Points ADOC at YVO.mdb in the program's folder and connects.
    void DataModuleCreate();
    // Disconnects ADOC, which closes the module's queries.
    void DataModuleDestroy();
    // Names each QSummary record's product type in strType.
    void QSummaryCalcFields(yvo::db::Query& dataSet);

    yvo::db::Connection* ADOC;
    yvo::db::Query* QCatagory;
    yvo::db::Query* QDetailReport;
    yvo::db::Query* QSummary;
    yvo::db::Query* QNumberOfProduct;
    yvo::db::Query* QInExDetail;
};

extern TdmYVO* dmYVO;
