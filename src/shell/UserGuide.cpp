#include "shell/UserGuide.h"

#include <QDir>
#include <QPointer>
#include <QUrl>

#include "config/Failure.h"
#include "config/mdlINI.h"
#include "platform/Platform.h"
#include "shell/browser/BrowserProfile.h"
#include "shell/browser/BrowserWindow.h"
#include "shell/browser/WebBrowser.h"
#include "ui/WindowKit.h"

namespace lumaro {

std::string UserGuidePath() {
    return ui::S(QDir::cleanPath(ui::Q(GetAppFolder() + "../share/lumaro/help/index.html")));
}

void ShowUserGuide() {
    static QPointer<BrowserWindow> window;
    const std::string guide = UserGuidePath();
    if (!platform::FileExists(guide)) throw Fault(53, "文件未找到：" + guide);
    if (!window) {
        window = new BrowserWindow(BrowserProfile::Get());
        window->browser()->Navigate(QUrl::fromLocalFile(ui::Q(guide)).toString());
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace lumaro
