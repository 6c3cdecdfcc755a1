#include "shell/browser/compat/CharsetProxy.h"

#include <QUrl>

#include "shell/browser/compat/AnswerRewrite.h"
#include "shell/browser/compat/proxy/EngineRouting.h"
#include "shell/browser/compat/proxy/ProxyListener.h"

namespace lumaro {
namespace {

struct Started {
    std::optional<QByteArray> flags;  // the engine's switches as they were before
    quint16 port = 0;
    proxy::Route route = proxy::Route::AllPlainHttp;
};

Started& State() {
    static Started state;
    return state;
}

}  // namespace

void CharsetProxy::Start(const QString& serverHost) {
    Started& s = State();
    if (s.port) return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains("--proxy-server") || flags.contains("--no-proxy-server") || flags.contains("--proxy-pac-url"))
        return;
    proxy::ReadHostRules(flags);
    if (AnswerRewrite::Enabled()) proxy::AddTransform(AnswerRewrite::Transform());  // JScript's syntax
    s.port = proxy::listener::Start();
    if (!s.port) return;
    s.route = proxy::RouteFor(proxy::Origins(), serverHost);
    if (qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS")) s.flags = flags;
    flags += proxy::EngineFlags(s.route, s.port);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
}

void CharsetProxy::EngineStarted() {
    const Started& s = State();
    if (!s.port) return;
    if (s.flags) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", *s.flags);
    else qunsetenv("QTWEBENGINE_CHROMIUM_FLAGS");
}

void CharsetProxy::SetOrigins(const QStringList& origins) { proxy::SetOrigins(origins); }

void CharsetProxy::SetRequestLimits(std::chrono::milliseconds headTime, int unfinished) {
    proxy::RequestLimits().headMs = headTime.count();
    proxy::RequestLimits().unfinished = std::max(unfinished, 1);
}

void CharsetProxy::AddWholeAnswerTransform(proxy::WholeAnswerTransform transform) {
    proxy::AddTransform(std::move(transform));
}

std::optional<QByteArray> CharsetProxy::RecentPage(const QString& url) { return proxy::KeptPage(url); }

std::optional<QString> CharsetProxy::Missing(const QString& origin) {
    const Started& s = State();
    if (!s.port || !origin.startsWith(QLatin1String("http://"))) return std::nullopt;
    if (!proxy::listener::Listening())
        return QStringLiteral("本程序的网页编码修正已停止，本服务器未标明编码的网页可能显示为乱码。");
    // The engine reads the route once, and never sends this machine's own hosts by it.
    if (s.route == proxy::Route::LayerHostsOnly &&
        (!proxy::PacNames(origin) || proxy::IsLocalHost(QUrl(origin).host())))
        return QStringLiteral("服务器地址在本程序启动后才确定：重新启动本程序后，本服务器未标明编码的网页才能正确显示。");
    return std::nullopt;
}

void CharsetProxy::StopListening() { proxy::listener::Stop(); }

quint16 CharsetProxy::Port() { return State().port; }

}  // namespace lumaro
