// The window kit every window uses: message boxes as the user sees them.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include "gui/GuiTestKit.h"
#include "ui/WindowKit.h"

namespace lumaro {
namespace {

// A real box (no sink): its width when shown, then closed with Enter.
int ShownWidth(const QString& text, const QString& title) {
    int width = 0;
    QTimer::singleShot(0, [&] {
        test::WaitUntil([] { return QApplication::activeModalWidget() != nullptr; });
        if (QWidget* box = QApplication::activeModalWidget()) {
            width = box->width();
            qobject_cast<QMessageBox*>(box)->accept();
        }
    });
    ui::MsgBox(nullptr, text, title);
    return width;
}

// A one-word alert under a long title still shows the whole title; long texts are not widened further.
TEST(MessageBoxTest, TheTitleIsNeverCutOff) {
    const QString title = QStringLiteral("来自网页的消息");
    QMessageBox measure;
    const int titleWidth = measure.fontMetrics().horizontalAdvance(title);
    EXPECT_GE(ShownWidth(QStringLiteral("好"), title), titleWidth + ui::TwipsX(1000));
    const QString longText(80, QChar(u'字'));
    EXPECT_LE(ShownWidth(longText, title), measure.fontMetrics().horizontalAdvance(longText) + ui::TwipsX(2500));
}

}  // namespace
}  // namespace lumaro
