// Real client code of the Internet Explorer years that nobody on this project wrote (trees, menus, a sortable
// table, tab strips, an editor with its dialogs, calendars, XML and Ajax helpers), kept byte for byte in corpus/
// with its sources and licences (corpus/SOURCES.md), served as an IIS server of the time served it: each file
// as it is, a type by extension, no charset. A user drives each as its documentation shows, with real clicks,
// hovers and keys, and the test reads what the user then sees.
//
// With the compatibility layer every artefact must work; one that works without the layer must work with it.
// An artefact the layer cannot run yet carries a known-failure mark with the reason: it is expected to fail with
// the layer, and the test fails as soon as it works, so that the mark goes.
#include <QRegularExpression>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>

#include "CorpusUses.h"
#include "core/TempDir.h"
#include "gui/GuiTestKit.h"
#include "gui/IisFolder.h"
#include "gui/LayerTestKit.h"
#include "gui/TestHttpServer.h"
#include "shell/browser/WebBrowser.h"
#include "ui/WindowKit.h"

namespace lumaro {
namespace {

using corpus::Visit;

struct Artefact {
    const char* name;
    const char* entry;  // the page the user opens, under corpus/
    // What the user does there; returns what the user then sees.
    std::function<QString(Visit&)> use;
    const char* sees;  // what the user must see: it is part of what use() returns
    const char* knownFailure = nullptr;  // why it fails with the layer today
};
void PrintTo(const Artefact& artefact, std::ostream* out) { *out << artefact.name; }

using namespace corpus;  // what the user does with each

const Artefact kCorpus[] = {
    {"dTree", "dtree/example01.html", OpenTreeNode, "Node 1.1"},
    {"xTree", "xtree/index.asp", WalkTreeByKeys, "selected: 二手房"},
    {"SortableTable", "sortabletable/index.asp", SortByPrice, "A-1031 C-0315 A-1024 B-2007"},
    {"TabPane", "tabpane/index.asp", ChooseTab, "业主：王先生 电话：13800138000"},
    {"htmlAreaColour", "htmlarea/example.html", ColourTextRed, "选择颜色: rgb(255, 0, 0)"},
    {"htmlAreaTable", "htmlarea/example.html", InsertTable, "插入表格: tables 1"},
    {"JSCookMenu", "jscookmenu/index.asp", ChooseFromMenuBar, "类别: 出租"},
    {"DhtmlCalendar", "jscalendar/index.asp", PickDate, "看房日期: 2004-03-15"},
    {"AjaxRequest", "ajaxrequest/index.asp", QueryHouse, "翠苑一区 3室2厅 89.5平方米 总价156万"},
    {"BinaryAjaxExif", "exif/example/index.html", ReadExif, "I was taken by a NIKON E4600"},
    {"SarissaMinesweeper", "sarissa/sample-apps/minesweeper/index.html", StartMinesweeper, "squares: 225"},
    {"XmlExtras", "xmlextras/demo.html", LoadXmlTree, "<tree"},
    {"WzTooltip", "wz_tooltip/index.asp", ShowTooltip, "翠苑一区 3室2厅 业主急售"},

    // ---- ours, in the idiom of code found without a licence
    {"OursFrameCalendar", "ours/webcalendar.asp", PickDateInFrame, "看房日期: 2004-03-15"},
    {"OursBytes2BSTR", "ours/bytes2bstr.asp", QueryHouse, "翠苑一区 3室2厅 89.5平方米 总价156万"},
    {"OursVBScriptOnClick", "ours/vbsave.asp", SaveWithoutPrice, "请填写总价！"},
    {"OursBinaryAjaxVBScriptHelpers", "ours/binaryhelpers.asp", ReadJpegHeader, "长度 32641 开头 ffd8 第七字节 J"},
    {"OursDialogGetsTheWindow", "ours/dialogwindow.asp", PickAreaInDialog, "西湖区 / 西湖区（已选）"},
    {"OursWebBrowserPreview", "ours/printpreview.asp", PreviewPrintout, "print:preview"},
    {"OursCreatePopupMenu", "ours/popupmenu.asp", MarkFromContextMenu, "状态: 已售"},
};

class CorpusTest : public ::testing::TestWithParam<Artefact> {
protected:
    static void SetUpTestSuite() {
        WebBrowser::SetProfileFolder(ui::Q(profiles.file("browser")));
        // The pages' script errors, with where they happened, dialogs included, for whoever makes the layer run them.
        QWebEngineScript errors;
        errors.setName(QStringLiteral("corpus-errors"));
        errors.setInjectionPoint(QWebEngineScript::DocumentCreation);
        errors.setWorldId(QWebEngineScript::MainWorld);
        errors.setRunsOnSubFrames(true);
        errors.setSourceCode(QStringLiteral(
            "window.addEventListener('error', function (e) {"
            " console.error('[corpus] ' + e.filename + ':' + e.lineno + ': ' + e.message); });"));
        WebBrowser::ProgramProfile()->scripts()->insert(errors);
    }
    static void TearDownTestSuite() { WebBrowser::ReleaseProfile(); }

    CorpusTest() { test::ServeAsIis(server, QStringLiteral(TEST_SOURCE_DIR "/corpus"), QStringLiteral("/corpus/")); }

    // What the user sees after using the artefact in a new browser, with the layer or without.
    QString Use(const Artefact& artefact, bool layer) {
        std::cout << "[corpus] " << artefact.name << (layer ? ", with the layer" : ", without the layer") << std::endl;
        test::LayerProgram::Install(layer, {server.Url(QString())});
        WebBrowser::ProgramProfile()->cookieStore()->deleteAllCookies();  // trees keep their state in cookies
        WebBrowser view;
        view.resize(1000, 700);
        view.show();
        view.activateWindow();
        view.setFocus();
        Visit visit(view, messages);
        test::OpenPage(view, QUrl(server.Url(QStringLiteral("/corpus/") + QLatin1String(artefact.entry))), true);
        return artefact.use(visit);  // a dialog left open goes with its caller
    }

    static inline test::TempDir profiles;
    test::TestHttpServer server;
    test::MessageRecorder messages;  // alerts of the pages
};

TEST_P(CorpusTest, WorksWithTheLayer) {
    const Artefact& artefact = GetParam();
    const QString with = Use(artefact, true);
    const QString without = Use(artefact, false);
    const bool works = with.contains(QString::fromUtf8(artefact.sees));
    const bool worksWithout = without.contains(QString::fromUtf8(artefact.sees));
    const auto line = [](QString seen) {
        return seen.replace(QRegularExpression(QStringLiteral("\\s*\n\\s*")), QStringLiteral(" / ")).toStdString();
    };
    std::cout << "[corpus] " << artefact.name << " | with the layer: " << (works ? "works" : "fails") << " | without: "
              << (worksWithout ? "works" : "fails") << "\n[corpus]   seen with: " << line(with)
              << "\n[corpus]   seen without: " << line(without) << std::endl;
    if (artefact.knownFailure)
        EXPECT_FALSE(works) << artefact.name << " works with the layer now: remove its known-failure mark ("
                            << artefact.knownFailure << ")";
    else
        EXPECT_TRUE(works) << "with the layer the user sees: " << with.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Artefacts, CorpusTest, ::testing::ValuesIn(kCorpus),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumaro
