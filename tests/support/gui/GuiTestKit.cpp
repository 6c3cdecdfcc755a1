#include "gui/GuiTestKit.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace lumaro::test {

MessageRecorder::MessageRecorder() {
    ui::SetMessageSink([this](const QString& text, const QString& title, ui::MsgIcon icon) {
        messages_.push_back({text, title, icon});
    });
}
MessageRecorder::~MessageRecorder() { ui::SetMessageSink({}); }

EndRecorder::EndRecorder() {
    ui::SetEndProgramHook([this] { ++count_; });
}
EndRecorder::~EndRecorder() { ui::SetEndProgramHook({}); }

bool WaitForImpl(const std::function<bool()>& done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

}  // namespace lumaro::test
