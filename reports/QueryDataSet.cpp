#include "reports/QueryDataSet.h"

#include "platform/db/Query.h"

namespace yvo::reports {

void QueryDataSet::first() {
    m_query.first();
}

void QueryDataSet::next() {
    if (m_query.active())
        m_query.next();
}

// A query closed while a run is on (a command that reopens it) reads as having no more rows.
bool QueryDataSet::eof() const {
    return !m_query.active() || m_query.eof();
}

int QueryDataSet::recordCount() const {
    return m_query.active() ? m_query.recordCount() : 0;
}

int QueryDataSet::columnIndex(QStringView name) const {
    return m_query.fieldIndex(name);
}

QVariant QueryDataSet::value(int column) const {
    if (column < 0 || column >= m_query.fieldCount() || eof())
        return {};
    return m_query.field(column).value();
}

} // namespace yvo::reports
