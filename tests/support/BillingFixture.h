#pragma once
// A billing file for one test: a temporary folder holding YVO.mdb, made from the native schema and a
// few lines of SQL, with the program's folder pointed at it so the data modules find it.

#include "data/Schema.h"
#include "platform/db/ProgramFile.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdexcept>

namespace yvo::test {

class BillingFixture {
public:
    // sql runs after the schema; pass "" for empty tables.
    explicit BillingFixture(const QString& sql = {}, const QString& folderName = QStringLiteral("app")) {
        if (!m_dir.isValid())
            throw std::runtime_error("cannot make a temporary folder");
        m_folder = m_dir.path() + QLatin1Char('/') + folderName;
        QDir().mkpath(m_folder);
        exec(schema());
        if (!sql.isEmpty())
            exec(sql);
        db::setProgramFilePath(m_folder + QStringLiteral("/YVOreport"));
    }
    ~BillingFixture() { db::setProgramFilePath({}); }
    BillingFixture(const BillingFixture&) = delete;
    BillingFixture& operator=(const BillingFixture&) = delete;

    QString folder() const { return m_folder; }
    QString file() const { return m_folder + QStringLiteral("/YVO.mdb"); }

    // Runs SQL against the file as the writing application would.
    void exec(const QString& sql) const {
        sqlite3* db = nullptr;
        if (sqlite3_open(QFile::encodeName(file()).constData(), &db) != SQLITE_OK) {
            sqlite3_close(db);
            throw std::runtime_error("cannot open the fixture file");
        }
        char* error = nullptr;
        const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
        const std::string message = error ? error : "";
        sqlite3_free(error);
        sqlite3_close(db);
        if (rc != SQLITE_OK)
            throw std::runtime_error("fixture SQL failed: " + message);
    }

    static QString schema() {
        const std::string_view sql = data::billingSchemaSql();
        return QString::fromUtf8(sql.data(), qsizetype(sql.size()));
    }

private:
    QTemporaryDir m_dir;
    QString m_folder;
};

} // namespace yvo::test
