#include "shell/browser/compat/CompatLayer.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QStringDecoder>
#include <QTimer>
#include <QUrlQuery>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <optional>

#include "config/mdlINI.h"
#include "shell/browser/BrowserPage.h"
#include "shell/browser/BrowserPrompts.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/CharsetProxy.h"
#include "shell/browser/compat/LegacyDialog.h"
#include "shell/browser/compat/NoticeBar.h"
#include "shell/browser/compat/VBScriptCalls.h"
#include "ui/WindowKit.h"

static void InitCompatResources() { Q_INIT_RESOURCE(compat); }

namespace lumaro {
namespace {

const QByteArray kScheme = QByteArrayLiteral("lumaro-ie");
const QString kScriptName = QStringLiteral("lumaro-legacy");
// What the embedded control told servers and scripts on a Chinese Windows desk.
const QByteArray kIeAgent = QByteArrayLiteral("Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.1; Trident/7.0)");

struct PageState {
    QPointer<BrowserPage> page;
    int dialogId = 0;
    QString dialogArguments;
    std::optional<bool> clipboardAllowed;  // the user's answer for the document shown
};

struct LayerState {
    bool on = true;
    QString serverHost;
    QStringList extraHosts;
    QStringList hosts;  // the extra hosts and the server's
    QString scriptSource;  // bridge + legacy + the VBScript loader, read once
    QHash<int, PageState> pages;
    int nextPageId = 1;
};

LayerState& State() {
    static LayerState state;
    return state;
}

// Asked of every request the browser makes: worked out once, when they change.
const QStringList& Hosts() { return State().hosts; }

const QString& ScriptSource() {
    LayerState& s = State();
    if (s.scriptSource.isEmpty()) {
        InitCompatResources();
        for (const char* name : {":/compat/js/bridge.js", ":/compat/js/legacy.js", ":/compat/js/vbscript/loader.js"}) {
            QFile file(QString::fromLatin1(name));
            if (file.open(QIODevice::ReadOnly)) s.scriptSource += QString::fromUtf8(file.readAll()) + u'\n';
        }
    }
    return s.scriptSource;
}

int IdOf(const BrowserPage* page) {
    for (auto it = State().pages.cbegin(); it != State().pages.cend(); ++it)
        if (it->page == page) return it.key();
    return 0;
}

// The page's copy of the layer: the match lines keep it out of other sites'
// documents altogether; the host check inside covers what the lines cannot.
QWebEngineScript PageScript(int pageId, const PageState& state) {
    const QStringList& hosts = Hosts();
    QString header = QStringLiteral("// ==UserScript==\n");
    for (const QString& host : hosts)
        for (const char* scheme : {"http", "https"})
            header += QStringLiteral("// @match %1://%2/*\n").arg(QLatin1String(scheme), host);
    header += QStringLiteral("// ==/UserScript==\n");
    QJsonObject config{{QStringLiteral("page"), pageId},
                       {QStringLiteral("hosts"), QJsonValue::fromVariant(hosts)},
                       {QStringLiteral("agent"), QString::fromLatin1(kIeAgent)}};
    if (state.dialogId)
        config.insert(QStringLiteral("dialog"), QJsonObject{{QStringLiteral("id"), state.dialogId},
                                                            {QStringLiteral("args"), state.dialogArguments}});
    QWebEngineScript script;
    script.setName(kScriptName);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(true);
    const QString configJson = QString::fromUtf8(QJsonDocument(config).toJson(QJsonDocument::Compact));
    script.setSourceCode(header +
                         QStringLiteral("(function (LUMARO) {\n"
                                        "if (LUMARO.hosts.indexOf(location.hostname.toLowerCase()) < 0) return;\n") +
                         ScriptSource() + QStringLiteral("\n})(%1);\n").arg(configJson));
    return script;
}

void UpdatePage(int pageId, const PageState& state) {
    if (!state.page) return;
    QWebEngineScriptCollection& scripts = state.page->scripts();
    for (const QWebEngineScript& old : scripts.find(kScriptName)) scripts.remove(old);
    const bool on = State().on && !Hosts().isEmpty();
    if (on) scripts.insert(PageScript(pageId, state));
}

// The hosts the layer serves changed: the proxy and every page follow.
void HostsChanged() {
    LayerState& s = State();
    s.hosts = s.extraHosts;
    if (!s.serverHost.isEmpty()) s.hosts << s.serverHost;
    s.hosts.removeDuplicates();
    CharsetProxy::SetHosts(s.on ? s.hosts : QStringList());
    for (auto it = s.pages.cbegin(); it != s.pages.cend(); ++it) UpdatePage(it.key(), *it);
}

// The agency's pages may use the clipboard (window.clipboardData); reading it
// still waits for the user's yes. Other sites keep the browser's defaults.
void FollowPageAddress(BrowserPage* page, const QUrl& url) {
    for (const auto attribute :
         {QWebEngineSettings::JavascriptCanAccessClipboard, QWebEngineSettings::JavascriptCanPaste}) {
        if (CompatLayer::AppliesTo(url))
            page->settings()->setAttribute(attribute, true);
        else
            page->settings()->resetAttribute(attribute);
    }
}

// The user agent servers of the agency sniff for: only their own requests carry it.
class IdentityInterceptor : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (CompatLayer::AppliesTo(info.requestUrl())) info.setHttpHeader("User-Agent", kIeAgent);
    }
};

QWidget* ViewOf(BrowserPage* page) { return page ? QWebEngineView::forPage(page) : nullptr; }

// lumaro-ie://program/<call>?page=<id>&...: what a page of the layer asks of
// the program. The page waits (a synchronous request) until the answer comes.
class ProgramCalls : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob* job) override {
        // Only the agency's own pages may drive the program.
        const QUrl initiator = job->initiator();
        if (!CompatLayer::IsOn() || !CompatLayer::AppliesTo(initiator)) {
            job->fail(QWebEngineUrlRequestJob::RequestDenied);
            return;
        }
        const QUrlQuery query(job->requestUrl());
        const QString call = job->requestUrl().path().mid(1);
        const int pageId = query.queryItemValue(QStringLiteral("page")).toInt();
        BrowserPage* page = State().pages.value(pageId).page;
        const auto value = [&](const char* key) {
            return query.queryItemValue(QString::fromLatin1(key), QUrl::FullyDecoded);
        };

        if (call == QLatin1String("notice")) {
            if (auto* view = ViewOf(page)) NoticeBar::For(view)->Add(value("feature"));
            Reply(job, QString());
        } else if (call == QLatin1String("print")) {
            // After the answer: printing needs the page's process, which waits for it.
            const QString kind = value("kind");
            QPointer<QWidget> view = ViewOf(page);
            QTimer::singleShot(0, qApp, [view, kind] {
                auto* browser = qobject_cast<WebBrowser*>(view.data());
                if (!browser) return;
                if (kind == QLatin1String("preview"))
                    browser->PreviewPage();
                else if (kind == QLatin1String("setup"))
                    browser->PageSetup();
                else
                    browser->PrintPage();
            });
            Reply(job, QString());
        } else if (call == QLatin1String("clipboard")) {
            AskClipboard(job, pageId);
        } else if (call == QLatin1String("dialog")) {
            OpenDialog(job, page, value("url"), value("args"), value("features"),
                       value("modal") == QLatin1String("1"));
        } else if (call == QLatin1String("source")) {
            // A page's own markup only, not another server's.
            const QUrl url(value("url"));
            const auto page = url.host() == initiator.host() ? CharsetProxy::RecentPage(url.toString()) : std::nullopt;
            if (!page) return job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            auto decoder = QStringDecoder(value("charset").toLatin1().constData());
            Reply(job, decoder.isValid() ? decoder.decode(*page) : QString::fromUtf8(*page));
        } else if (call == QLatin1String("measure") || call == QLatin1String("place")) {
            LegacyDialog* dialog = LegacyDialog::Find(value("dialog").toInt());
            if (dialog && call == QLatin1String("place")) dialog->Place(value("side"), value("value"));
            Reply(job, dialog ? QString::number(dialog->Measure(value("side"))) : QString());
        } else if (call == QLatin1String("vbscript")) {
            Reply(job, vbscript::InterpreterSource());
        } else if (call == QLatin1String("msgbox") || call == QLatin1String("inputbox")) {
            AskForScript(job, page, call, value("text"), value("title"), value(call == QLatin1String("msgbox") ? "buttons" : "value"));
        } else if (call == QLatin1String("close")) {
            const QString returned = value("value");
            if (auto* dialog = LegacyDialog::Find(value("dialog").toInt())) dialog->CloseWith(returned);
            Reply(job, QString());
        } else {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        }
    }

