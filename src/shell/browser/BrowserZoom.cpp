#include "shell/browser/BrowserZoom.h"

#include <QAction>
#include <QKeySequence>
#include <QWebEngineView>
#include <algorithm>
#include <functional>
#include <iterator>

namespace lumaro {
namespace {

// The engine's own steps (those of Ctrl + wheel), from 25 % to 500 %.
constexpr double kLevels[] = {0.25, 1 / 3.0, 0.5, 2 / 3.0, 0.75, 0.8, 0.9, 1.0,
                              1.1,  1.25,    1.5, 1.75,    2.0,  2.5, 3.0, 4.0, 5.0};
constexpr double kSlack = 0.001;

}  // namespace

BrowserZoom::BrowserZoom(QWebEngineView* browser) : QObject(browser), browser_(browser) {
    const std::pair<QList<QKeySequence>, void (BrowserZoom::*)()> keys[] = {
        {{QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}, &BrowserZoom::In},
        {{QKeySequence::ZoomOut}, &BrowserZoom::Out},
        {{QKeySequence(Qt::CTRL | Qt::Key_0)}, &BrowserZoom::Reset},
    };
    for (const auto& [sequences, step] : keys) {
        auto* action = new QAction(browser_);
        action->setShortcuts(sequences);
        connect(action, &QAction::triggered, this, step);
        browser_->addAction(action);
    }
}

void BrowserZoom::In() {
    const double now = browser_->zoomFactor();
    const auto next = std::find_if(std::begin(kLevels), std::end(kLevels), [&](double l) { return l > now + kSlack; });
    if (next != std::end(kLevels)) browser_->setZoomFactor(*next);
}

void BrowserZoom::Out() {
    const double now = browser_->zoomFactor();
    const auto previous =
        std::find_if(std::rbegin(kLevels), std::rend(kLevels), [&](double l) { return l < now - kSlack; });
    if (previous != std::rend(kLevels)) browser_->setZoomFactor(*previous);
}

void BrowserZoom::Reset() { browser_->setZoomFactor(1.0); }

}  // namespace lumaro
