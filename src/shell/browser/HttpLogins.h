#pragma once

#include <QMap>
#include <QSet>
#include <QString>

class QAuthenticator;
class QUrl;
class QWidget;

namespace lumaro {

// Answers a page's HTTP log-ins (a server asking for user name and password).
// A log-in remembered in the desktop's keyring (记住密码) is given without
// asking, also after a restart; one the server refuses is asked for again,
// the box saying so, and what is then typed replaces it.
class HttpLogins {
public:
    // Fills `authenticator` for `url`, or leaves it null to cancel the log-in.
    void Answer(QWidget* parent, const QUrl& url, QAuthenticator* authenticator);
    // A proxy's log-in: asked every time, never remembered.
    void AnswerProxy(QWidget* parent, const QUrl& proxy, QAuthenticator* authenticator);
    // The page finished loading: a later request for a log-in is a fresh one.
    void LoadFinished() { answered_.clear(); }

private:
    QSet<QString> answered_;       // log-ins answered during this load
    QMap<QString, QString> users_; // the user name last given for each
};

}  // namespace lumaro