private:
    static void Reply(QWebEngineUrlRequestJob* job, const QString& text) {
        auto* body = new QBuffer(job);
        body->setData(text.toUtf8());
        job->reply("text/plain", body);
    }

    static void AskClipboard(QWebEngineUrlRequestJob* job, int pageId) {
        PageState& state = State().pages[pageId];
        if (state.clipboardAllowed) {
            Reply(job, *state.clipboardAllowed ? QStringLiteral("yes") : QStringLiteral("no"));
            return;
        }
        QWidget* parent = ViewOf(state.page) ? ViewOf(state.page)->window() : nullptr;
        QPointer<QWebEngineUrlRequestJob> pending(job);  // the page may go while the user thinks
        const bool yes = prompts::AskYesNo(parent, QStringLiteral("此网页要读取剪贴板中的内容。允许吗？"),
                                           QStringLiteral("剪贴板"), false);
        if (State().pages.contains(pageId)) State().pages[pageId].clipboardAllowed = yes;
        if (pending) Reply(pending, yes ? QStringLiteral("yes") : QStringLiteral("no"));
    }

    // VBScript's MsgBox and InputBox: the page waits for the user's answer.
    static void AskForScript(QWebEngineUrlRequestJob* job, BrowserPage* page, const QString& call, const QString& text,
                             const QString& title, const QString& extra) {
        QWidget* parent = ViewOf(page) ? ViewOf(page)->window() : nullptr;
        QPointer<QWebEngineUrlRequestJob> pending(job);  // the page may go while the user thinks
        QString answer;
        if (call == QLatin1String("msgbox")) {
            answer = QString::number(vbscript::MsgBox(parent, text, extra.toInt(), title));
        } else {
            const std::optional<QString> typed = vbscript::InputBox(parent, text, title, extra);
            answer = typed ? u'1' + *typed : QStringLiteral("0");
        }
        if (pending) Reply(pending, answer);
    }

    static void OpenDialog(QWebEngineUrlRequestJob* job, BrowserPage* caller, const QString& url,
                           const QString& args, const QString& features, bool modal) {
        QWidget* owner = ViewOf(caller) ? ViewOf(caller)->window() : QApplication::activeWindow();
        auto* dialog = new LegacyDialog(owner, caller ? caller->profile() : WebBrowser::ProgramProfile(),
                                        ParseDialogFeatures(features), args, modal);
        if (modal) {
            QPointer<QWebEngineUrlRequestJob> pending(job);
            QObject::connect(dialog, &LegacyDialog::closedWith, job, [pending](const QString& returned) {
                if (pending) Reply(pending, returned);
            });
        } else {
            Reply(job, QString());
        }
        dialog->Open(QUrl(url));
    }
};

}  // namespace

void CompatLayer::RegisterScheme() {
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled |
                    QWebEngineUrlScheme::ContentSecurityPolicyIgnored);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void CompatLayer::Start() {
    const bool on = ReadIniString(ConfigFilePath, "Setup", "IECompat") != "False";
    QStringList hosts;
    for (const QString& host : ui::Q(ReadIniString(ConfigFilePath, "Setup", "IECompatHosts")).split(u','))
        if (!host.trimmed().isEmpty()) hosts << host.trimmed().toLower();
    Configure(on, hosts);
    if (on) CharsetProxy::Start();
}

void CompatLayer::Configure(bool on, const QStringList& extraHosts) {
    State().on = on;
    State().extraHosts = extraHosts;
    HostsChanged();
}

void CompatLayer::SetServerHost(const QString& host) {
    if (State().serverHost == host.toLower()) return;
    State().serverHost = host.toLower();
    HostsChanged();
}

bool CompatLayer::IsOn() { return State().on; }

bool CompatLayer::AppliesTo(const QUrl& url) {
    if (!State().on) return false;
    const QString scheme = url.scheme();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) return false;
    return Hosts().contains(url.host().toLower());
}

void CompatLayer::Attach(BrowserPage* page) { AttachDialog(page, 0, QString()); }

void CompatLayer::AttachDialog(BrowserPage* page, int dialogId, const QString& argumentsJson) {
    int id = IdOf(page);
    if (!id) {
        id = State().nextPageId++;
        QObject::connect(page, &QObject::destroyed, [id] { State().pages.remove(id); });
        // A new document asks again before reading the clipboard.
        QObject::connect(page, &QWebEnginePage::loadStarted, page, [id] {
            if (State().pages.contains(id)) State().pages[id].clipboardAllowed.reset();
        });
    }
    PageState& state = State().pages[id];
    state.page = page;
    state.dialogId = dialogId;
    state.dialogArguments = argumentsJson;
    UpdatePage(id, state);
}

void CompatLayer::BeforeNavigation(BrowserPage* page, const QUrl& url) { FollowPageAddress(page, url); }

void CompatLayer::InstallInProfile(QWebEngineProfile* profile) {
    profile->setUrlRequestInterceptor(new IdentityInterceptor(profile));
    profile->installUrlSchemeHandler(kScheme, new ProgramCalls(profile));
}

}  // namespace lumaro
