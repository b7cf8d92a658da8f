#include "presets/preset_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <atomic>

#include "presets/preset_database.h"

namespace mixer {

namespace {

QString NextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("mixer-presets-%1").arg(counter++);
}

const char kNoneMade[] =
    "There is no preset database at %1, and a new one could not be made: %2\n"
    "Presets and scenes cannot be saved or recalled until this is put right.";
const char kNoneMadeChinese[] = "%1 处没有预设数据库，也无法新建：%2\n在问题解决之前，无法保存或调用预设和场景。";
const char kUnreadable[] =
    "The preset database %1 cannot be opened or is damaged: %2\n"
    "The file is left as it is; presets and scenes cannot be saved or recalled until this is put right.";
const char kUnreadableChinese[] =
    "预设数据库 %1 无法打开或已损坏：%2\n该文件保持原样；在问题解决之前，无法保存或调用预设和场景。";
const char kIncomplete[] =
    "The preset database %1 lacks the tables or columns %2.\n"
    "The file is left as it is; presets and scenes cannot be saved or recalled until this is put right.";
const char kIncompleteChinese[] =
    "预设数据库 %1 缺少数据表或列 %2。\n该文件保持原样；在问题解决之前，无法保存或调用预设和场景。";
const char kFailed[] = "The preset database %1 could not carry out the request: %2";
const char kFailedChinese[] = "预设数据库 %1 无法完成此操作：%2";

}  // namespace

PresetStore::PresetStore(const QString& dataDirectory, Notifier& notifier, int language)
    : notifier_(notifier),
      filePath_(QDir(QDir(dataDirectory).absolutePath()).filePath(QString::fromLatin1(kFileName))),
      connectionName_(NextConnectionName()),
      language_(language) {}

PresetStore::~PresetStore() { Close(); }

QString PresetStore::MakeIfMissing() {
    // A dangling link counts as something there: what it names is not replaced.
    const QFileInfo file(filePath_);
    if (file.exists() || file.isSymLink()) return {};
    QDir().mkpath(file.absolutePath());
    return CreatePresetDatabase(QString::fromLatin1(kPresetSchemaResource), filePath_);
}

bool PresetStore::Connect() {
    if (open_) return true;
    if (unusable_) return false;
    // A new data folder, or one whose database was never made or was removed.
    const QString made = MakeIfMissing();
    if (!made.isEmpty()) return GiveUp(kNoneMade, kNoneMadeChinese, made);
    SchemaCheck check;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
        // Opened through a URI with mode=rw so that a file that went missing
        // meanwhile is an error instead of a new, empty database.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
        db.setDatabaseName(QUrl::fromLocalFile(filePath_).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"));
        if (db.open()) check = CheckPresetDatabase(QString::fromLatin1(kPresetSchemaResource), connectionName_);
        else check.error = db.lastError().text();
        open_ = check.error.isEmpty() && check.missing.isEmpty();
        if (!open_) db.close();
    }
    if (open_) return true;
    QSqlDatabase::removeDatabase(connectionName_);
    if (!check.error.isEmpty()) return GiveUp(kUnreadable, kUnreadableChinese, check.error.trimmed());
    return GiveUp(kIncomplete, kIncompleteChinese, check.missing.join(QStringLiteral(", ")));
}

bool PresetStore::GiveUp(const char* english, const char* chinese, const QString& detail) {
    unusable_ = true;
    Show(english, chinese, detail);
    return false;
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
    if (!ok) Show(kFailed, kFailedChinese, query.lastError().text().trimmed());
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
        Show(kFailed, kFailedChinese, query.lastError().text().trimmed());
        return std::nullopt;
    }
    return rows;
}

bool PresetStore::Execute(const QString& statement, const QVariantList& values) {
    if (!Connect()) return false;
    QSqlQuery query(QSqlDatabase::database(connectionName_, false));
    return Run(query, statement, values);
}

void PresetStore::Show(const char* english, const char* chinese, const QString& detail) {
    const QString text = QString::fromUtf8(language_ == 1 ? english : chinese);
    notifier_.Show(text.arg(QDir::toNativeSeparators(filePath_), detail).toStdString(), "");
}

}  // namespace mixer
