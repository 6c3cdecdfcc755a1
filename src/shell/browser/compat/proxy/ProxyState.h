#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <optional>

#include "shell/browser/compat/proxy/HttpMessage.h"

// What the proxy's parts share across its thread and the program's: the
// layer's origins, the pages kept for <xml> islands, the limits, the engine's
// host rules and the whole-answer transforms.
namespace lumaro::proxy {

// A change the layer makes to a whole answer of its origins (a page or a
// script it rewrites): asked with the address and the answer's head whether
// it wants the answer; then given the whole body (chunk framing removed), up
// to `limit` bytes (a larger answer passes unchanged), with the Content-Type
// naming the charset the browser will read it in when the proxy knows it, and
// returns the new body or nullopt for none. The proxy sends it with its length.
struct WholeAnswerTransform {
    std::function<bool(const QString& url, const Head& answer)> wants;
    qsizetype limit = 4 * 1024 * 1024;
    std::function<std::optional<QByteArray>(const QString& url, const QByteArray& contentType, const QByteArray& body)>
        apply;
};

void SetOrigins(const QStringList& origins);
QStringList Origins();
bool IsLayerOrigin(const QByteArray& host, quint16 port);  // plain http only

// Where to connect for host:port, after the engine's --host-resolver-rules
// MAP rules (read from the flags once, at start).
void ReadHostRules(const QByteArray& engineFlags);
QPair<QString, quint16> Resolve(const QString& host, quint16 port);

void KeepPage(const QString& url, const QByteArray& body);
std::optional<QByteArray> KeptPage(const QString& url);

void AddTransform(WholeAnswerTransform transform);
std::optional<WholeAnswerTransform> TransformFor(const QString& url, const Head& answer);

struct Limits {
    std::atomic<qint64> headMs{30000};
    std::atomic<int> unfinished{64};
};
Limits& RequestLimits();

}  // namespace lumaro::proxy
