#include "shell/browser/BrowserProfile.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QSet>
#include <QStandardPaths>
#include <QWebEnginePage>
#include <QWebEngineProfile>

#include "shell/browser/BrowserLanguage.h"
#include "shell/browser/BrowserWindow.h"
#include "shell/browser/DownloadHandler.h"
#include "shell/browser/compat/CompatLayer.h"

namespace lumaro {
namespace {

struct ProfileState {
    QPointer<QWebEngineProfile> profile;
    QString folder;
    QSet<QWebEnginePage*> pages;
    bool quitHooked = false;
};

ProfileState& State() {
    static ProfileState state;
    return state;
}

}  // namespace

QWebEngineProfile* BrowserProfile::Get() {
    ProfileState& state = State();
    if (state.profile) return state.profile;

    // Before the engine starts with the first profile: both pass it switches.
    SpeakChineseInBrowser();
    CompatLayer::Start();
    const QString folder = StorageFolder();
    QDir().mkpath(folder);
    auto* profile = new QWebEngineProfile(QStringLiteral("Lumaro"));
    profile->setPersistentStoragePath(folder);
    profile->setCachePath(QDir(folder).filePath(QStringLiteral("cache")));
    profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    // The web application's session cookies too: staff stay logged in across restarts.
    profile->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    profile->setDownloadPath(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation));
    // Staff read Chinese: web applications that can choose should answer in it.
    profile->setHttpAcceptLanguage(QStringLiteral("zh-CN,zh;q=0.9"));
    new DownloadHandler(profile);
    CompatLayer::InstallInProfile(profile);
    state.profile = profile;

    if (!state.quitHooked) {
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, &BrowserProfile::Release);
        state.quitHooked = true;
    }
    return profile;
}

void BrowserProfile::SetStorageFolder(const QString& folder) { State().folder = folder; }

QString BrowserProfile::StorageFolder() {
    if (!State().folder.isEmpty()) return State().folder;
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/browser");
}

void BrowserProfile::Release() {
    ProfileState& state = State();
    if (!state.profile) return;
    // Windows first (each takes its browser and page along), then any page
    // whose owner forgot it, then the profile.
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<BrowserWindow*>(widget)) delete window;
    const QSet<QWebEnginePage*> pages = state.pages;
    for (QWebEnginePage* page : pages)
        if (page->profile() == state.profile) delete page;
    delete state.profile.data();
}

void BrowserProfile::AddPage(QWebEnginePage* page) { State().pages.insert(page); }
void BrowserProfile::RemovePage(QWebEnginePage* page) { State().pages.remove(page); }

}  // namespace lumaro
