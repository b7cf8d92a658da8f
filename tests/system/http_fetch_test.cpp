// Page and download against a web server on 127.0.0.1.
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "system/http_fetch.h"
#include "system/local_http_server.h"

using namespace mixer;
using mixer::testing::LocalHttpServer;

namespace {

QByteArray Pattern(int length) {
    QByteArray body(length, '\0');
    for (int i = 0; i < length; ++i) body[i] = static_cast<char>('a' + (i * 7 + i / 26) % 26);
    return body;
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

// A port on 127.0.0.1 where nothing listens.
quint16 ClosedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress("127.0.0.1"), 0);
    return probe.serverPort();
}

TEST(HttpFetch, ReadsAPageLongerThanOneChunkWholeAndOnce) {
    LocalHttpServer web;
    ASSERT_TRUE(web.listening);
    const QByteArray body = Pattern(16384 * 3 + 123);
    web.bodies["/long.txt"] = body;
    std::string text = "old";
    ASSERT_TRUE(HttpGetText(web.Url("/long.txt"), text, {}));
    EXPECT_EQ(text, body.toStdString());
}

TEST(HttpFetch, APageThatCannotBeHadFailsAndLeavesTheTextAlone) {
    LocalHttpServer web;
    web.bodies["/huge.txt"] = QByteArray(kMaxPageBytes + 1, 'x');
    std::string text = "old";
    EXPECT_FALSE(HttpGetText(web.Url("/missing.txt"), text, {}));
    EXPECT_FALSE(HttpGetText(web.Url("/huge.txt"), text, {}));
    EXPECT_FALSE(HttpGetText(QStringLiteral("http://127.0.0.1:%1/x").arg(ClosedPort()), text, {}));
    EXPECT_FALSE(HttpGetText(web.Url("/missing.txt"), text, [] { return true; }));
    EXPECT_EQ(text, "old");
}

TEST(HttpFetch, ADownloadReplacesTheFileOnlyWhenItIsComplete) {
    LocalHttpServer web;
    QTemporaryDir dir;
    const QString path = dir.filePath("upate1.bin");
    const QByteArray image = Pattern(40000);
    web.bodies["/dsp.bin"] = image;
    web.bodies["/big.bin"] = Pattern(5000);

    ASSERT_TRUE(HttpDownload(web.Url("/dsp.bin"), path, 1 << 20, {}));
    EXPECT_EQ(Read(path), image);

    EXPECT_FALSE(HttpDownload(web.Url("/gone.bin"), path, 1 << 20, {}));
    EXPECT_FALSE(HttpDownload(web.Url("/big.bin"), path, 4999, {}));
    EXPECT_FALSE(HttpDownload(web.Url("/dsp.bin"), dir.filePath("no-such-folder/upate1.bin"), 1 << 20, {}));
    EXPECT_EQ(Read(path), image);
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"upate1.bin"});
}

}  // namespace
