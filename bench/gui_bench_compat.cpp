// What the compatibility layer costs the agency's pages: the load of a listing
// page (a GBK table of 200 houses, a script and a style sheet, no charset) in
// the program's browser with the layer and without it, the memory of the
// program with its page processes once the page is shown, and what giving
// JScript's syntax its meaning adds to a listing page with 20 scripts.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
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

QByteArray ListingPage() {
    std::string rows;
    for (int i = 1; i <= 200; ++i)
        rows += "<tr><td>" + std::to_string(i) + "</td><td>东城区</td><td>两室一厅</td><td>" + std::to_string(60 + i % 90) +
                "</td><td><a href=\"detail.asp?id=" + std::to_string(i) + "\" onclick=\"return pick(this)\">详情</a></td></tr>\n";
    return Gbk("<html><head><title>房源列表</title><link rel=stylesheet href=list.css><script src=list.js></script></head>"
               "<body onload=\"init()\"><table id=list border=1>" + rows + "</table></body></html>");
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
    QString ScriptedUrl() const { return Origin() + QStringLiteral("/House/list20.asp"); }
    QString Origin() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }

private:
    QTcpServer server_;
    QByteArray page_ = ListingPage(), scripted_ = ScriptedListingPage();
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

// The two browsers load in turns, so both see the same machine: a busy
// moment costs them alike. The time reported is a pair of loads.
void BM_LoadListingPage(benchmark::State& state) {
    App();
    WebBrowser::ProgramProfile();
    Server server;
    // A browser joins the layer as it is when the browser is made.
    CompatLayer::Configure(false, {});
    WebBrowser without;
    CompatLayer::Configure(true, {server.Origin()});
    WebBrowser with;
    for (WebBrowser* view : {&without, &with}) {
        view->resize(1024, 768);
        view->show();
        Load(*view, server.Url());  // warm: processes started, caches filled
    }
    QElapsedTimer clock;
    qint64 withoutNs = 0, withNs = 0;
    for (auto _ : state) {
        for (WebBrowser* view : {&without, &with}) {
            clock.start();
            if (!Load(*view, server.Url())) state.SkipWithError("the page did not load");
            (view == &with ? withNs : withoutNs) += clock.nsecsElapsed();
        }
    }
    const double n = double(state.iterations());
    state.counters["without_ms"] = withoutNs / n / 1e6;
    state.counters["with_ms"] = withNs / n / 1e6;
    state.counters["cost_pct"] = 100.0 * (double(withNs) - double(withoutNs)) / double(withoutNs);
}
BENCHMARK(BM_LoadListingPage)->Unit(benchmark::kMillisecond)->MinTime(5);

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
