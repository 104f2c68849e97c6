#pragma once
// The open-account data module: its own connection and the query of the Open Invoices report.

#include <QObject>

namespace yvo::db {
class Connection;
class Query;
} // namespace yvo::db

class TdmOpenAccount : public QObject {
    Q_OBJECT
public:
    explicit TdmOpenAccount(QObject* parent = nullptr);
    ~TdmOpenAccount() override;

    // Points ADOC at YVO.mdb in the program's folder and connects.
    void DataModuleCreate();

    yvo::db::Connection* ADOC;
    yvo::db::Query* QOpenAccount;
};

extern TdmOpenAccount* dmOpenAccount;
