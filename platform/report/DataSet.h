#pragma once
// The rows a report walks: a cursor with first/next/eof, a record count for progress, and column
// values by name, the name matched without regard to case. Names are resolved once per run with
// columnIndex(); value() of an unknown column, of a null value, or with no current row is a null
// QVariant. Dates come as QDateTime.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace yvo::report {

class DataSet {
public:
    virtual ~DataSet() = default;

    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;
    virtual int recordCount() const = 0;

    // Index of the column of that name (any letter case), or -1.
    virtual int columnIndex(QStringView name) const = 0;
    virtual QVariant value(int column) const = 0;

    QVariant value(QStringView name) const { return value(columnIndex(name)); }
};

// Rows held in memory: for tests, benchmarks and small fixed data.
class MemoryDataSet : public DataSet {
public:
    MemoryDataSet(QStringList columns, std::vector<std::vector<QVariant>> rows)
        : m_columns(std::move(columns)), m_rows(std::move(rows)) {}

    void first() override { m_row = 0; }
    void next() override {
        if (m_row < m_rows.size())
            ++m_row;
    }
    bool eof() const override { return m_row >= m_rows.size(); }
    int recordCount() const override { return int(m_rows.size()); }

    int columnIndex(QStringView name) const override {
        for (qsizetype i = 0; i < m_columns.size(); ++i)
            if (m_columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
                return int(i);
        return -1;
    }
    QVariant value(int column) const override {
        if (column < 0 || eof())
            return {};
        const auto& row = m_rows[m_row];
        return std::size_t(column) < row.size() ? row[std::size_t(column)] : QVariant();
    }

    std::vector<std::vector<QVariant>>& rows() { return m_rows; }

private:
    QStringList m_columns;
    std::vector<std::vector<QVariant>> m_rows;
    std::size_t m_row = 0;
};

} // namespace yvo::report
