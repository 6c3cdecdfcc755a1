#pragma once

#include <QString>

class QWebEngineProfile;
class QWebEnginePage;

namespace lumaro {

// The program's own browser profile "Lumaro": disk cache and cookies kept in a
// folder of the program's, so logins to the web application survive a restart.
//
// Lifetime: WebEngine wants every page gone before its profile. The profile
// is created on first use and released when the application's event loop
// ends (aboutToQuit), while every window is still whole: the browser windows
// pages opened are closed, every page left (the main window's included) is
// deleted, then the profile, which writes its cookies out. The main window's
// browser is destroyed afterwards without a page. Nothing is done later, in
// ~QApplication: Qt Quick, which draws the pages, is already partly gone then.
// Without an event loop (tests) Release is called directly; a profile never
// released is still closed by WebEngine at exit.
class BrowserProfile {
public:
    static QWebEngineProfile* Get();

    // The folder for the next profile created: cookies, local storage and,
    // under "cache", the HTTP cache. Empty: the user's application data
    // folder + "/browser".
    static void SetStorageFolder(const QString& folder);
    static QString StorageFolder();

    // Closes the browser windows, deletes the profile's pages, then the
    // profile; the next Get() makes a fresh one (from the folder's contents).
    static void Release();

    // Pages announce themselves so Release can delete any left behind.
    static void AddPage(QWebEnginePage* page);
    static void RemovePage(QWebEnginePage* page);
};

}  // namespace lumaro
