#include "system/http_fetch.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSaveFile>
#include <QTimer>

namespace mixer {

namespace {

constexpr qint64 kChunkBytes = 16384;
constexpr int kStopPollMs = 20;

// Reads the body chunk by chunk into take; false on any failure. take
// returns false to refuse a chunk.
bool Fetch(const QString& url, qint64 maxBytes, const std::function<bool(const QByteArray&)>& take,
           const StopCheck& stopping) {
    QNetworkAccessManager manager;
    QNetworkRequest request{QUrl(url)};
    request.setRawHeader("Accept", "*/*");
    request.setRawHeader("Pragma", "no-cache");
    request.setRawHeader("User-Agent", "Agent" + QByteArray::number(QElapsedTimer().msecsSinceReference()));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(kHttpTimeoutMs);

    QNetworkReply* reply = manager.get(request);
    bool ok = true;
    qint64 total = 0;
    const auto drain = [&] {
        while (ok && reply->bytesAvailable() > 0) {
            const QByteArray chunk = reply->read(kChunkBytes);
            total += chunk.size();
            if (total > maxBytes || !take(chunk)) {
                ok = false;
                reply->abort();
            }
        }
    };
    QEventLoop loop;
    QTimer stopWatch;
    QObject::connect(reply, &QIODevice::readyRead, &loop, drain);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&stopWatch, &QTimer::timeout, &loop, [&] {
        if (!stopping || !stopping()) return;
        ok = false;
        reply->abort();
    });
    stopWatch.start(kStopPollMs);
    if (!reply->isFinished()) loop.exec();
    drain();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    ok = ok && reply->error() == QNetworkReply::NoError && (status == 0 || (status >= 200 && status < 300));
    delete reply;
    return ok;
}

}  // namespace

bool HttpGetText(const QString& url, std::string& text, const StopCheck& stopping) {
    std::string body;
    const bool ok = Fetch(
        url, kMaxPageBytes,
        [&](const QByteArray& chunk) {
            body.append(chunk.constData(), static_cast<std::size_t>(chunk.size()));
            return true;
        },
        stopping);
    if (ok) text = std::move(body);
    return ok;
}

bool HttpDownload(const QString& url, const QString& path, qint64 maxBytes, const StopCheck& stopping) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const bool ok = Fetch(
        url, maxBytes, [&](const QByteArray& chunk) { return file.write(chunk) == chunk.size(); }, stopping);
    if (!ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace mixer
