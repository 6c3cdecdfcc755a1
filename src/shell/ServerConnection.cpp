#include "shell/ServerConnection.h"

#include <optional>
#include <QApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QUrl>

#include "config/Failure.h"
#include "config/ServerSettings.h"
#include "config/frmServer.h"
#include "config/mdlINI.h"
#include "platform/Platform.h"
#include "shell/ServerAddress.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/CompatLayer.h"
#include "ui/WindowKit.h"

namespace lumaro {

using ui::Q;
using ui::S;

// What the lookup service answered: the body, or why there is none.
struct ServerConnection::Lookup {
    bool answered = false;
    bool programEnding = false;  // the wait was cut short: the program is ending
    int httpStatus = 0;
    QString body;
    QString reason;
};

namespace {

const char* const Section = "ServerINFO";

std::string ReadServerInfo(const char* key) { return ReadIniString(ConfigFilePath, Section, key); }

void RunServerDialog(QWidget* owner) {
    frmServer dlg(owner);
    dlg.exec();
}

// The busy cursor for as long as the client waits for the lookup service.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

QString Seconds(std::chrono::milliseconds timeout) { return QString::number(timeout.count() / 1000.0); }

// The reply's text: GBK when the server declares a Chinese code page, UTF-8
// otherwise (the address itself is plain ASCII either way).
QString DecodeBody(const QByteArray& bytes, const QString& contentType) {
    const QString type = contentType.toLower();
    const qsizetype at = type.indexOf(QStringLiteral("charset="));
    if (at >= 0) {
        QString charset = type.mid(at + 8).section(QLatin1Char(';'), 0, 0).trimmed();
        charset.remove(QLatin1Char('"'));
        if (charset == QLatin1String("gbk") || charset == QLatin1String("gb2312") ||
            charset == QLatin1String("gb18030") || charset == QLatin1String("x-gbk") ||
            charset == QLatin1String("cp936"))
            return Q(platform::FromAnsi(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))));
    }
    return QString::fromUtf8(bytes);
}

// While the window waits for the lookup the user's clicks and keys are dropped,
// so no command starts while the connection is half done. The window still
// paints, and closing it still ends the program at once.
class UserInputDropped : public QObject {
public:
    UserInputDropped() { qApp->installEventFilter(this); }
    ~UserInputDropped() override { qApp->removeEventFilter(this); }
    UserInputDropped(const UserInputDropped&) = delete;
    UserInputDropped& operator=(const UserInputDropped&) = delete;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::ShortcutOverride:  // taken, so that no shortcut fires either
            event->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            // Left unhandled, so that the system's own keys (Alt+F4 on Windows) still close the window.
            event->ignore();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::DragEnter:
        case QEvent::Drop:
            event->ignore();
            return true;
        default:
            return false;
        }
    }
};

QString NetworkReason(const QNetworkReply& reply) {
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status / 100 == 3 && reply.error() != QNetworkReply::TooManyRedirectsError)
        return QStringLiteral("查询服务重定向到了不允许的地址：%1").arg(QString::fromUtf8(reply.rawHeader("Location")));
    // Our own words say it all; Qt's would only say it again ("连接被拒绝…（连接被拒绝）").
    QString reason;
    switch (reply.error()) {
    case QNetworkReply::ConnectionRefusedError: reason = QStringLiteral("连接被拒绝，查询服务没有运行"); break;
    case QNetworkReply::HostNotFoundError: reason = QStringLiteral("找不到查询服务的主机"); break;
    case QNetworkReply::RemoteHostClosedError: reason = QStringLiteral("查询服务在应答完成之前断开了连接"); break;
    case QNetworkReply::TooManyRedirectsError: reason = QStringLiteral("查询服务的重定向次数过多（重定向循环）"); break;
    case QNetworkReply::TimeoutError: reason = QStringLiteral("连接查询服务超时"); break;
    case QNetworkReply::SslHandshakeFailedError: reason = QStringLiteral("无法与查询服务建立安全连接"); break;
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError: reason = QStringLiteral("网络不可用"); break;
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
    case QNetworkReply::UnknownProxyError: reason = QStringLiteral("代理服务器错误"); break;
    default: {
        const QString detail = reply.errorString();
        return detail.isEmpty() ? QStringLiteral("网络错误") : QStringLiteral("网络错误（%1）").arg(detail);
    }
    }
    return reason;
}

// An HTTP answer, an error status included (its body may still carry the
// address); a transfer that failed underneath (a connection closed mid-body,
// a redirect refused or going round in circles) is none.
bool IsHttpAnswer(const QNetworkReply& reply) {
    using E = QNetworkReply::NetworkError;
    const E error = reply.error();
    const bool statusError = (error >= E::ContentAccessDenied && error <= E::UnknownContentError) ||
                             error == E::ProtocolInvalidOperationError ||  // 400
                             (error >= E::InternalServerError && error <= E::UnknownServerError);
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid() && (error == E::NoError || statusError);
}

// A long address from a hostile or broken reply is cut for the page.
QString Shortened(const QString& text) {
    constexpr qsizetype limit = 200;
    return text.size() <= limit ? text : text.left(limit) + QStringLiteral("…");
}

// The text a reply's page shows, without its markup, on one line.
QString ServiceWords(const QString& body) {
    return Shortened(QTextDocumentFragment::fromHtml(body).toPlainText().simplified());
}

}  // namespace

ServerConnection::ServerConnection(QWidget* window) : window_(window) {}
ServerConnection::~ServerConnection() = default;

void ServerConnection::SetLookupTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }

void ServerConnection::SetDialogRunner(DialogRunner runner) { dialogRunner_ = std::move(runner); }

