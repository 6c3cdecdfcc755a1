#include "shell/browser/HttpLogins.h"

#include <QAuthenticator>
#include <QUrl>

#include "shell/browser/BrowserPrompts.h"
#include "shell/browser/LoginKeyring.h"
#include "ui/WindowKit.h"

namespace lumaro {
namespace {

// A log-in belongs to a server (scheme, host and port) and the realm it names.
QString LoginKey(const QUrl& url, const QString& realm) {
    return url.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::RemoveUserInfo).toString() +
           QStringLiteral(" ") + realm;
}

void Fill(QAuthenticator* authenticator, const prompts::Credentials& login) {
    authenticator->setUser(login.user);
    authenticator->setPassword(login.password);
}

}  // namespace

void HttpLogins::Answer(QWidget* parent, const QUrl& url, QAuthenticator* authenticator) {
    const QString key = LoginKey(url, authenticator->realm());
    // Asked again for the same log-in while the page loads: the server refused the last answer.
    const bool refused = answered_.contains(key);
    answered_.insert(key);
    const std::optional<prompts::Credentials> kept = keyring::Recall(key);
    if (kept && !refused) {
        users_[key] = kept->user;
        Fill(authenticator, *kept);
        return;
    }
    prompts::LoginRequest request{url, authenticator->realm(), refused, kept ? kept->user : users_.value(key)};
    request.canRemember = keyring::Available();
    request.remember = kept.has_value();
    const auto login = prompts::AskCredentials(parent, request);
    if (!login) {
        *authenticator = QAuthenticator();  // a null authenticator cancels the log-in
        return;
    }
    users_[key] = login->user;
    if (login->remember) {
        QString why;
        if (!keyring::Remember(key, *login, &why))
            ui::MsgBox(parent, QStringLiteral("无法记住密码：%1").arg(why), QStringLiteral("记住密码"), ui::MsgIcon::Warning);
    } else if (kept) {
        keyring::Forget(key);  // 记住密码 cleared: the remembered one goes
    }
    Fill(authenticator, *login);
}

void HttpLogins::AnswerProxy(QWidget* parent, const QUrl& proxy, QAuthenticator* authenticator) {
    prompts::LoginRequest request{proxy, authenticator->realm()};
    request.offerRemember = false;
    const auto login = prompts::AskCredentials(parent, request);
    if (!login) {
        *authenticator = QAuthenticator();
        return;
    }
    Fill(authenticator, *login);
}

}  // namespace lumaro
