#pragma once
// The one access object of the preset database "Korvel.mdb" in the data
// directory. It opens the file on first use, runs the statements its callers
// give it with their values bound, and turns every database failure into a
// message box showing the database's error text. It knows nothing about what
// the tables mean.

#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

#include "link/notifier.h"

class QSqlQuery;

namespace mixer {

class PresetStore {
public:
    static constexpr const char* kFileName = "Korvel.mdb";

    // dataDirectory is taken as an absolute path at once, so that a later
    // change of the current directory does not move the database.
    PresetStore(const QString& dataDirectory, Notifier& notifier);
    ~PresetStore();
    PresetStore(const PresetStore&) = delete;
    PresetStore& operator=(const PresetStore&) = delete;

    using Row = std::vector<QVariant>;

    // Runs a query; `values` fill its "?" placeholders in order. The rows come
    // back in the order the database gives them, each with its columns in the
    // order of the statement. On failure the error is shown and nothing is
    // returned.
    std::optional<std::vector<Row>> Query(const QString& statement, const QVariantList& values = {});

    // Runs an insert, update or delete; false after a failure, which is shown.
    bool Execute(const QString& statement, const QVariantList& values = {});

    // Closes the connection; the next statement opens it again.
    void Close();

    bool IsOpen() const { return open_; }
    // Where the store's errors are shown; the preset flow shows its own there too.
    Notifier& MessageNotifier() const { return notifier_; }
    const QString& FilePath() const { return filePath_; }

private:
    bool Connect();
    bool Run(QSqlQuery& query, const QString& statement, const QVariantList& values);
    void ShowError(const QString& text);

    Notifier& notifier_;
    QString filePath_;
    QString connectionName_;
    bool open_ = false;
};

}  // namespace mixer
