#pragma once

#include <QDialog>
#include <QJsonObject>
#include <QString>
#include <QUrl>
#include <optional>

class QWebEnginePage;
class QWebEngineProfile;

namespace lumaro {

class BrowserPage;
class WebBrowser;

// The third argument of showModalDialog: "dialogWidth:300px;center:yes;...".
struct DialogFeatures {
    std::optional<int> width, height, left, top;  // pixels; size of the page area
    bool center = true;
    bool resizable = false;
    bool scroll = true;
    bool status = false;
};
DialogFeatures ParseDialogFeatures(const QString& features);

// A window opened by showModalDialog or showModelessDialog: the page in a
// program window without a taskbar entry, owned by the calling window, the
// page's title for caption. It ends with the page's returnValue as its layer
// encodes it (sharing.js; empty for undefined): the page closed it, or the
// user did, after the value set so far has been read. It deletes itself once
// closed.
//
// `link` is what the dialog's page has of its caller, for the layer's script:
// {origin, shared} for a modal dialog (the caller's origin; whether the page
// may ask the caller for its arguments), {live} for a modeless one the caller
// opened as a window of its own (dialogs.js).
class LegacyDialog : public QDialog {
    Q_OBJECT
public:
    LegacyDialog(QWidget* owner, QWebEngineProfile* profile, const DialogFeatures& features, const QJsonObject& link,
                 bool modal);
    ~LegacyDialog() override;

    // Shows the dialog with the page at `url`; Show without loading anything,
    // for a page its caller opens.
    void Open(const QUrl& url);
    void Show();
    // The next window `caller` opens (window.open of its layer) is a modeless
    // dialog with these features; ForgetWindow takes that back when no
    // window came. TakeWindow makes that dialog for BrowserPage::createWindow
    // and returns its page, or null when the window is no dialog.
    static void ExpectWindow(BrowserPage* caller, const DialogFeatures& features, const QJsonObject& link);
    static void ForgetWindow(BrowserPage* caller);
    static QWebEnginePage* TakeWindow(BrowserPage* caller);
    // The page closes its dialog (window.close()) with this returnValue.
    void CloseWith(const QString& returnedJson);
    static LegacyDialog* Find(int id);
    int id() const { return id_; }
    // window.dialogWidth and the like: "width", "height" (of the page area),
    // "left", "top" (of the window on the screen), in pixels.
    int Measure(const QString& side) const;
    void Place(const QString& side, const QString& value);

    WebBrowser* browser() const { return browser_; }

signals:
    void closedWith(const QString& returnedJson);

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;  // Esc: as the user closing it

private:
    void SetPageSize(QSize page);
    void KeepOnScreen();
    void ReadReturnValueAndClose();

    int id_;
    WebBrowser* browser_;
    DialogFeatures features_;
    int statusHeight_ = 0;
    bool finished_ = false;
    bool reading_ = false;
};

}  // namespace lumaro
