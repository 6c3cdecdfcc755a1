// What the compatibility layer costs the agency's pages: the load of a listing
// page (a GBK table of 200 houses, a script and a style sheet, no charset) in
// the program's browser with the layer and without it, what its VBScript part
// costs pages without VBScript and what VBScript costs the pages that have it,
// and the memory of the program with its page processes once the page is shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

#include "platform/Platform.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/CompatLayer.h"

namespace {

using namespace lumaro;

QByteArray Gbk(const std::string& utf8) { return QByteArray::fromStdString(platform::ToAnsi(utf8)); }

// `head` goes into the page's head, after its script.
QByteArray ListingPage(const std::string& head = {}) {
    std::string rows;
    for (int i = 1; i <= 200; ++i)
        rows += "<tr><td>" + std::to_string(i) + "</td><td>东城区</td><td>两室一厅</td><td>" + std::to_string(60 + i % 90) +
                "</td><td><a href=\"detail.asp?id=" + std::to_string(i) + "\" onclick=\"return pick(this)\">详情</a></td></tr>\n";
    return Gbk("<html><head><title>房源列表</title><link rel=stylesheet href=list.css><script src=list.js></script>" + head +
               "</head><body onload=\"init()\"><table id=list border=1>" + rows + "</table></body></html>");
}

// The same page as the era wrote it with VBScript: a form check and the helpers of its Ajax calls.
QByteArray VBScriptListingPage() {
    return ListingPage(R"(<script language="VBScript">
Function bytes2BSTR(vIn)
  Dim strReturn, i, ThisCharCode, NextCharCode
  strReturn = ""
  For i = 1 To LenB(vIn)
    ThisCharCode = AscB(MidB(vIn, i, 1))
    If ThisCharCode < &H80 Then
      strReturn = strReturn & Chr(ThisCharCode)
    Else
      NextCharCode = AscB(MidB(vIn, i + 1, 1))
      strReturn = strReturn & Chr(CLng(ThisCharCode) * &H100 + CInt(NextCharCode))
      i = i + 1
    End If
  Next
  bytes2BSTR = strReturn
End Function
Function CheckPrice(price)
  CheckPrice = IsNumeric(price) And Len(Trim(price)) > 0
End Function
Sub window_onload
  document.title = "房源列表 " & FormatNumber(200, 0) & " 套"
End Sub
</script>)");
}

// An ASP server's answers: no charset, the connection closed after each.
class Server {
public:
    Server() {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    const QByteArray head = socket->readAll();
                    const QByteArray path = head.split(' ').value(1);
                    const bool script = path.endsWith(".js"), sheet = path.endsWith(".css");
                    const QByteArray body =
                        script  ? Gbk("function init() { document.title = '已载入'; } function pick(a) { return true; }")
                        : sheet ? QByteArray("table { border-collapse: collapse } td { padding: 2px }")
                        : path.endsWith("vbs.asp") ? vbsPage_
                                : page_;
                    const QByteArray type = script ? "application/x-javascript" : sheet ? "text/css" : "text/html";
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: " + type + "\r\nContent-Length: " +
                                  QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
    QString Url() const { return Origin() + QStringLiteral("/House/list.asp"); }
    QString VBScriptUrl() const { return Origin() + QStringLiteral("/House/vbs.asp"); }
    QString Origin() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }

private:
    QTcpServer server_;
    QByteArray page_ = ListingPage();
    QByteArray vbsPage_ = VBScriptListingPage();
};

QApplication& App() {
    static int argc = 1;
    static char name[] = "gui_bench_compat";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        CompatLayer::RegisterScheme();
        auto* a = new QApplication(argc, argv);
        WebBrowser::SetProfileFolder(QDir::temp().filePath(QStringLiteral("lumaro-bench-profile")));
        return a;
    }();
    return *app;
}

bool Load(QWebEngineView& view, const QString& url) {
    bool done = false, ok = false;
    const auto c = QObject::connect(&view, &QWebEngineView::loadFinished, [&](bool result) {
        done = true;
        ok = result;
    });
    view.load(QUrl(url));
    while (!done) App().processEvents(QEventLoop::WaitForMoreEvents, 50);
    QObject::disconnect(c);
    return ok;
}

// Resident memory of this process and its page processes, in KiB.
long ResidentKiB() {
    long total = 0;
    const QString self = QString::number(QCoreApplication::applicationPid());
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile status(QStringLiteral("/proc/%1/status").arg(pid));
        if (!status.open(QIODevice::ReadOnly)) continue;
        long rss = 0;
        bool ours = pid == self;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("PPid:") && line.mid(5).trimmed() == self.toLatin1()) ours = true;
            if (line.startsWith("VmRSS:")) rss = line.mid(6).trimmed().split(' ').value(0).toLong();
        }
        if (ours) total += rss;
    }
    return total;
}