// One HTTP GET of the lookup URL, bounded in time and size.
ServerConnection::Lookup ServerConnection::FetchLookup(const QString& url) {
    Lookup result;
    const QUrl target(Q(AddressBarUrl(S(url))), QUrl::TolerantMode);
    const QString scheme = target.scheme().toLower();
    if (!target.isValid() || target.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        result.reason = QStringLiteral("查询地址不是有效的 http 或 https 地址");
        return result;
    }
    if (!network_) network_ = std::make_unique<QNetworkAccessManager>();

    QNetworkReply* reply = network_->get(QNetworkRequest(target));

    QByteArray body;
    bool timedOut = false;
    bool full = false;
    auto take = [&] {
        if (full || !reply->isOpen()) return;
        body += reply->read(MaxLookupReply - body.size());
        if (body.size() >= MaxLookupReply) {
            full = true;
            reply->abort();
        }
    };
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, take);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    {
        BusyCursor busy;
        UserInputDropped dropped;
        deadline.start(timeout_);
        if (!reply->isFinished()) loop.exec();
        deadline.stop();
    }
    // The loop also ends when the program is ending (every event loop is told to).
    if (!reply->isFinished()) {
        result.programEnding = true;
        reply->abort();
        reply->deleteLater();
        return result;
    }
    take();

    if (full || (!timedOut && IsHttpAnswer(*reply))) {
        result.answered = true;
        result.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        result.body = DecodeBody(body, reply->header(QNetworkRequest::ContentTypeHeader).toString());
    } else if (timedOut || reply->error() == QNetworkReply::TimeoutError) {
        result.reason = QStringLiteral("查询服务在 %1 秒内没有应答").arg(Seconds(timeout_));
    } else {
        result.reason = NetworkReason(*reply);
    }
    reply->deleteLater();
    return result;
}

void ServerConnection::Connect(WebBrowser& browser) {
    // The wait for the lookup runs an event loop; a second connection started
    // from it (e.g. by a window activation) would interleave with this one.
    if (busy_) return;
    busy_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{busy_};

    SuppressedSteps steps;
    // Every call starts from nothing: a failed lookup must not leave the
    // previous URL behind to be extended a second time.
    ServerIP.clear();
    DynasetIP = 0;
    ServerID.clear();
    WebRoot.clear();
    WebURL.clear();

    auto readAll = [&](bool normalizeId) {
        steps.Run([&] { ServerIP = Q(ReadServerInfo("ServerIP")); });
        steps.Run([&] { DynasetIP = DynasetValue(ReadServerInfo("DynasetIP")); });
        steps.Run([&] {
            const std::string stored = ReadServerInfo("ServerID");
            ServerID = Q(normalizeId ? NormalizeServerId(stored) : stored);
        });
        steps.Run([&] { WebRoot = Q(ReadServerInfo("WebRoot")); });
    };

    readAll(true);
    bool ask = false;
    steps.Run([&] { ask = ServerIP.isEmpty() || ServerID.isEmpty(); });
    if (ask) {
        steps.Run([&] {
            if (dialogRunner_)
                dialogRunner_(window_);
            else
                RunServerDialog(window_);
        });
        readAll(false);
    }

    QString lookupUrl;
    std::optional<QString> failure;  // why no address could be looked up
    bool programEnding = false;
    steps.Run([&] {
        if (DynasetIP == 0) {
            WebURL = ServerIP;
            return;
        }
        lookupUrl = Q(ComposeLookupUrl(S(ServerIP), S(ServerID)));
        const Lookup reply = FetchLookup(lookupUrl);
        programEnding = reply.programEnding;
        if (!reply.answered) {
            failure = reply.reason;
            return;
        }
        // Blanks and line breaks around the address are how the service wrote its page, not part of it.
        const QString address = Q(TrimAddress(GetTextBetween(S(reply.body), "<IP>", "</IP>")));
        if (address.isEmpty()) {
            if (reply.httpStatus >= 400)
                failure = QStringLiteral("查询服务应答 HTTP %1 错误，其中没有服务器地址").arg(reply.httpStatus);
            else if (reply.body.contains(QLatin1String("<IP>"), Qt::CaseInsensitive))
                failure = QStringLiteral("查询服务的应答中服务器地址为空或不完整");
            else
                failure = QStringLiteral("查询服务的应答中没有服务器地址（没有 <IP>…</IP> 标记）");
            // What the service itself says (an unknown 服务器ID, say) tells the clerk most.
            if (const QString words = ServiceWords(reply.body); !words.isEmpty())
                *failure += QStringLiteral("。查询服务说：") + words;
        } else if (!IsAcceptableLookedUpAddress(S(address))) {
            failure = QStringLiteral("查询服务给出的地址“%1”不是 http 或 https 地址").arg(Shortened(address));
        } else if (!WebBrowser::AddressUrl(address).isValid()) {
            failure = QStringLiteral("查询服务给出的地址“%1”不是有效的网址").arg(Shortened(address));
        } else {
            WebURL = address;
        }
    });

    if (programEnding) return;
    if (failure) {
        steps.Run([&] { browser.ShowLocalPage(Q(LookupFailurePage(S(lookupUrl), S(*failure)))); });
        return;
    }
    steps.Run([&] { WebURL = Q(ComposeWebUrl(S(WebURL), S(WebRoot), ReadServerInfo("DBName"))); });
    steps.Run([&] {
        // The agency's server: its pages get the old browser's ways.
        CompatLayer::SetServer(WebBrowser::AddressUrl(WebURL));
        browser.Navigate(WebURL);
    });
}

}  // namespace lumaro
