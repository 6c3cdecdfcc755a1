// A modal dialog whose caller's page process ends while the dialog is open
// (a crash, the system ending it): what the dialog then does with the caller's
// objects fails at once with a clear error, instead of waiting for an answer
// that never comes, and the dialog still answers the user and closes.
//
// A program of its own: a page opened right after a page process was killed
// sometimes comes without the layer (the engine's doing), which would trouble
// the tests after this one.
#include <QApplication>
#include <csignal>
#include <gtest/gtest.h>

#include "core/TempDir.h"
#include "gui/GuiTestKit.h"
#include "gui/LayerTestKit.h"
#include "gui/TestHttpServer.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/LegacyDialog.h"

namespace lumaro {
namespace {

using test::Js;
using test::TestHttpServer;
using test::WaitUntil;

TEST(DialogCallerGone, WhatTheDialogDoesWithTheCallerFailsAtOnce) {
    const test::TempDir profiles;
    WebBrowser::SetProfileFolder(ui::Q(profiles.file("browser")));
    {
        TestHttpServer server;
        server.Route("/caller.asp", TestHttpServer::Html(QStringLiteral(
            "<form name=\"form1\"><input name=\"area\"></form>"
            "<script>showModalDialog('pick.asp', window, 'dialogWidth:200px;dialogHeight:100px');</script>")));
        server.Route("/pick.asp", TestHttpServer::Html(QStringLiteral("<title>选择区域</title>西湖区")));
        test::LayerProgram::Install(true, {server.Url(QString())});
        WebBrowser view;
        view.resize(400, 300);
        view.show();
        view.load(QUrl(server.Url(QStringLiteral("/caller.asp"))));  // it loads once its dialog has closed
        LegacyDialog* dialog = test::ShownDialog(true);
        ASSERT_TRUE(dialog);
        ASSERT_EQ(Js(*dialog->browser(), QStringLiteral("dialogArguments.document.form1.area.value")).toString(), "");

        bool ended = false;
        QObject::connect(view.page(), &QWebEnginePage::renderProcessTerminated, &view, [&] { ended = true; });
        ASSERT_EQ(::kill(view.page()->renderProcessPid(), SIGKILL), 0);
        ASSERT_TRUE(WaitUntil([&] { return ended; }));
        const QString use = QStringLiteral(
            "(function () { try { dialogArguments.document.form1.area.value = 'x'; return 'wrote'; }"
            " catch (e) { return e.message; } })()");
        EXPECT_EQ(Js(*dialog->browser(), use).toString(), "打开此对话框的网页已不在等待它，不能再使用那个网页的对象。");

        // Esc, as the user closes it.
        ASSERT_TRUE(test::ShowActive(dialog));
        dialog->browser()->setFocus();
        test::PressKey(dialog->windowHandle(), Qt::Key_Escape);
        EXPECT_TRUE(WaitUntil([] { return test::OpenLegacyDialogs() == 0; }));
    }
    WebBrowser::ReleaseProfile();
}

}  // namespace
}  // namespace lumaro
