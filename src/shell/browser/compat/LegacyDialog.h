#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>
#include <optional>

class QWebEngineProfile;

namespace lumaro {

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
// page's title for caption. It ends with the page's returnValue as JSON
// (empty for undefined): the page closed it, or the user did, after the
// value set so far has been read. It deletes itself once closed.
class LegacyDialog : public QDialog {
    Q_OBJECT
public:
    LegacyDialog(QWidget* owner, QWebEngineProfile* profile, const DialogFeatures& features,
                 const QString& argumentsJson, bool modal);
    ~LegacyDialog() override;

    void Open(const QUrl& url);
    // The page closes its dialog (window.close()) with this returnValue.
    void CloseWith(const QString& returnedJson);
    static LegacyDialog* Find(int id);
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
