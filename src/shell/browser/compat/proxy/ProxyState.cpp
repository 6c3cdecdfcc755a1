#include "shell/browser/compat/proxy/ProxyState.h"

#include <QMutex>
#include <QRegularExpression>

namespace lumaro::proxy {
namespace {

constexpr qsizetype kKeptPages = 8;

struct Shared {
    QMutex mutex;
    QStringList origins;
    QList<QPair<QString, QByteArray>> pages;  // url, body; the newest last
    QList<QPair<QString, QString>> hostMap;   // pattern, replacement
    QList<WholeAnswerTransform> transforms;
    Limits limits;
};

Shared& State() {
    static Shared state;
    return state;
}

}  // namespace

void SetOrigins(const QStringList& origins) {
    QMutexLocker lock(&State().mutex);
    State().origins.clear();
    for (const QString& origin : origins)
        if (origin.startsWith(QLatin1String("http://"))) State().origins << origin;
}

QStringList Origins() {
    QMutexLocker lock(&State().mutex);
    return State().origins;
}

bool IsLayerOrigin(const QByteArray& host, quint16 port) {
    const QString name = QString::fromLatin1(host).toLower();
    QString origin = QStringLiteral("http://") + (name.contains(u':') ? u'[' + name + u']' : name);
    if (port != 80) origin += u':' + QString::number(port);
    QMutexLocker lock(&State().mutex);
    return State().origins.contains(origin);
}

void ReadHostRules(const QByteArray& engineFlags) {
    static const QRegularExpression option(QStringLiteral("--host-resolver-rules=(\"[^\"]*\"|'[^']*'|\\S+)"));
    const auto match = option.match(QString::fromLocal8Bit(engineFlags));
    QMutexLocker lock(&State().mutex);
    State().hostMap.clear();
    if (!match.hasMatch()) return;
    QString rules = match.captured(1);
    if (rules.startsWith(u'"') || rules.startsWith(u'\'')) rules = rules.mid(1, rules.size() - 2);
    for (const QString& rule : rules.split(u',')) {
        const QStringList words = rule.simplified().split(u' ');
        if (words.size() == 3 && words[0].compare(QLatin1String("MAP"), Qt::CaseInsensitive) == 0)
            State().hostMap << qMakePair(words[1].toLower(), words[2]);
    }
}

QPair<QString, quint16> Resolve(const QString& host, quint16 port) {
    QMutexLocker lock(&State().mutex);
    for (const auto& [pattern, replacement] : State().hostMap) {
        if (!QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern)).match(host.toLower()).hasMatch())
            continue;
        const qsizetype colon = replacement.lastIndexOf(u':');
        if (colon > 0 && !replacement.endsWith(u']')) return {replacement.left(colon), replacement.mid(colon + 1).toUShort()};
        return {replacement, port};
    }
    return {host, port};
}

void KeepPage(const QString& url, const QByteArray& body) {
    QMutexLocker lock(&State().mutex);
    auto& pages = State().pages;
    pages.removeIf([&url](const auto& page) { return page.first == url; });
    pages.append({url, body});
    while (pages.size() > kKeptPages) pages.removeFirst();
}

std::optional<QByteArray> KeptPage(const QString& url) {
    QMutexLocker lock(&State().mutex);
    for (const auto& [address, body] : State().pages)
        if (address == url) return body;
    return std::nullopt;
}

void AddTransform(WholeAnswerTransform transform) {
    QMutexLocker lock(&State().mutex);
    State().transforms.append(std::move(transform));
}

std::optional<WholeAnswerTransform> TransformFor(const QString& url, const Head& answer) {
    QMutexLocker lock(&State().mutex);
    for (const WholeAnswerTransform& transform : State().transforms)
        if (transform.wants && transform.wants(url, answer)) return transform;
    return std::nullopt;
}

Limits& RequestLimits() { return State().limits; }

}  // namespace lumaro::proxy
