// What the compatibility layer costs the agency's pages: the load of a listing
// page (a GBK table of 200 houses, a script and a style sheet, no charset) in
// the program's browser with the layer and without it, what its VBScript part
// costs pages without VBScript and what VBScript costs the pages that have it,
// the memory of the program with its page processes once the page is shown, and
// what giving JScript's syntax its meaning adds to a listing page with 20 scripts.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>
#include <cstdio>

#include "platform/Platform.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/CompatLayer.h"

namespace {

using namespace lumaro;

QByteArray Gbk(const std::string& utf8) { return QByteArray::fromStdString(platform::ToAnsi(utf8)); }

// The listing page with 20 script files, as an old page of the agency's
// loads them. One file and an inline block switch conditional compilation on,
// so the page and that file take the whole way through the rewriting, yet run
// the same with it and without: the time compared is the rewriting's alone.
QByteArray ScriptedListingPage() {
    std::string scripts;
    for (int i = 1; i <= 20; ++i) scripts += "<script src=s" + std::to_string(i) + ".js></script>";
    std::string rows;
    for (int i = 1; i <= 200; ++i)
        rows += "<tr><td>" + std::to_string(i) + "</td><td>东城区</td><td>两室一厅</td><td onclick=\"pick(this)\">详情</td></tr>\n";
    return Gbk("<html><head><title>房源列表</title>" + scripts +
               "<script>/*@cc_on @*/ var 引擎 = 'IE';</script></head>"
               "<body onload=\"init()\"><table id=list border=1>" + rows + "</table></body></html>");
}

QByteArray ScriptFile(int n) {
    std::string code = "// 房源列表的脚本 " + std::to_string(n) + "\n";
    if (n == 1) code += "/*@cc_on @*/\n";
    for (int i = 0; i < 40; ++i)
        code += "function f" + std::to_string(n) + "_" + std::to_string(i) +
                "(a, b) { var s = '价格：' + a; if (a / 2 > b) { return s.replace(/\\s+/g, ''); } return s + b; }\n";
    return Gbk(code + "function init() {} function pick(a) { return true; }\n");
}

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
                    const QByteArray file = path.mid(path.lastIndexOf('/') + 1);
                    const QByteArray body =
                        file.startsWith("s") && script ? ScriptFile(file.mid(1).split('.').first().toInt())
                        : script ? Gbk("function init() { document.title = '已载入'; } function pick(a) { return true; }")
                        : sheet  ? QByteArray("table { border-collapse: collapse } td { padding: 2px }")
                        : path.endsWith("list20.asp") ? scripted_
                        : path.endsWith("vbs.asp")    ? vbsPage_
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
    QString ScriptedUrl() const { return Origin() + QStringLiteral("/House/list20.asp"); }
    QString Origin() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }

private:
    QTcpServer server_;
    QByteArray page_ = ListingPage(), scripted_ = ScriptedListingPage(), vbsPage_ = VBScriptListingPage();
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
// machine: a busy moment costs them alike; which goes first alternates, so
// neither always loads on a machine the other warmed. The times are the
// averages of their loads.
void InTurns(benchmark::State& state, WebBrowser& baseline, const QString& first, WebBrowser& measured,
             const QString& second) {
    for (auto [view, url] : {std::pair{&baseline, first}, {&measured, second}}) {
        view->resize(1024, 768);
        view->show();
        Load(*view, url);  // warm: processes started, caches filled, the interpreter compiled once
    }
    QElapsedTimer clock;
    qint64 baselineNs = 0, measuredNs = 0;
    bool baselineFirst = true;
    for (auto _ : state) {
        for (bool isBaseline : {baselineFirst, !baselineFirst}) {
            clock.start();
            if (!Load(isBaseline ? baseline : measured, isBaseline ? first : second))
                state.SkipWithError("the page did not load");
            (isBaseline ? baselineNs : measuredNs) += clock.nsecsElapsed();
        }
        baselineFirst = !baselineFirst;
    }
    const double n = double(state.iterations());
    state.counters["baseline_ms"] = baselineNs / n / 1e6;
    state.counters["measured_ms"] = measuredNs / n / 1e6;
    state.counters["cost_pct"] = 100.0 * (double(measuredNs) - double(baselineNs)) / double(baselineNs);
}

