#pragma once

#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <deque>
#include <map>
#include <optional>

class QUrlQuery;
class QWebEngineUrlRequestJob;

namespace lumaro {

class BrowserPage;
class LegacyDialog;

// The program's side of the dialogs of old pages (js/dialogs.js, js/sharing.js).
// The caller of a modal dialog waits in a synchronous call. The relay answers
// that call with the first request the dialog makes of the caller's objects,
// takes the caller's answer with its next call and gives it to the dialog, and
// so on until the dialog closes: then the caller's call is answered with the
// dialog's returnValue. Only the dialog's page, in a document of its caller's
// origin, asks; only the caller answers; a caller gone fails the requests.
class DialogRelay : public QObject {
public:
    using QObject::QObject;

    // The calls of a page of the layer; `origin` is its calling document's.
    // "dialog": opens a dialog. A modal one is answered with its first request
    // or its end; a modeless one of the caller's origin with "window" (the
    // caller opens it as a window of its own), of another origin at once.
    void Open(QWebEngineUrlRequestJob* job, BrowserPage* page, const QString& origin, const QUrlQuery& query);
    // "serve": the caller's answer to the last request; answered with the next, or the end.
    void Serve(QWebEngineUrlRequestJob* job, BrowserPage* page, const QString& origin, const QUrlQuery& query);
    // "ask": the dialog's request; answered with the caller's answer.
    void Ask(QWebEngineUrlRequestJob* job, BrowserPage* page, const QString& origin, const QUrlQuery& query);
    // "part": a piece of a long value of the page's next call, which names it in "bulk":
    // an address holds about two million characters.
    void Part(QWebEngineUrlRequestJob* job, BrowserPage* page, const QString& origin, const QUrlQuery& query);
    // A value of a call, a long one put together from its parts.
    QString Value(BrowserPage* page, const QString& origin, const QUrlQuery& query, const QString& key);

private:
    struct Session {
        QPointer<BrowserPage> caller;
        QString origin;  // the caller's document's
        QPointer<LegacyDialog> dialog;
        QPointer<QWebEngineUrlRequestJob> serving;  // the caller, waiting for the next request
        const QObject* servingCall = nullptr;       // the same, to know it when it goes unanswered
        QPointer<QWebEngineUrlRequestJob> asking;   // the dialog, waiting for the caller's answer
        std::deque<std::pair<QPointer<QWebEngineUrlRequestJob>, QJsonObject>> requests;
        std::optional<QString> closed;  // the returnValue, once the dialog closed
        QMetaObject::Connection callerGone[2];
    };
    struct Upload {
        QString origin;
        QHash<QString, QString> values;
        qsizetype size = 0;
    };

    void Wait(int id, QWebEngineUrlRequestJob* job);
    void Pump(int id);
    void Closed(int id, const QString& returned);
    void CallerGone(int id);
    void RefuseRequests(Session& session);
    void End(int id);
    Session* Find(int id);

    std::map<int, Session> sessions_;  // by dialog
    QHash<const BrowserPage*, Upload> uploads_;
};

}  // namespace lumaro
