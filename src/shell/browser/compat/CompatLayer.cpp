#include "shell/browser/compat/CompatLayer.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QRandomGenerator>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlScheme>
#include <memory>

#include "config/mdlINI.h"
#include "shell/browser/BrowserPage.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/CharsetProxy.h"
#include "shell/browser/compat/LayerOrigins.h"
#include "shell/browser/compat/LayerScript.h"
#include "shell/browser/compat/NoticeBar.h"
#include "shell/browser/compat/ProgramCalls.h"
#include "ui/WindowKit.h"

static void InitCompatResources() {
    Q_INIT_RESOURCE(compat);
    Q_INIT_RESOURCE(fonts);
}

namespace lumaro {
namespace {

const QByteArray kPageHeader = QByteArrayLiteral("X-Lumaro-Page");
// What the embedded control told servers and scripts on a Chinese Windows desk.
const QByteArray kIeAgent = QByteArrayLiteral("Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.1; Trident/7.0)");

struct PageState {
    QPointer<BrowserPage> page;
    QString token;  // proves a call comes from this page's copy of the layer
    int dialogId = 0;
    QJsonObject dialogLink;  // what the dialog's page has of its caller
};

struct LayerState {
    bool on = true;
    QString serverOrigin;
    QStringList extraOrigins;
    QStringList origins;  // the extra origins and the server's
    QString scriptSource;
    QHash<int, PageState> pages;
    QList<QPointer<QWebEngineProfile>> profiles;  // those the layer is installed in
    bool profileWide = false;  // the script in the profiles, not the pages (UpdatePage)
    int nextPageId = 1;
    QStringList told;  // what the user was told about the proxy, once each
};

LayerState& State() {
    static LayerState state;
    return state;
}

// Asked of every request the browser makes: worked out once, when they change.
const QStringList& Origins() { return State().origins; }

// The program's side of the layer: its calls, what dialogs share, the dialogs.
constexpr const char* kProgramParts[] = {"bridge", "sharing", "dialogs"};
// The old control's ways, one concern a file, in one scope of their own.
constexpr const char* kLegacyParts[] = {"base",     "events",     "collections", "document", "styles",
                                        "selection", "clipboard", "popup",      "frames",      "whitespace",
                                        "layout",   "buttons",    "xml",        "islands",     "printing",
                                        "markup",   "start"};

QString Resource(const QString& name) {
    QFile file(QStringLiteral(":/compat/js/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) + u'\n' : QString();
}

// The program's side and the dialogs, then the old control's ways, then the VBScript loader; read once.
const QString& ScriptSource() {
    LayerState& s = State();
    if (s.scriptSource.isEmpty()) {
        InitCompatResources();
        for (const char* part : kProgramParts) s.scriptSource += Resource(QStringLiteral("%1.js").arg(QLatin1String(part)));
        s.scriptSource += QStringLiteral("(function () {\n'use strict';\n");
        for (const char* part : kLegacyParts) s.scriptSource += Resource(QStringLiteral("legacy/%1.js").arg(QLatin1String(part)));
        s.scriptSource += QStringLiteral("})();\n") + Resource(QStringLiteral("vbscript/loader.js"));
    }
    return s.scriptSource;
}

QString NewToken() {
    quint64 words[2];
    QRandomGenerator::system()->fillRange(words);
    return QString::number(words[0], 36) + QString::number(words[1], 36);
}

int IdOf(const BrowserPage* page) {
    for (auto it = State().pages.cbegin(); it != State().pages.cend(); ++it)
        if (it->page == page) return it.key();
    return 0;
}

// What a page's copy of the layer is told of its page when its document starts.
QJsonObject PageConfig(int pageId, const PageState& state) {
    QJsonObject config{{QStringLiteral("page"), pageId},
                       {QStringLiteral("token"), state.token},
                       {QStringLiteral("origins"), QJsonArray::fromStringList(Origins())},
                       {QStringLiteral("agent"), QString::fromLatin1(kIeAgent)}};
    if (state.dialogId) {
        QJsonObject dialog = state.dialogLink;
        dialog.insert(QStringLiteral("id"), state.dialogId);
        config.insert(QStringLiteral("dialog"), dialog);
    }
    return config;
}

// The layer goes in each page's own scripts, told of its page: nothing to
// ask, so nothing to wait for. Once a page process of the program's has ended
// before its time, the engine sometimes starts the next one without a page's
// own scripts; from then on the layer goes in the profiles' scripts instead,
// whose documents ask which page they are of.
void UpdatePage(int pageId, const PageState& state) {
    if (!state.page) return;
    QWebEngineScriptCollection& scripts = state.page->scripts();
    for (const QWebEngineScript& old : scripts.find(layerscript::Name())) scripts.remove(old);
    if (State().on && !Origins().isEmpty() && !State().profileWide)
        scripts.insert(layerscript::ForPage(Origins(), PageConfig(pageId, state), ScriptSource()));
}

void UpdateProfile(QWebEngineProfile* profile) {
    QWebEngineScriptCollection* scripts = profile->scripts();
    for (const QWebEngineScript& old : scripts->find(layerscript::Name())) scripts->remove(old);
    if (State().on && !Origins().isEmpty() && State().profileWide)
        scripts->insert(layerscript::ForProfile(Origins(), ScriptSource()));
}

// The origins the layer serves changed (or where its script goes): the proxy,
// every page and every profile follow.
void OriginsChanged() {
    LayerState& s = State();
    s.origins = s.extraOrigins;
    if (!s.serverOrigin.isEmpty()) s.origins << s.serverOrigin;
    s.origins.removeDuplicates();
    CharsetProxy::SetOrigins(s.on ? s.origins : QStringList());
    for (auto it = s.pages.cbegin(); it != s.pages.cend(); ++it) UpdatePage(it.key(), *it);
    s.profiles.removeAll(nullptr);
    for (QWebEngineProfile* profile : s.profiles) UpdateProfile(profile);
}

// Names the page of each call its documents make on the program's scheme: a
// header the page's script cannot set for itself, as the engine puts it on last.
class PageStamp : public QWebEngineUrlRequestInterceptor {
public:
    PageStamp(int pageId, QObject* parent) : QWebEngineUrlRequestInterceptor(parent), pageId_(pageId) {}
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (info.requestUrl().scheme() == QLatin1String(ProgramCalls::kScheme))
            info.setHttpHeader(kPageHeader, QByteArray::number(pageId_));
    }

private:
    int pageId_;
};

// The user agent servers of the agency sniff for: only their own requests
// carry it. The program's scheme is for the layer's script alone, which calls
// it by XMLHttpRequest (and for the fonts its documents load): an image, a
// frame or a redirect never reaches it.
class RequestGuard : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (info.requestUrl().scheme() == QLatin1String(ProgramCalls::kScheme)) {
            const bool font = info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeFontResource &&
                              info.requestUrl().path().startsWith(QLatin1String("/font/"));
            if (info.resourceType() != QWebEngineUrlRequestInfo::ResourceTypeXhr && !font) info.block(true);
            return;
        }
        if (CompatLayer::AppliesTo(info.requestUrl())) info.setHttpHeader("User-Agent", kIeAgent);
    }
};

// A page of the layer's that the proxy cannot label now says why, once.
void TellWhatIsMissing(BrowserPage* page) {
    const auto missing = CharsetProxy::Missing(origins::Of(page->url()));
    QWidget* view = QWebEngineView::forPage(page);
    if (!missing || !view || !CompatLayer::AppliesTo(page->url()) || State().told.contains(*missing)) return;
    State().told << *missing;
    NoticeBar::For(view)->Say(*missing);
}

// The host the server's address will have, as far as it is known at start:
// the configured address's, or the lookup service's (a service on this
// machine looks up a server on it).
QString ServerHostAtStart() {
    const std::string address = ReadIniString(ConfigFilePath, "ServerINFO", "ServerIP");
    if (address.empty()) return {};
    return WebBrowser::AddressUrl(ui::Q(address)).host(QUrl::EncodeUnicode);
}

}  // namespace

