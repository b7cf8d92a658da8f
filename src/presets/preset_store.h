#pragma once
// The one access object of the preset database "Korvel.mdb" in the data
// directory. On first use it makes the file from the schema the program
// carries when there is none (never replacing one), opens it and checks that
// it holds the schema's tables; it runs the statements its callers give it
// with their values bound. A database that cannot be made, opened or used is
// reported once, the first time a page needs it, and every later use fails
// without a word, so that the pages stay usable; a statement failing on a
// good database is reported each time. It knows nothing about what the
// tables mean.

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
    // change of the current directory does not move the database. The
    // messages are in `language`: 1 English, otherwise Chinese.
    PresetStore(const QString& dataDirectory, Notifier& notifier, int language = 2);
    ~PresetStore();
    PresetStore(const PresetStore&) = delete;
    PresetStore& operator=(const PresetStore&) = delete;

    using Row = std::vector<QVariant>;

    // Runs a query; `values` fill its "?" placeholders in order. The rows come
    // back in the order the database gives them, each with its columns in the
    // order of the statement. Nothing is returned after a failure.
    std::optional<std::vector<Row>> Query(const QString& statement, const QVariantList& values = {});

    // Runs an insert, update or delete; false after a failure.
    bool Execute(const QString& statement, const QVariantList& values = {});

    // Makes the database from the schema the program carries when there is
    // nothing at its path, with the data folder if need be. Returns the error
    // text, empty when it was made or something is there already; shows
    // nothing.
    QString MakeIfMissing();

    // Closes the connection; the next statement opens it again, unless the
    // database was found unusable.
    void Close();

    bool IsOpen() const { return open_; }
    // Where the store's errors are shown; the preset flow shows its own there too.
    Notifier& MessageNotifier() const { return notifier_; }
    const QString& FilePath() const { return filePath_; }

private:
    bool Connect();
    // Reports why the database cannot be used, once; always false.
    bool GiveUp(const char* english, const char* chinese, const QString& detail);
    bool Run(QSqlQuery& query, const QString& statement, const QVariantList& values);
    // english and chinese hold %1 for the database's path and %2 for the detail.
    void Show(const char* english, const char* chinese, const QString& detail);

    Notifier& notifier_;
    QString filePath_;
    QString connectionName_;
    int language_;
    bool open_ = false;
    bool unusable_ = false;
};

}  // namespace mixer
