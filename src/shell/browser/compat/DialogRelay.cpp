#include "shell/browser/compat/DialogRelay.h"

#include <QApplication>
#include <QJsonDocument>
#include <QUrlQuery>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineView>

#include "shell/browser/BrowserPage.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/LayerOrigins.h"
#include "shell/browser/compat/LegacyDialog.h"
#include "shell/browser/compat/ProgramCalls.h"

namespace lumaro {
namespace {

// The longest value a page hands over in parts (characters), as sharing.js
// knows it: a page cannot make the program keep more.
constexpr qsizetype kMostKept = 16 * 1024 * 1024 + 1024;

// A dialog shows a web page, as the old control's did: never a local file,
// the program's own scheme, or script and markup made up by the caller.
bool MayOpenInDialog(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

QString Json(const QJsonObject& object) { return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)); }

void Refuse(QWebEngineUrlRequestJob* job) {
    if (job) job->fail(QWebEngineUrlRequestJob::RequestDenied);
}

}  // namespace

void DialogRelay::Open(QWebEngineUrlRequestJob* job, BrowserPage* page, const QString& origin, const QUrlQuery& query) {
    const QUrl url(Value(page, origin, query, QStringLiteral("url")), QUrl::StrictMode);
    if (!MayOpenInDialog(url)) return Refuse(job);
    const DialogFeatures features = ParseDialogFeatures(Value(page, origin, query, QStringLiteral("features")));
    // What a dialog of another site than its caller's gets of the caller: nothing.
    const bool shared = origins::Of(url) == origin;
    QWidget* view = QWebEngineView::forPage(page);
    QWidget* owner = view ? view->window() : QApplication::activeWindow();
    if (query.queryItemValue(QStringLiteral("modal")) != QLatin1String("1")) {
        if (shared) {
            LegacyDialog::ExpectWindow(page, features, {{QStringLiteral("live"), true}});
            return ProgramCalls::Reply(job, QStringLiteral("window"));
        }
        auto* dialog = new LegacyDialog(owner, page->profile(), features, {}, false);
        ProgramCalls::Reply(job, QString());
        return dialog->Open(url);
    }
    auto* dialog = new LegacyDialog(owner, page->profile(), features,
                                    {{QStringLiteral("origin"), origin}, {QStringLiteral("shared"), shared}}, true);
    const int id = dialog->id();
    Session& session = sessions_[id];
    session.caller = page;
    session.origin = origin;
    session.dialog = dialog;
    connect(dialog, &LegacyDialog::closedWith, this, [this, id](const QString& returned) { Closed(id, returned); });
    session.callerGone[0] = connect(page, &QObject::destroyed, this, [this, id] { CallerGone(id); });
    session.callerGone[1] = connect(page, &QWebEnginePage::renderProcessTerminated, this, [this, id] { CallerGone(id); });
    Wait(id, job);
    dialog->Open(url);
}

void DialogRelay::Serve(QWebEngineUrlRequestJob* job, BrowserPage* page, const QString& origin, const QUrlQuery& query) {
    const int id = query.queryItemValue(QStringLiteral("dialog")).toInt();
    Session* session = Find(id);
    if (!session || session->caller != page || session->origin != origin || session->serving) return Refuse(job);
    if (session->asking) ProgramCalls::Reply(session->asking, Value(page, origin, query, QStringLiteral("value")));
    session->asking = nullptr;
    Wait(id, job);
    Pump(id);
}

void DialogRelay::Ask(QWebEngineUrlRequestJob* job, BrowserPage* page, const QString& origin, const QUrlQuery& query) {
    const int id = query.queryItemValue(QStringLiteral("dialog")).toInt();
    Session* session = Find(id);
    const QJsonDocument request = QJsonDocument::fromJson(Value(page, origin, query, QStringLiteral("request")).toUtf8());
    if (!session || session->closed || !session->dialog || session->dialog->browser()->page() != page ||
        session->origin != origin || !request.isObject())
        return Refuse(job);
    session->requests.emplace_back(job, request.object());
    Pump(id);
}

