#include "JetTestSupport.h"

#include "platform/db/Sqlite.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace yvo::test {

namespace {

QByteArray runTool(const QString& name, const QStringList& arguments) {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.remove(QStringLiteral("MDBPATH"));
    environment.remove(QStringLiteral("MDBICONV"));
    tool.setProcessEnvironment(environment);
    tool.start(mdbToolProgram(name), arguments);
    const bool finished = tool.waitForFinished(60000);
    EXPECT_TRUE(finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0)
        << name.toStdString() << " " << arguments.join(' ').toStdString() << ": "
        << tool.readAllStandardError().toStdString();
    return tool.readAllStandardOutput();
}

// mdb-export's CSV: cells split by commas, rows by line feeds; a quoted cell may hold both, with
// a doubled quote standing for one.
std::vector<std::vector<ExportCell>> parseCsv(const QByteArray& csv) {
    std::vector<std::vector<ExportCell>> rows;
    std::vector<ExportCell> row;
    ExportCell cell;
    qsizetype i = 0;
    while (i < csv.size()) {
        if (cell.text.isEmpty() && !cell.quoted && csv[i] == '"') {
            cell.quoted = true;
            for (++i; i < csv.size(); ++i) {
                if (csv[i] == '"') {
                    if (i + 1 < csv.size() && csv[i + 1] == '"') {
                        cell.text += '"';
                        ++i;
                    } else {
                        ++i;
                        break;
                    }
                } else {
                    cell.text += csv[i];
                }
            }
            continue;
        }
        if (csv[i] == ',' || csv[i] == '\n') {
            row.push_back(std::move(cell));
            cell = ExportCell();
            if (csv[i] == '\n') {
                rows.push_back(std::move(row));
                row.clear();
            }
        } else {
            cell.text += csv[i];
        }
        ++i;
    }
    if (!row.empty() || !cell.text.isEmpty() || cell.quoted) {
        row.push_back(std::move(cell));
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

QString jetTestDataFolder() {
    const QString folder = sharedTestData(QStringLiteral("jet"));
    return QDir(folder).exists() ? folder : QString();
}

QString mdbToolProgram(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

std::string jetTestsCannotRun(bool needMdbExport) {
    if (jetTestDataFolder().isEmpty())
        return "the Access test files are not there: " + sharedTestData(QStringLiteral("jet")).toStdString();
    if (needMdbExport && mdbToolProgram(QStringLiteral("mdb-export")).isEmpty())
        return "mdb-export is not installed (Debian package mdbtools)";
    return {};
}

ExportTable mdbExport(const QString& file, const QString& table) {
    const QString dateFormat = QStringLiteral("%Y-%m-%d %H:%M:%S");
    const QByteArray csv = runTool(QStringLiteral("mdb-export"),
                                   {QStringLiteral("-D"), dateFormat, QStringLiteral("-T"), dateFormat,
                                    QStringLiteral("-b"), QStringLiteral("hex"), file, table});
    std::vector<std::vector<ExportCell>> rows = parseCsv(csv);
    ExportTable result;
    if (rows.empty())
        return result;
    for (const ExportCell& cell : rows.front())
        result.header.push_back(cell.text);
    result.rows.assign(std::make_move_iterator(rows.begin() + 1), std::make_move_iterator(rows.end()));
    return result;
}

QStringList mdbTables(const QString& file) {
    const QString listing =
        QString::fromUtf8(runTool(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), file}));
    return listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

SqliteTable selectAll(sqlite3* db, const QString& table) {
    SqliteTable result;
    const db::SqliteStatement select =
        db::prepareSqlite(db, QStringLiteral("SELECT * FROM %1").arg(db::quoteIdentifier(table)));
    sqlite3_stmt* statement = select.get();
    const int count = sqlite3_column_count(statement);
    for (int i = 0; i < count; ++i) {
        result.columns.push_back(QString::fromUtf8(sqlite3_column_name(statement, i)));
        result.declaredTypes.push_back(QString::fromUtf8(sqlite3_column_decltype(statement, i)));
    }
    while (db::checkSqlite(db, sqlite3_step(statement), table) == SQLITE_ROW) {
        std::vector<QVariant> row;
        for (int i = 0; i < count; ++i) {
            switch (sqlite3_column_type(statement, i)) {
            case SQLITE_INTEGER:
                row.emplace_back(qlonglong(sqlite3_column_int64(statement, i)));
                break;
            case SQLITE_FLOAT:
                row.emplace_back(sqlite3_column_double(statement, i));
                break;
            case SQLITE_TEXT:
                row.emplace_back(
                    QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, i)),
                                      sqlite3_column_bytes(statement, i)));
                break;
            case SQLITE_BLOB:
                row.emplace_back(QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, i)),
                                            sqlite3_column_bytes(statement, i)));
                break;
            default:
                row.emplace_back();
                break;
            }
        }
        result.rows.push_back(std::move(row));
    }
    return result;
}

} // namespace yvo::test
