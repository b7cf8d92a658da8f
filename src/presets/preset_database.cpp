#include "presets/preset_database.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace mixer {

namespace {

QString ReadStatements(const QString& schemaPath, QStringList& statements) {
    QFile schema(schemaPath);
    if (!schema.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("Cannot read %1: %2").arg(schemaPath, schema.errorString());
    QStringList lines = QString::fromUtf8(schema.readAll()).split(QLatin1Char('\n'));
    lines.removeIf([](const QString& line) { return line.trimmed().startsWith(QStringLiteral("--")); });
    statements = lines.join(QLatin1Char('\n')).split(QLatin1Char(';'));
    statements.removeIf([](const QString& statement) { return statement.trimmed().isEmpty(); });
    return {};
}

QString RunStatements(QSqlDatabase& db, const QStringList& statements) {
    for (const QString& statement : statements) {
        QSqlQuery query(db);
        if (!query.exec(statement)) return query.lastError().text() + QStringLiteral(" in: ") + statement.trimmed();
    }
    return {};
}

// Runs `work` on a new connection to `path`, which is closed afterwards.
template <typename Work>
QString WithDatabase(const QString& connection, const QString& path, Work work) {
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            error = work(db);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return error;
}

// Every column of every table as "table.column".
QString ReadColumns(QSqlDatabase& db, QStringList& columns) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT m.name, p.name FROM sqlite_master AS m, pragma_table_info(m.name) AS p "
                                   "WHERE m.type = 'table'")))
        return query.lastError().text();
    while (query.next()) columns << query.value(0).toString() + QLatin1Char('.') + query.value(1).toString();
    return query.lastError().isValid() ? query.lastError().text() : QString();
}

}  // namespace

QString CreatePresetDatabase(const QString& schemaPath, const QString& databasePath) {
    if (QFile::exists(databasePath)) return QStringLiteral("%1 already exists").arg(databasePath);
    QStringList statements;
    QString error = ReadStatements(schemaPath, statements);
    if (!error.isEmpty()) return error;
    const QString temporary = databasePath + QStringLiteral(".new");
    QFile::remove(temporary);
    error = WithDatabase(QStringLiteral("mixer-preset-schema"), temporary,
                         [&](QSqlDatabase& db) { return RunStatements(db, statements); });
    if (error.isEmpty() && !QFile::rename(temporary, databasePath))
        error = QStringLiteral("Cannot rename %1 to %2").arg(temporary, databasePath);
    if (!error.isEmpty()) QFile::remove(temporary);
    return error;
}

SchemaCheck CheckPresetDatabase(const QString& schemaPath, const QString& connectionName) {
    SchemaCheck check;
    QStringList statements;
    check.error = ReadStatements(schemaPath, statements);
    QStringList wanted;
    if (check.error.isEmpty()) {
        check.error = WithDatabase(QStringLiteral("mixer-preset-schema-check"), QStringLiteral(":memory:"),
                                   [&](QSqlDatabase& db) {
                                       const QString error = RunStatements(db, statements);
                                       return error.isEmpty() ? ReadColumns(db, wanted) : error;
                                   });
    }
    QStringList present;
    if (check.error.isEmpty()) {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        check.error = ReadColumns(db, present);
    }
    if (!check.error.isEmpty()) return check;
    // A table that is not there at all is named once, not by each column.
    for (const QString& column : wanted) {
        if (present.contains(column, Qt::CaseInsensitive)) continue;
        const QString table = column.section(QLatin1Char('.'), 0, 0);
        const bool tableThere = std::any_of(present.cbegin(), present.cend(), [&](const QString& p) {
            return p.section(QLatin1Char('.'), 0, 0).compare(table, Qt::CaseInsensitive) == 0;
        });
        const QString name = tableThere ? column : table;
        if (!check.missing.contains(name)) check.missing << name;
    }
    return check;
}

}  // namespace mixer
