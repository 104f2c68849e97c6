#include "data/OpenAccountDataModule.h"

#include "data/ConnectionTemplate.h"
#include "platform/db/Connection.h"
#include "platform/db/ProgramFile.h"
#include "platform/db/Query.h"

TdmOpenAccount* dmOpenAccount = nullptr;

namespace {

// Every transaction whose amount due exceeds the amount paid, with its client and category.
const QStringList kOpenAccountSql = {
    QStringLiteral("SELECT "),
    QStringLiteral("[t].[total amount due] as amountdue,"),
    QStringLiteral("[t].[amount paid] as amountpaid,"),
    QStringLiteral("t.date,"),
    QStringLiteral("i.description as category,"),
    QStringLiteral("c.[first name],"),
    QStringLiteral("c.[last name],"),
    QStringLiteral("c.[company],"),
    QStringLiteral("[Total Amount Due] -  [Amount Paid] as Balance"),
    QStringLiteral("from "),
    QStringLiteral("trans as t,"),
    QStringLiteral("clients as c,"),
    QStringLiteral("inextb as i"),
    QStringLiteral("where "),
    QStringLiteral("[Total Amount Due] > [Amount Paid] and"),
    QStringLiteral("t.clientID = c.clientID and"),
    QStringLiteral("t.productcode=i.productcode"),
};

} // namespace

TdmOpenAccount::TdmOpenAccount(QObject* parent)
    : QObject(parent), ADOC(new yvo::db::Connection(this)),
      QOpenAccount(new yvo::db::Query(QStringLiteral("QOpenAccount"), *ADOC, this)) {
    setObjectName(QStringLiteral("dmOpenAccount"));
    ADOC->setObjectName(QStringLiteral("ADOC"));
    ADOC->setConnectionString(yvo::data::connectionTemplate(QStringLiteral("5")));
    ADOC->setLoginPrompt(false);
    QOpenAccount->sql().assign(kOpenAccountSql);
}

TdmOpenAccount::~TdmOpenAccount() = default;

void TdmOpenAccount::DataModuleCreate() {
    ADOC->setConnectionString(
        yvo::data::connectionStringFor(ADOC->connectionString(), yvo::db::programFilePath()));
    ADOC->setConnected(true);
}