void CompatLayer::RegisterScheme() {
    QWebEngineUrlScheme scheme(ProgramCalls::kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled |
                    QWebEngineUrlScheme::ContentSecurityPolicyIgnored);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void CompatLayer::Start() {
    const bool on = ReadIniString(ConfigFilePath, "Setup", "IECompat") != "False";
    const QStringList entries = ui::Q(ReadIniString(ConfigFilePath, "Setup", "IECompatHosts")).split(u',');
    Configure(on, entries);
    if (on) CharsetProxy::Start(ServerHostAtStart());
}

void CompatLayer::Configure(bool on, const QStringList& extraEntries) {
    State().on = on;
    State().extraOrigins.clear();
    for (const QString& entry : extraEntries) State().extraOrigins << origins::FromEntry(entry);
    OriginsChanged();
}

void CompatLayer::SetServer(const QUrl& address) {
    const QString origin = origins::Of(address);
    if (State().serverOrigin == origin) return;
    State().serverOrigin = origin;
    OriginsChanged();
}

bool CompatLayer::IsOn() { return State().on; }

bool CompatLayer::AppliesTo(const QUrl& url) { return AppliesToOrigin(origins::Of(url)); }

bool CompatLayer::AppliesToOrigin(const QString& origin) {
    return State().on && !origin.isEmpty() && Origins().contains(origin);
}

BrowserPage* CompatLayer::CallingPage(int pageId, const QString& token) {
    const auto it = State().pages.constFind(pageId);
    if (it == State().pages.cend() || token.isEmpty() || it->token != token) return nullptr;
    return it->page;
}

void CompatLayer::Attach(BrowserPage* page) { AttachDialog(page, 0, {}); }

void CompatLayer::AttachDialog(BrowserPage* page, int dialogId, const QJsonObject& link) {
    int id = IdOf(page);
    if (!id) {
        id = State().nextPageId++;
        QObject::connect(page, &QObject::destroyed, [id] { State().pages.remove(id); });
        page->setUrlRequestInterceptor(new PageStamp(id, page));
        QObject::connect(page, &QWebEnginePage::renderProcessTerminated, [](QWebEnginePage::RenderProcessTerminationStatus status) {
            if (status == QWebEnginePage::NormalTerminationStatus || State().profileWide) return;
            State().profileWide = true;
            OriginsChanged();
        });
        QObject::connect(page, &QWebEnginePage::loadFinished, page, [page] { TellWhatIsMissing(page); });
    }
    PageState& state = State().pages[id];
    state.page = page;
    if (state.token.isEmpty()) state.token = NewToken();
    state.dialogId = dialogId;
    state.dialogLink = link;
    UpdatePage(id, state);
}

void CompatLayer::Adopting(BrowserPage* page) {
    // The contents of the window replace the page's own, and its interceptor with them: it is
    // given again when the window first goes to an address. (Not before: a window the opener
    // writes into has the layer from its opener, and setting it then stalls the opener's load.)
    auto* stamp = page->findChild<PageStamp*>(QString(), Qt::FindDirectChildrenOnly);
    if (!stamp) return;
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(page, &QWebEnginePage::loadStarted, stamp, [page, stamp, connection] {
        const QString scheme = page->requestedUrl().scheme();
        if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) return;
        page->setUrlRequestInterceptor(stamp);
        QObject::disconnect(*connection);
    });
}

std::optional<QByteArray> CompatLayer::WhoIs(const QMap<QByteArray, QByteArray>& headers) {
    bool ok = false;
    const int id = headers.value(kPageHeader).toInt(&ok);
    const auto it = State().pages.constFind(id);
    if (!ok || it == State().pages.cend() || !it->page) return std::nullopt;
    return QJsonDocument(PageConfig(id, *it)).toJson(QJsonDocument::Compact);
}

void CompatLayer::InstallInProfile(QWebEngineProfile* profile) {
    CharsetProxy::EngineStarted();
    profile->setUrlRequestInterceptor(new RequestGuard(profile));
    profile->installUrlSchemeHandler(ProgramCalls::kScheme, new ProgramCalls(profile));
    State().profiles << profile;
    UpdateProfile(profile);
}

}  // namespace lumaro
