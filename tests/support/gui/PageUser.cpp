#include "gui/PageUser.h"

#include <QWebEnginePage>
#include <QWebEngineView>

#include "gui/GuiTestKit.h"

namespace lumaro::test {

QVariant PageUser::Js(const QString& script, int ms) {
    auto result = std::make_shared<std::optional<QVariant>>();
    view_.page()->runJavaScript(QStringLiteral("(function () { try { return (%1); } catch (e) { return null; } })()")
                                    .arg(script),
                                [result](const QVariant& value) { *result = value; });
    WaitUntil([&] { return result->has_value(); }, ms);
    return result->value_or(QVariant());
}

bool PageUser::WaitFor(const QString& condition, int ms) {
    return WaitUntil([&] { return Js(QStringLiteral("!!(%1)").arg(condition), ms).toBool(); }, ms);
}

std::optional<QPoint> PageUser::Where(const QString& element) {
    // Frames add their place in the page above them.
    const QVariant at = Js(QStringLiteral(
        "(function (el) {"
        "  if (!el || !el.getClientRects().length) return null;"
        "  var r = el.getBoundingClientRect(), x = r.left + r.width / 2, y = r.top + r.height / 2;"
        "  for (var w = el.ownerDocument.defaultView; w.frameElement; w = w.parent) {"
        "    var f = w.frameElement.getBoundingClientRect();"
        "    x += f.left + w.frameElement.clientLeft; y += f.top + w.frameElement.clientTop;"
        "  }"
        "  return [Math.round(x), Math.round(y)];"
        "})(%1)").arg(element));
    const QVariantList xy = at.toList();
    if (xy.size() != 2) return std::nullopt;
    return QPoint(xy[0].toInt(), xy[1].toInt());
}

bool PageUser::Click(const QString& element, Qt::MouseButton button) {
    const std::optional<QPoint> at = Where(element);
    if (!at) return false;
    MoveMouse(view_.focusProxy(), *at);
    test::Click(view_.focusProxy(), *at, button);
    return true;
}

bool PageUser::Hover(const QString& element) {
    const std::optional<QPoint> at = Where(element);
    if (!at) return false;
    // A hand on a mouse comes to rest in a few moves, not one.
    MoveMouse(view_.focusProxy(), *at - QPoint(2, 2));
    MoveMouse(view_.focusProxy(), *at);
    return true;
}

void PageUser::Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    PressKey(view_.window()->windowHandle(), key, modifiers);
}

void PageUser::Type(const QString& text) { test::Type(view_.window()->windowHandle(), text); }

}  // namespace lumaro::test
