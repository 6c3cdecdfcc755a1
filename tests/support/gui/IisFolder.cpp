#include "gui/IisFolder.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include "gui/TestHttpServer.h"
#include "platform/Platform.h"

namespace lumaro::test {

namespace {

QByteArray TypeOf(const QString& suffix) {
    static const QHash<QString, QByteArray> types = {
        {"htm", "text/html"},          {"html", "text/html"}, {"asp", "text/html"},
        {"js", "application/x-javascript"}, {"css", "text/css"}, {"xml", "text/xml"},
        {"xsl", "text/xml"},           {"dtd", "text/xml"},   {"gif", "image/gif"},
        {"png", "image/png"},          {"jpg", "image/jpeg"}, {"jpeg", "image/jpeg"},
    };
    return types.value(suffix.toLower(), "text/plain");
}

}  // namespace

void ServeAsIis(TestHttpServer& server, const QString& folder, const QString& prefix) {
    QDirIterator files(folder, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QFileInfo file(files.next());
        QFile content(file.filePath());
        if (!content.open(QIODevice::ReadOnly)) continue;
        QByteArray body = content.readAll();
        if (file.suffix().toLower() == "asp") body = QByteArray::fromStdString(platform::ToAnsi(body.toStdString()));
        const QString path = prefix + file.filePath().mid(folder.size() + 1);
        server.Route(path, TestHttpServer::Response(body, {{"Content-Type", TypeOf(file.suffix())}}));
    }
}

}  // namespace lumaro::test
