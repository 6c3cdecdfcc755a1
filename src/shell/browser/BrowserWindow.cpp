#include "shell/browser/BrowserWindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "shell/browser/BrowserPage.h"
#include "shell/browser/WebBrowser.h"
#include "ui/WindowKit.h"

namespace lumaro {

BrowserWindow::BrowserWindow(QWebEngineProfile* profile) : QWidget(nullptr), browser_(new WebBrowser(profile, this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(ui::AppIcon());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableSize() : QSize(1024, 768);
    resize(available.width() * 3 / 4, available.height() * 3 / 4);

    QWebEnginePage* page = browser_->page();
    connect(page, &QWebEnginePage::titleChanged, this, &BrowserWindow::UpdateCaption);
    connect(page, &QWebEnginePage::urlChanged, this, &BrowserWindow::UpdateCaption);
    connect(browser_->browserPage(), &BrowserPage::closeRequested, this, &QWidget::close);
    // window.open(url, name, "width=...,height=...") asks for a size and place.
    connect(page, &QWebEnginePage::geometryChangeRequested, this, [this](const QRect& geometry) {
        if (geometry.width() > 0 && geometry.height() > 0) resize(geometry.size());
        if (!geometry.topLeft().isNull()) move(geometry.topLeft());
    });
}

BrowserWindow::~BrowserWindow() = default;

void BrowserWindow::UpdateCaption() {
    const QString title = browser_->page()->title();
    setWindowTitle(title.isEmpty() ? browser_->page()->url().toDisplayString() : title);
}

}  // namespace lumaro
