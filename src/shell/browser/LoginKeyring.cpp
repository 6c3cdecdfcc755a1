#include "shell/browser/LoginKeyring.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <qt6keychain/keychain.h>

namespace lumaro::keyring {
namespace {

const QString kService = QStringLiteral("Lumaro 网站登录");

// Runs a keychain job to its end.
void RunToEnd(QKeychain::Job& job) {
    job.setAutoDelete(false);
    QEventLoop done;
    QObject::connect(&job, &QKeychain::Job::finished, &done, &QEventLoop::quit);
    job.start();
    done.exec();
}

}  // namespace

bool Available() {
    // Without a session bus the keyring libraries would try to start one of their own, which outlives us.
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(QDir(runtime).filePath(QStringLiteral("bus")));
}

std::optional<prompts::Credentials> Recall(const QString& key) {
    if (!Available()) return std::nullopt;
    QKeychain::ReadPasswordJob job(kService);
    job.setKey(key);
    RunToEnd(job);
    if (job.error() != QKeychain::NoError) return std::nullopt;
    const QJsonObject login = QJsonDocument::fromJson(job.textData().toUtf8()).object();
    if (!login.contains(QStringLiteral("user"))) return std::nullopt;
    return prompts::Credentials{login.value(QStringLiteral("user")).toString(),
                                login.value(QStringLiteral("password")).toString(), true};
}

bool Remember(const QString& key, const prompts::Credentials& login, QString* why) {
    if (!Available()) {
        if (why) *why = QStringLiteral("桌面没有可用的密钥环");
        return false;
    }
    QKeychain::WritePasswordJob job(kService);
    job.setKey(key);
    const QJsonObject stored{{QStringLiteral("user"), login.user}, {QStringLiteral("password"), login.password}};
    job.setTextData(QString::fromUtf8(QJsonDocument(stored).toJson(QJsonDocument::Compact)));
    RunToEnd(job);
    if (job.error() == QKeychain::NoError) return true;
    if (why) *why = job.errorString();
    return false;
}

void Forget(const QString& key) {
    if (!Available()) return;
    QKeychain::DeletePasswordJob job(kService);
    job.setKey(key);
    RunToEnd(job);
}

}  // namespace lumaro::keyring