// Two browsers of the layer load the listing page in turns: the baseline as
// `prepare` leaves it, the measured one as the layer makes it, with the page's
// VBScript version when `vbscriptPage`.
void LayerInTurns(benchmark::State& state, bool (*prepare)(WebBrowser&), bool vbscriptPage) {
    App();
    WebBrowser::ProgramProfile();
    Server server;
    CompatLayer::Configure(true, {server.Origin()});
    WebBrowser baseline, measured;
    if (!prepare(baseline)) return state.SkipWithError("the baseline could not be made");
    InTurns(state, baseline, server.Url(), measured, vbscriptPage ? server.VBScriptUrl() : server.Url());
}

// The layer's cost: the listing page without the layer (baseline) and with it (measured).
void BM_LoadListingPage(benchmark::State& state) {
    // Every page of the layer's origins gets its script: the baseline's is taken away again.
    LayerInTurns(state, [](WebBrowser& view) { view.page()->scripts().clear(); return true; }, false);
}
BENCHMARK(BM_LoadListingPage)->Unit(benchmark::kMillisecond)->MinTime(5);

// What the layer's VBScript part costs a page without VBScript: the listing page
// in the layer with that part (measured) and without it (baseline). Repeated, so
// that the spread of cost_pct between runs shows beside its mean.
void BM_VBScriptPartOnPagesWithout(benchmark::State& state) { LayerInTurns(state, WithoutVBScript, false); }
BENCHMARK(BM_VBScriptPartOnPagesWithout)->Unit(benchmark::kMillisecond)->MinTime(5)->Repetitions(5);

// What VBScript costs a page that has it: the listing page with a VBScript block
// (the interpreter fetched from the program and compiled, the block run, the
// handler wired) against the same page without the block, both in the layer.
void BM_PageWithVBScript(benchmark::State& state) {
    LayerInTurns(state, [](WebBrowser&) { return true; }, true);
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

// The scripted listing page in a process of its own: loaded `loads` times
// after a warm-up, the mean time of a load printed. LUMARO_JSCRIPT_REWRITE,
// read once, says whether the layer gives the scripts JScript's meaning.
int ChildLoads(int loads) {
    App();
    WebBrowser::ProgramProfile();
    Server server;
    CompatLayer::Configure(true, {server.Origin()});
    WebBrowser view;
    view.resize(1024, 768);
    view.show();
    for (int i = 0; i < 3; ++i) Load(view, server.ScriptedUrl());
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < loads; ++i)
        if (!Load(view, server.ScriptedUrl())) return 1;
    std::printf("ms %f\n", double(clock.nsecsElapsed()) / loads / 1e6);
    return 0;
}

// The scripted page in alternating processes, without the script rewriting and
// with it, in turns so both see the same machine; the time reported is a pair.
void BM_ScriptedListingPage(benchmark::State& state) {
    const auto child = [&](bool rewrite) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LUMARO_BENCH_LOADS"), QStringLiteral("30"));
        environment.insert(QStringLiteral("LUMARO_JSCRIPT_REWRITE"), rewrite ? QStringLiteral("on") : QStringLiteral("off"));
        process.setProcessEnvironment(environment);
        process.start(QCoreApplication::applicationFilePath(), {});
        if (!process.waitForFinished(120000) || process.exitCode() != 0) {
            process.kill();
            process.waitForFinished();
            return -1.0;
        }
        const QByteArray out = process.readAllStandardOutput();
        return out.mid(out.indexOf("ms ") + 3).trimmed().toDouble();
    };
    App();
    double with = 0, without = 0;
    bool first = true;
    for (auto _ : state) {
        // Alternate which goes first, so neither always starts on a machine the other warmed.
        const double a = child(!first), b = child(first);
        if (a < 0 || b < 0) state.SkipWithError("a child process did not load the page");
        (first ? without : with) += a;
        (first ? with : without) += b;
        first = !first;
    }
    const double n = double(state.iterations());
    state.counters["without_ms"] = without / n;
    state.counters["with_ms"] = with / n;
    state.counters["cost_pct"] = 100.0 * (with - without) / without;
}
BENCHMARK(BM_ScriptedListingPage)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    if (const int loads = qEnvironmentVariableIntValue("LUMARO_BENCH_LOADS")) return ChildLoads(loads);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