// The layer as the pages get it, less its VBScript part: the baseline its cost is measured against.
bool WithoutVBScript(WebBrowser& view) {
    QFile loader(QStringLiteral(":/compat/js/vbscript/loader.js"));
    if (!loader.open(QIODevice::ReadOnly)) return false;
    const QString part = QString::fromUtf8(loader.readAll());
    QWebEngineScriptCollection& scripts = view.page()->scripts();
    bool cut = false;
    for (QWebEngineScript script : scripts.toList()) {
        if (!script.sourceCode().contains(part)) continue;
        scripts.remove(script);
        script.setSourceCode(script.sourceCode().replace(part, QString()));
        scripts.insert(script);
        cut = true;
    }
    return cut;
}

// Two browsers load `first` and `second` in turns, so both see the same
// machine: a busy moment costs them alike. The times are the averages of their loads.
void InTurns(benchmark::State& state, WebBrowser& baseline, const QString& first, WebBrowser& measured,
             const QString& second) {
    for (auto [view, url] : {std::pair{&baseline, first}, {&measured, second}}) {
        view->resize(1024, 768);
        view->show();
        Load(*view, url);  // warm: processes started, caches filled, the interpreter compiled once
    }
    QElapsedTimer clock;
    qint64 baselineNs = 0, measuredNs = 0;
    for (auto _ : state) {
        for (auto [view, url] : {std::pair{&baseline, first}, {&measured, second}}) {
            clock.start();
            if (!Load(*view, url)) state.SkipWithError("the page did not load");
            (view == &measured ? measuredNs : baselineNs) += clock.nsecsElapsed();
        }
    }
    const double n = double(state.iterations());
    state.counters["baseline_ms"] = baselineNs / n / 1e6;
    state.counters["measured_ms"] = measuredNs / n / 1e6;
    state.counters["cost_pct"] = 100.0 * (double(measuredNs) - double(baselineNs)) / double(baselineNs);
}

// The layer's cost: the listing page without the layer (baseline) and with it (measured).
void BM_LoadListingPage(benchmark::State& state) {
    App();
    WebBrowser::ProgramProfile();
    Server server;
    CompatLayer::Configure(true, {server.Origin()});
    WebBrowser without, with;
    // Every page of the layer's origins gets its script: the baseline's is taken away again.
    without.page()->scripts().clear();
    InTurns(state, without, server.Url(), with, server.Url());
}
BENCHMARK(BM_LoadListingPage)->Unit(benchmark::kMillisecond)->MinTime(5);

// What the layer's VBScript part costs a page without VBScript: the listing page
// in the layer with that part (measured) and without it (baseline). Repeated, so
// that the spread of cost_pct between runs shows beside its mean.
void BM_VBScriptPartOnPagesWithout(benchmark::State& state) {
    App();
    WebBrowser::ProgramProfile();
    Server server;
    CompatLayer::Configure(true, {server.Origin()});
    WebBrowser baseline, measured;
    if (!WithoutVBScript(baseline)) return state.SkipWithError("the layer's script has no VBScript part");
    InTurns(state, baseline, server.Url(), measured, server.Url());
}
BENCHMARK(BM_VBScriptPartOnPagesWithout)->Unit(benchmark::kMillisecond)->MinTime(5)->Repetitions(5);

// What VBScript costs a page that has it: the listing page with a VBScript block
// (the interpreter fetched from the program and compiled, the block run, the
// handler wired) against the same page without the block, both in the layer.
void BM_PageWithVBScript(benchmark::State& state) {
    App();
    WebBrowser::ProgramProfile();
    Server server;
    CompatLayer::Configure(true, {server.Origin()});
    WebBrowser baseline, measured;
    InTurns(state, baseline, server.Url(), measured, server.VBScriptUrl());
}
BENCHMARK(BM_PageWithVBScript)->Unit(benchmark::kMillisecond)->MinTime(5);

// Memory of the client and its page processes once the page is shown, with
// the layer (1) or without it (0), each in a process of its own:
//   gui_bench_compat --benchmark_filter=Memory/0 ; gui_bench_compat --benchmark_filter=Memory/1
void BM_Memory(benchmark::State& state) {
    App();
    WebBrowser::ProgramProfile();
    Server server;
    CompatLayer::Configure(state.range(0) != 0, {server.Origin()});
    WebBrowser view;
    view.resize(1024, 768);
    view.show();
    for (auto _ : state) Load(view, server.Url());
    state.counters["resident_KiB"] = double(ResidentKiB());
}
BENCHMARK(BM_Memory)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