void DialogRelay::Part(QWebEngineUrlRequestJob* job, BrowserPage* page, const QString& origin, const QUrlQuery& query) {
    if (!uploads_.contains(page)) connect(page, &QObject::destroyed, this, [this, page] { uploads_.remove(page); });
    Upload& upload = uploads_[page];
    const QString name = query.queryItemValue(QStringLiteral("name"));
    if (upload.origin != origin || query.queryItemValue(QStringLiteral("first")) == QLatin1String("1")) {
        if (upload.origin != origin) upload = Upload{origin, {}, 0};
        upload.size -= upload.values.value(name).size();
        upload.values.remove(name);
    }
    const QString data = query.queryItemValue(QStringLiteral("data"), QUrl::FullyDecoded);
    if (upload.size + data.size() > kMostKept) {
        uploads_.remove(page);
        return Refuse(job);
    }
    upload.values[name] += data;
    upload.size += data.size();
    ProgramCalls::Reply(job, QString());
}

QString DialogRelay::Value(BrowserPage* page, const QString& origin, const QUrlQuery& query, const QString& key) {
    const QStringList bulk = query.queryItemValue(QStringLiteral("bulk")).split(u',');
    if (!bulk.contains(key)) return query.queryItemValue(key, QUrl::FullyDecoded);
    const auto upload = uploads_.find(page);
    if (upload == uploads_.end() || upload->origin != origin) return QString();
    upload->size -= upload->values.value(key).size();
    return upload->values.take(key);
}

// The caller waits for the next request of its dialog. A call that goes
// unanswered (the caller's document or page process went) ends the session.
void DialogRelay::Wait(int id, QWebEngineUrlRequestJob* job) {
    Session& session = sessions_[id];
    session.serving = job;
    session.servingCall = job;
    connect(job, &QObject::destroyed, this, [this, id, job] {
        Session* s = Find(id);
        if (s && s->servingCall == job) CallerGone(id);
    });
}

void DialogRelay::Pump(int id) {
    Session* session = Find(id);
    if (!session || !session->serving) return;
    QPointer<QWebEngineUrlRequestJob> serving = session->serving;
    if (session->closed) {
        const QString returned = *session->closed;
        End(id);
        return ProgramCalls::Reply(serving, Json({{QStringLiteral("closed"), returned}}));
    }
    while (!session->requests.empty()) {
        auto [asking, request] = session->requests.front();
        session->requests.pop_front();
        if (!asking) continue;  // the dialog's page went
        session->asking = asking;
        session->serving = nullptr;
        session->servingCall = nullptr;
        return ProgramCalls::Reply(serving, Json({{QStringLiteral("dialog"), id}, {QStringLiteral("ask"), request}}));
    }
}

// What the dialog still asks goes unanswered; the caller gets the returnValue when it next waits.
void DialogRelay::Closed(int id, const QString& returned) {
    Session* session = Find(id);
    if (!session) return;
    session->closed = returned;
    RefuseRequests(*session);
    Pump(id);
}

// The dialog's requests fail from now on: nobody answers them.
void DialogRelay::CallerGone(int id) {
    if (Session* session = Find(id)) RefuseRequests(*session);
    End(id);
}

void DialogRelay::RefuseRequests(Session& session) {
    Refuse(session.asking);
    session.asking = nullptr;
    for (auto& [asking, request] : session.requests) Refuse(asking);
    session.requests.clear();
}

void DialogRelay::End(int id) {
    Session* session = Find(id);
    if (!session) return;
    for (const QMetaObject::Connection& connection : session->callerGone) disconnect(connection);
    sessions_.erase(id);
}

DialogRelay::Session* DialogRelay::Find(int id) {
    const auto it = sessions_.find(id);
    return it == sessions_.end() ? nullptr : &it->second;
}

}  // namespace lumaro
