// What the compatibility layer costs the agency's pages: the load of a listing
// page (a GBK table of 200 houses, a script and a style sheet, no charset) in
// the program's browser with the layer and without it, and the memory of the
// program with its page processes once the page is shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebEngineView>

#include "platform/Platform.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/CompatLayer.h"

namespace {

using namespace lumaro;

QByteArray Gbk(const std::string& utf8) { return QByteArray::fromStdString(platform::ToAnsi(utf8)); }

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
                    const QByteArray body =
                        script  ? Gbk("function init() { document.title = '已载入'; } function pick(a) { return true; }")
                        : sheet ? QByteArray("table { border-collapse: collapse } td { padding: 2px }")
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
    QString Origin() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }

private:
    QTcpServer server_;
    QByteArray page_ = ListingPage();
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

}  // namespace
