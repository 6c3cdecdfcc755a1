#pragma once

#include <QWidget>

class QWebEngineProfile;

namespace lumaro {

class WebBrowser;

// A plain window of the program's for pages that open a new window
// (target=_blank links, window.open). It shares the opener's profile, so the
// web application's login carries over; its caption follows the page title.
// It deletes itself when closed.
class BrowserWindow : public QWidget {
    Q_OBJECT
public:
    explicit BrowserWindow(QWebEngineProfile* profile);
    ~BrowserWindow() override;

    WebBrowser* browser() const { return browser_; }

private:
    void UpdateCaption();

    WebBrowser* browser_;
};

}  // namespace lumaro
