#include "shell/browser/compat/proxy/LocalAnswers.h"

#include "shell/LocalPages.h"

namespace lumaro::proxy::local {

QByteArray Answer(int status, const QByteArray& reason, const QByteArray& type, const QByteArray& body) {
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\nContent-Type: " + type +
           "\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n" + body;
}

QByteArray Unreachable(const QByteArray& authority, const QString& cause) {
    const std::string body = "<h1>无法访问此网站</h1><p><code>" + HtmlEscape(authority.toStdString()) + "</code> " +
                             cause.toStdString() + "。</p><p>请检查服务器是否运行、网址是否正确，然后刷新（F5）。</p>";
    return Answer(502, "Bad Gateway", "text/html; charset=utf-8",
                  QByteArray::fromStdString(LocalPage("无法访问此网站", body)));
}

QByteArray Refused(int status, const QByteArray& reason) {
    return Answer(status, reason, "text/plain; charset=utf-8", reason);
}

}  // namespace lumaro::proxy::local
