#pragma once

#include <QObject>

class QWebEngineView;

namespace lumaro {

// Page zoom in the steps common browsers use: Ctrl + + (or Ctrl + =) one step
// up, Ctrl + - one step down, Ctrl + 0 back to 100 %. Ctrl + wheel, which the
// engine handles itself, goes through the same steps.
class BrowserZoom : public QObject {
    Q_OBJECT
public:
    explicit BrowserZoom(QWebEngineView* browser);

    void In();
    void Out();
    void Reset();

private:
    QWebEngineView* browser_;
};

}  // namespace lumaro
