#include "data/YVODataModule.h"

#include "data/ConnectionTemplate.h"
#include "platform/db/Connection.h"
#include "platform/db/ProgramFile.h"
#include "platform/db/Query.h"

using yvo::db::FieldDef;
using yvo::db::FieldKind;

TdmYVO* dmYVO = nullptr;

namespace {

// Each query's SQL, line for line, trailing blanks included: the main window splices category
// filters into these lines by position.
const QStringList kCatagorySql = {
    QStringLiteral("SELECT "),       QStringLiteral("*"),     QStringLiteral("FROM"),
    QStringLiteral("InExTB"),        QStringLiteral("WHERE"), QStringLiteral("TYPE = :TYPE1 OR"),
    QStringLiteral("TYPE = :TYPE2"),
};

const QStringList kNumberOfProductSql = {
    QStringLiteral("select"),
    QStringLiteral("count(*) as NumberOfProduct"),
    QStringLiteral("from "),
    QStringLiteral("InExTB"),
};

const QStringList kDetailReportSql = {
    QStringLiteral("SELECT "),
    QStringLiteral("I.DESCRIPTION as Catagory,  "),
    QStringLiteral("[c].[first name] AS FirstName, "),
    QStringLiteral("[c].[last name] AS LastName, "),
    QStringLiteral("[c].[company], "),
    QStringLiteral("SUM([T].[Total Amount Due]) AS TotalDue, "),
    QStringLiteral("SUM([T].[Amount Paid]) AS TotalPaid,"),
    QStringLiteral("CNUM,"),
    QStringLiteral("LNUM,"),
    QStringLiteral("FNUM"),
    QStringLiteral("FROM "),
    QStringLiteral("CLIENTS AS C, "),
    QStringLiteral("TRANS AS T, "),
    QStringLiteral("INEXTB AS I"),
    QStringLiteral("WHERE "),
    QStringLiteral("T.DATE between :DATE1 and :DATE2 and"),
    QStringLiteral("[c].ClientID = T.CLIENTID and"),
    QStringLiteral("T.ProductCode = I.ProductCode and"),
    QStringLiteral("TRUE"),
    QStringLiteral("GROUP BY I.DESCRIPTION, [c].[first name], [c].[last name], [c].[company],"),
    QStringLiteral("CNUM,"),
    QStringLiteral("LNUM,"),
    QStringLiteral("FNUM;"),
};

const QStringList kSummarySql = {
    QStringLiteral("select "),
    QStringLiteral("I.TYPE ,"),
    QStringLiteral("I.DESCRIPTION as Category,"),
    QStringLiteral("SUM([T].[Total Amount Due]) as Due,"),
    QStringLiteral("SUM([T].[Amount Paid]) as Paid  "),
    QStringLiteral("from "),
    QStringLiteral("TRANS T,"),
    QStringLiteral("InExTb I"),
    QStringLiteral("where "),
    QStringLiteral("T.DATE between :DATE1 and :DATE2 and"),
    QStringLiteral("T.ProductCode = I.ProductCode and"),
    QStringLiteral("TRUE"),
    QStringLiteral("group BY I.TYPE,I.DESCRIPTION"),
    QStringLiteral("order by I.TYPE"),
};

const QStringList kInExDetailSql = {
    QStringLiteral("SELECT "),
    QStringLiteral("I.TYPE as TYPE,  "),
    QStringLiteral("SUM([T].[Total Amount Due]) AS TotalDue, "),
    QStringLiteral("SUM([T].[Amount Paid]) AS TotalPaid"),
    QStringLiteral("FROM "),
    QStringLiteral("TRANS AS T, "),
    QStringLiteral("INEXTB AS I"),
    QStringLiteral("WHERE "),
    QStringLiteral("T.DATE between :DATE1 and :DATE2 and"),
    QStringLiteral("T.ProductCode = I.ProductCode and"),
    QStringLiteral("TRUE"),
    QStringLiteral("GROUP BY I.TYPE"),
    QStringLiteral("ORDER BY I.TYPE"),
};

// Declared fields:           name          kind                   size  width money
const std::vector<FieldDef> kDetailReportFields = {
    {QStringLiteral("Catagory"), FieldKind::WideText, 50, 31, false},  // QDetailReportCatagory
    {QStringLiteral("FirstName"), FieldKind::WideText, 50, 59, false}, // QDetailReportFirstName
    {QStringLiteral("LastName"), FieldKind::WideText, 50, 59, false},  // QDetailReportLastName
    {QStringLiteral("company"), FieldKind::WideText, 50, 59, false},   // QDetailReportcompany
    {QStringLiteral("TotalDue"), FieldKind::Float, 0, 12, true},       // QDetailReportTotalDue
    {QStringLiteral("TotalPaid"), FieldKind::Float, 0, 12, true},      // QDetailReportTotalPaid
    {QStringLiteral("CNUM"), FieldKind::Boolean, 0, 0, false},         // QDetailReportCNUM
    {QStringLiteral("LNUM"), FieldKind::Boolean, 0, 0, false},         // QDetailReportLNUM
    {QStringLiteral("FNUM"), FieldKind::Boolean, 0, 0, false},         // QDetailReportFNUM
};

const std::vector<FieldDef> kSummaryFields = {
    {QStringLiteral("Category"), FieldKind::WideText, 50, 0, false},  // QSummaryCategory
    {QStringLiteral("Due"), FieldKind::Float, 0, 0, false},           // QSummaryDue
    {QStringLiteral("Paid"), FieldKind::Float, 0, 0, false},          // QSummaryPaid
    {QStringLiteral("TYPE"), FieldKind::WideText, 10, 0, false},      // QSummaryTYPE
    {QStringLiteral("strType"), FieldKind::Text, 30, 0, false, true}, // QSummarystrType
};

yvo::db::Query* makeQuery(const char* name, yvo::db::Connection& connection, const QStringList& sql,
                          QObject* owner) {
    auto* query = new yvo::db::Query(QString::fromLatin1(name), connection, owner);
    query->sql().assign(sql);
    return query;
}

} // namespace

