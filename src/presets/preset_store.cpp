#include "presets/preset_store.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <atomic>

namespace mixer {

namespace {

QString NextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("mixer-presets-%1").arg(counter++);
}

}  // namespace

PresetStore::PresetStore(const QString& dataDirectory, Notifier& notifier)
    : notifier_(notifier),
      filePath_(QDir(QDir(dataDirectory).absolutePath()).filePath(QString::fromLatin1(kFileName))),
      connectionName_(NextConnectionName()) {}

PresetStore::~PresetStore() { Close(); }

bool PresetStore::Connect() {
    if (open_) return true;
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
        // Opened through a URI with mode=rw so that a missing file is an error
        // instead of a new, empty database without the tables.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
        db.setDatabaseName(QUrl::fromLocalFile(filePath_).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"));
        open_ = db.open();
        if (!open_) error = db.lastError().text();
    }
    if (!open_) {
        QSqlDatabase::removeDatabase(connectionName_);
        ShowError(error);
    }
    return open_;
}

void PresetStore::Close() {
    if (!open_) return;
    QSqlDatabase::database(connectionName_, false).close();
    QSqlDatabase::removeDatabase(connectionName_);
    open_ = false;
}

bool PresetStore::Run(QSqlQuery& query, const QString& statement, const QVariantList& values) {
    query.setForwardOnly(true);
    bool ok = query.prepare(statement);
    if (ok) {
        for (const QVariant& v : values) query.addBindValue(v);
        ok = query.exec();
    }
    if (!ok) ShowError(query.lastError().text());
    return ok;
}

std::optional<std::vector<PresetStore::Row>> PresetStore::Query(const QString& statement,
                                                                const QVariantList& values) {
    if (!Connect()) return std::nullopt;
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    if (!Run(query, statement, values)) return std::nullopt;
    std::vector<Row> rows;
    const int columns = query.record().count();
    while (query.next()) {
        Row row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c) row.push_back(query.value(c));
        rows.push_back(std::move(row));
    }
    if (query.lastError().isValid()) {
        ShowError(query.lastError().text());
        return std::nullopt;
    }
    return rows;
}

bool PresetStore::Execute(const QString& statement, const QVariantList& values) {
    if (!Connect()) return false;
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    return Run(query, statement, values);
}

void PresetStore::ShowError(const QString& text) { notifier_.Show(text.trimmed().toStdString(), ""); }

}  // namespace mixer
