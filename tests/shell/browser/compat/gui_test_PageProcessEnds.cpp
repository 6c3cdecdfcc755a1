// What the layer does when a page process ends while the program runs (a
// crash, the system ending it). A program of its own, as its tests kill page
// processes of the engine the other tests share.
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

class PageProcessEnds : public ::testing::Test {
protected:
    static void SetUpTestSuite() { WebBrowser::SetProfileFolder(ui::Q(profiles.file("browser"))); }
    static void TearDownTestSuite() { WebBrowser::ReleaseProfile(); }
    static inline test::TempDir profiles;
    TestHttpServer server;
};

// Kills the page process of `view` and waits until the view knows.
void EndPageProcess(WebBrowser& view) {
    bool ended = false;
    QObject::connect(view.page(), &QWebEnginePage::renderProcessTerminated, &view, [&] { ended = true; });
    ASSERT_EQ(::kill(view.page()->renderProcessPid(), SIGKILL), 0);
    ASSERT_TRUE(WaitUntil([&] { return ended; }));
}

// A modal dialog whose caller's page process ends while the dialog is open:
// what the dialog then does with the caller's objects fails at once with a
// clear error, instead of waiting for an answer that never comes, and the
// dialog still answers the user and closes.
TEST_F(PageProcessEnds, WhatADialogDoesWithItsGoneCallerFailsAtOnce) {
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

    ASSERT_NO_FATAL_FAILURE(EndPageProcess(view));
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

// The pages opened after a page process ended, in new views as in the one
// that showed it, have the layer as every page of the server does: the
// engine starts their process afresh and must hand it the layer again.
TEST_F(PageProcessEnds, PagesOpenedAfterwardsHaveTheLayer) {
    server.Route("/list.asp", TestHttpServer::Html(QStringLiteral("<p>房源列表</p>")));
    test::LayerProgram::Install(true, {server.Url(QString())});
    const QUrl list(server.Url(QStringLiteral("/list.asp")));
    const auto hasLayer = [](WebBrowser& view) {
        return Js(view, QStringLiteral("typeof window.ActiveXObject + ' ' + typeof window.__lumaroIE")).toString();
    };
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        WebBrowser view;
        view.resize(400, 300);
        view.show();
        ASSERT_TRUE(test::OpenPage(view, list, false));
        ASSERT_NO_FATAL_FAILURE(EndPageProcess(view));

        WebBrowser next;
        next.resize(400, 300);
        next.show();
        ASSERT_TRUE(test::OpenPage(next, list, false));
        EXPECT_EQ(hasLayer(next), "function object");
        ASSERT_TRUE(test::OpenPage(view, list, false));  // reloaded where it ended
        EXPECT_EQ(hasLayer(view), "function object");
    }
}

}  // namespace
}  // namespace lumaro
