#pragma once

#include <QPoint>
#include <QString>
#include <QVariant>
#include <optional>

class QWebEngineView;

namespace lumaro::test {

// A user at the page a browser view shows: sees what it shows, points at its elements, clicks, hovers and types
// through the window system. Elements are named by a script expression giving the element, in the page or in
// one of its frames of the same site.
class PageUser {
public:
    explicit PageUser(QWebEngineView& view) : view_(view) {}

    // The value of `script` in the page's own world; an invalid value when the page does not answer in time
    // (it is waiting for a dialog) or the script throws.
    QVariant Js(const QString& script, int ms = 10000);
    // Until `condition`, a script expression, holds in the page.
    bool WaitFor(const QString& condition, int ms = 10000);
    // The middle of the element in the view, when it is shown.
    std::optional<QPoint> Where(const QString& element);

    bool Click(const QString& element, Qt::MouseButton button = Qt::LeftButton);
    bool Hover(const QString& element);
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void Type(const QString& text);

private:
    QWebEngineView& view_;
};

}  // namespace lumaro::test
