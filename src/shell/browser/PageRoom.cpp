#include "shell/browser/PageRoom.h"

#include <QVariant>
#include <QWidget>

namespace lumaro {
namespace {
const char* const kRoom = "lumaroPageRoom";
}  // namespace

void ReservePageRoom(QWidget* bar, int height) {
    bar->setProperty(kRoom, height);
    QWidget* view = bar->parentWidget();
    int top = 0;
    for (QObject* child : view->children()) {
        auto* other = qobject_cast<QWidget*>(child);
        if (!other || !other->property(kRoom).isValid()) continue;
        const int room = other->property(kRoom).toInt();
        if (room <= 0) continue;
        other->move(other->x(), top);
        top += room;
    }
    view->setContentsMargins(0, top, 0, 0);
    // The page's surface does not follow the margins by itself.
    if (QWidget* page = view->focusProxy()) page->setGeometry(view->contentsRect());
}

}  // namespace lumaro
