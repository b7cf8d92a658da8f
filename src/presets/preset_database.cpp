#include "presets/preset_database.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace mixer {

namespace {

QString RunSchema(const QString& schemaPath, const QString& path) {
    QFile schema(schemaPath);
    if (!schema.open(QIODevice::ReadOnly | QIODevice::Text))
        return QStringLiteral("Cannot read %1: %2").arg(schemaPath, schema.errorString());
    QStringList lines = QString::fromUtf8(schema.readAll()).split(QLatin1Char('\n'));
    lines.removeIf([](const QString& line) { return line.trimmed().startsWith(QStringLiteral("--")); });

    const QString connection = QStringLiteral("mixer-preset-schema");
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            for (const QString& statement : lines.join(QLatin1Char('\n')).split(QLatin1Char(';'))) {
                if (statement.trimmed().isEmpty()) continue;
                QSqlQuery query(db);
                if (!query.exec(statement)) {
                    error = query.lastError().text() + QStringLiteral(" in: ") + statement.trimmed();
                    break;
                }
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return error;
}

}  // namespace

QString CreatePresetDatabase(const QString& schemaPath, const QString& databasePath) {
    if (QFile::exists(databasePath)) return QStringLiteral("%1 already exists").arg(databasePath);
    const QString temporary = databasePath + QStringLiteral(".new");
    QFile::remove(temporary);
    QString error = RunSchema(schemaPath, temporary);
    if (error.isEmpty() && !QFile::rename(temporary, databasePath))
        error = QStringLiteral("Cannot rename %1 to %2").arg(temporary, databasePath);
    if (!error.isEmpty()) QFile::remove(temporary);
    return error;
}

}  // namespace mixer
