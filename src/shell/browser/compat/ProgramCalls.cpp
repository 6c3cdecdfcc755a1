#include "shell/browser/compat/ProgramCalls.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QPointer>
#include <QStringDecoder>
#include <QTimer>
#include <QUrlQuery>
#include <QWebEngineUrlRequestJob>

#include "shell/browser/BrowserPage.h"
#include "shell/browser/BrowserPrompts.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/CharsetProxy.h"
#include "shell/browser/compat/CompatLayer.h"
#include "shell/browser/compat/LayerOrigins.h"
#include "shell/browser/compat/LegacyDialog.h"
#include "shell/browser/compat/NoticeBar.h"
#include "shell/browser/compat/VBScriptCalls.h"

namespace lumaro {
namespace {

QWidget* ViewOf(BrowserPage* page) { return page ? QWebEngineView::forPage(page) : nullptr; }

void Print(BrowserPage* page, const QString& kind) {
    // After the answer: printing needs the page's process, which waits for it.
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
}

// VBScript's MsgBox and InputBox: the page waits for the user's answer, the
// constant of the button chosen, or "1" and the text typed ("0" when cancelled).
void AskForScript(QWebEngineUrlRequestJob* job, BrowserPage* page, bool msgBox, const QString& text,
                  const QString& title, const QString& extra) {
    QWidget* parent = ViewOf(page) ? ViewOf(page)->window() : nullptr;
    QPointer<QWebEngineUrlRequestJob> pending(job);  // the page may go while the user thinks
    QString answer;
    if (msgBox) {
        answer = QString::number(vbscript::MsgBox(parent, text, extra.toInt(), title));
    } else {
        const std::optional<QString> typed = vbscript::InputBox(parent, text, title, extra);
        answer = typed ? u'1' + *typed : QStringLiteral("0");
    }
    if (pending) ProgramCalls::Reply(pending, answer);
}

}  // namespace

void ProgramCalls::Reply(QWebEngineUrlRequestJob* job, const QString& text) {
    if (!job) return;
    auto* body = new QBuffer(job);
    body->setData(text.toUtf8());
    job->reply("text/plain", body);
}

void ProgramCalls::requestStarted(QWebEngineUrlRequestJob* job) {
    const QUrlQuery query(job->requestUrl());
    const QString origin = origins::Of(job->initiator());
    // The symbol fonts' stand-ins, for the style sheets of the layer's documents.
    if (job->requestUrl().path().startsWith(QLatin1String("/font/"))) {
        QFile* font = new QFile(QStringLiteral(":/compat/fonts/%1.ttf").arg(job->requestUrl().path().mid(6)), job);
        if (!CompatLayer::AppliesToOrigin(origin) || !font->open(QIODevice::ReadOnly))
            return job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return job->reply("font/ttf", font);
    }
    // Every other call: only the layer's own script, in a document of the layer's origins.
    BrowserPage* page = CompatLayer::CallingPage(query.queryItemValue(QStringLiteral("page")).toInt(),
                                                 query.queryItemValue(QStringLiteral("token"), QUrl::FullyDecoded));
    if (!CompatLayer::AppliesToOrigin(origin) || !page) return job->fail(QWebEngineUrlRequestJob::RequestDenied);
    const auto value = [&](const char* key) { return dialogs_.Value(page, origin, query, QString::fromLatin1(key)); };

    const QString call = job->requestUrl().path().mid(1);
    if (call == QLatin1String("notice")) {
        if (auto* view = ViewOf(page)) NoticeBar::For(view)->Add(value("feature"));
        Reply(job, QString());
    } else if (call == QLatin1String("print")) {
        Print(page, value("kind"));
        Reply(job, QString());
    } else if (call == QLatin1String("clipboard")) {
        Clipboard(job, page, origin, value("op"), value("text"));
    } else if (call == QLatin1String("dialog")) {
        dialogs_.Open(job, page, origin, query);
    } else if (call == QLatin1String("serve")) {
        dialogs_.Serve(job, page, origin, query);
    } else if (call == QLatin1String("ask")) {
        dialogs_.Ask(job, page, origin, query);
    } else if (call == QLatin1String("part")) {
        dialogs_.Part(job, page, origin, query);
    } else if (call == QLatin1String("nowindow")) {
        LegacyDialog::ForgetWindow(page);
        Reply(job, QString());
    } else if (call == QLatin1String("source")) {
        // A page's own markup, to a document of the same origin only.
        const QUrl url(value("url"));
        const auto source = origins::Of(url) == origin ? CharsetProxy::RecentPage(url.toString()) : std::nullopt;
        if (!source) return job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        auto decoder = QStringDecoder(value("charset").toLatin1().constData());
        Reply(job, decoder.isValid() ? decoder.decode(*source) : QString::fromUtf8(*source));
    } else if (call == QLatin1String("vbscript")) {
        Reply(job, vbscript::InterpreterSource());
    } else if (call == QLatin1String("msgbox") || call == QLatin1String("inputbox")) {
        AskForScript(job, page, call == QLatin1String("msgbox"), value("text"), value("title"),
                     value(call == QLatin1String("msgbox") ? "buttons" : "value"));
    } else if (call == QLatin1String("measure") || call == QLatin1String("place") || call == QLatin1String("close")) {
        // A dialog answers its own page only.
        LegacyDialog* dialog = LegacyDialog::Find(value("dialog").toInt());
        if (dialog && dialog->browser()->page() != page) dialog = nullptr;
        if (dialog && call == QLatin1String("place")) dialog->Place(value("side"), value("value"));
        if (dialog && call == QLatin1String("close")) dialog->CloseWith(value("value"));
        Reply(job, dialog && call != QLatin1String("close") ? QString::number(dialog->Measure(value("side"))) : QString());
    } else {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    }
}

// The old control let a page write the clipboard; it asked the user before a
// page read it. A refusal fails the request, so the page reads nothing.
void ProgramCalls::Clipboard(QWebEngineUrlRequestJob* job, BrowserPage* page, const QString& origin,
                             const QString& op, const QString& text) {
    if (op == QLatin1String("write")) {
        QGuiApplication::clipboard()->setText(text);
        return Reply(job, QString());
    }
    if (op != QLatin1String("read")) return job->fail(QWebEngineUrlRequestJob::UrlNotFound);
    if (!clipboardAnswers_.contains(page)) {
        QObject::connect(page, &QObject::destroyed, this, [this, page] { clipboardAnswers_.remove(page); });
        // A new document asks again.
        QObject::connect(page, &QWebEnginePage::loadStarted, this, [this, page] { clipboardAnswers_[page].clear(); });
        clipboardAnswers_.insert(page, {});
    }
    std::optional<bool> allowed;
    if (clipboardAnswers_[page].contains(origin)) allowed = clipboardAnswers_[page].value(origin);
    if (!allowed) {
        QWidget* parent = ViewOf(page) ? ViewOf(page)->window() : nullptr;
        QPointer<QWebEngineUrlRequestJob> pending(job);  // the page may go while the user thinks
        QPointer<BrowserPage> asking(page);
        allowed = prompts::AskYesNo(parent,
                                    QStringLiteral("此网页要读取剪贴板中的内容。允许吗？\n\n网站：%1").arg(origin),
                                    QStringLiteral("剪贴板"), false);
        if (asking) clipboardAnswers_[page].insert(origin, *allowed);
        if (!pending) return;
    }
    if (*allowed)
        Reply(job, QGuiApplication::clipboard()->text());
    else
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
}

}  // namespace lumaro
