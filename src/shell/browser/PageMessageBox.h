#pragma once

#include <optional>
#include <QString>

class QWidget;

// The boxes of a page's alert(), confirm() and prompt(), titled "来自网页的消息"
// and answered with 确定 and 取消 as the old browser control had them (pages of
// that time tell the clerk to "点击确定"). A text longer than the screen has
// room for scrolls inside the box; the buttons stay in view. Enter is 确定,
// Esc 取消.
namespace lumaro::pagebox {

void Alert(QWidget* parent, const QString& text);
bool Confirm(QWidget* parent, const QString& text);
// The line typed in answer, `proposal` given and selected; nullopt for 取消.
std::optional<QString> Prompt(QWidget* parent, const QString& text, const QString& proposal);

}  // namespace lumaro::pagebox
