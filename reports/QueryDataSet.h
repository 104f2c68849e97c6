#pragma once
// A data-layer query as the rows of a report: its static cursor, its fields by name ignoring case.

#include "platform/report/DataSet.h"

namespace yvo::db {
class Query;
}

namespace yvo::reports {

class QueryDataSet : public report::DataSet {
public:
    explicit QueryDataSet(db::Query& query) : m_query(query) {}

    db::Query& query() const { return m_query; }

    void first() override; // a closed query fails with the data layer's error
    void next() override;
    bool eof() const override;
    int recordCount() const override;
    int columnIndex(QStringView name) const override;
    QVariant value(int column) const override;

private:
    db::Query& m_query;
};

} // namespace yvo::reports