TdmYVO::TdmYVO(QObject* parent)
    : QObject(parent), ADOC(new yvo::db::Connection(this)),
      QCatagory(makeQuery("QCatagory", *ADOC, kCatagorySql, this)),
      QDetailReport(makeQuery("QDetailReport", *ADOC, kDetailReportSql, this)),
      QSummary(makeQuery("QSummary", *ADOC, kSummarySql, this)),
      QNumberOfProduct(makeQuery("QNumberOfProduct", *ADOC, kNumberOfProductSql, this)),
      QInExDetail(makeQuery("QInExDetail", *ADOC, kInExDetailSql, this)) {
    setObjectName(QStringLiteral("dmYVO"));
    ADOC->setObjectName(QStringLiteral("ADOC"));
    ADOC->setConnectionString(yvo::data::connectionTemplate(QStringLiteral("4")));
    ADOC->setLoginPrompt(false);
    QDetailReport->setFieldDefs(kDetailReportFields);
    QSummary->setFieldDefs(kSummaryFields);
    QSummary->setOnCalcFields([this](yvo::db::Query& dataSet) { QSummaryCalcFields(dataSet); });
}

TdmYVO::~TdmYVO() = default;

void TdmYVO::DataModuleCreate() {
    ADOC->setConnectionString(
        yvo::data::connectionStringFor(ADOC->connectionString(), yvo::db::programFilePath()));
    ADOC->setConnected(true);
}

void TdmYVO::DataModuleDestroy() {
    ADOC->setConnected(false);
}

void TdmYVO::QSummaryCalcFields(yvo::db::Query& dataSet) {
    if (dataSet.fieldByName(u"TYPE").asString() == QLatin1String("IN"))
        dataSet.fieldByName(u"strType").setAsString(QStringLiteral("Income"));
    else if (dataSet.fieldByName(u"TYPE").asString() == QLatin1String("EX"))
        dataSet.fieldByName(u"strType").setAsString(QStringLiteral("Expense"));
    else
        dataSet.fieldByName(u"strType").setAsString(QStringLiteral("UnKnown"));
}
