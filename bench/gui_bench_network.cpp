// What the layer costs the agency's pages on a real network: a listing page
// with 40 scripts, style sheets and images from a server that keeps its
// connections open, reached through a relay that delays every byte by 0, 20
// or 50 ms each way (a new connection costs a round trip too). The client
// runs in child processes, in turns with the layer on and IECompat=False,
// each loading the page 5 times; the time reported is the median load with
// the layer, and the counters give the median without it, their ratio, the
// server's connections per load on both sides and the start-up time (the
// program's start to its first page) on both.
//   gui_bench_network                      all three delays
//   gui_bench_network --benchmark_filter=/50
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>

#include "config/mdlINI.h"
#include "platform/Platform.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/CompatLayer.h"

namespace {

using namespace lumaro;

constexpr int kParts = 40;
constexpr int kLoadsPerChild = 5;
constexpr int kChildrenPerSide = 3;

QByteArray Gbk(const std::string& utf8) { return QByteArray::fromStdString(platform::ToAnsi(utf8)); }

QByteArray Page() {
    std::string html = "<html><head><title>房源列表</title>";
    for (int i = 0; i < kParts; ++i) {
        const std::string n = std::to_string(i);
        html += i % 3 == 0 ? "<script src=part" + n + ".js></script>"
                : i % 3 == 1 ? "<link rel=stylesheet href=part" + n + ".css>"
                             : "<img src=part" + n + ".gif width=10 height=10>";
    }
    html += "</head><body><table>";
    for (int i = 1; i <= 100; ++i) html += "<tr><td>" + std::to_string(i) + "</td><td>东城区 两室一厅</td></tr>";
    return Gbk(html + "</table></body></html>");
}

// The agency's server: HTTP/1.1, connections kept open, no charset; counts connections.
class Server : public QTcpServer {
public:
    std::atomic<int> connections{0};
    Server() {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                ++connections;
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Serve(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

private:
    void Serve(QTcpSocket* socket) {
        QByteArray& in = pending_[socket];
        in += socket->readAll();
        qsizetype end;
        while ((end = in.indexOf("\r\n\r\n")) >= 0) {
            const QByteArray path = in.left(end).split(' ').value(1);
            in.remove(0, end + 4);
            QByteArray type = "text/html", body = page_;
            if (path.endsWith(".js")) type = "application/x-javascript", body = Gbk("var 已载入 = 1;") + QByteArray(3000, ' ');
            else if (path.endsWith(".css")) type = "text/css", body = "td { padding: 2px }" + QByteArray(3000, ' ');
            else if (path.endsWith(".gif")) type = "image/gif", body = QByteArray(3000, 'G');
            // Fetched again on every load, though kept (the layer's script reads linked style sheets from the cache).
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: " + type + "\r\nCache-Control: no-cache\r\nContent-Length: " +
                          QByteArray::number(body.size()) + "\r\n\r\n" + body);
        }
    }
    QHash<QTcpSocket*, QByteArray> pending_;
    QByteArray page_ = Page();
};

// Every byte reaches the other side `delay` later; a connection costs a round trip first.
class Relay : public QTcpServer {
public:
    Relay(quint16 target, int delayMs) : target_(target), delay_(delayMs) {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* client = nextPendingConnection()) Join(client);
        });
    }

private:
    void Join(QTcpSocket* client) {
        auto* server = new QTcpSocket(client);
        client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        server->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        const auto pass = [this](QTcpSocket* from, QTcpSocket* to) {
            QPointer<QTcpSocket> target(to);
            const QByteArray bytes = from->readAll();
            QTimer::singleShot(delay_, to, [target, bytes] {
                if (target) target->write(bytes);
            });
        };
        const auto start = [=, this] {
            server->connectToHost(QHostAddress::LocalHost, target_);
            connect(server, &QTcpSocket::connected, client, [=] {
                connect(client, &QTcpSocket::readyRead, server, [=] { pass(client, server); });
                connect(server, &QTcpSocket::readyRead, client, [=] { pass(server, client); });
                pass(client, server);
            });
        };
        QTimer::singleShot(2 * delay_, client, start);  // the handshake's round trip
        connect(client, &QTcpSocket::disconnected, client, [=, this] {
            QTimer::singleShot(delay_, client, [client] { client->deleteLater(); });
        });
        connect(server, &QTcpSocket::disconnected, client, [=, this] {
            QTimer::singleShot(delay_, client, [client] { client->disconnectFromHost(); });
        });
    }
    quint16 target_;
    int delay_;
};

QStringList Lines(const QByteArray& out, const char* prefix) {
    QStringList found;
    for (const QByteArray& line : out.split('\n'))
        if (line.startsWith(prefix)) found << QString::fromLatin1(line.mid(qstrlen(prefix)));
    return found;
}

double Median(QList<double> values) {
    if (values.isEmpty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The child: the client with the layer on or off, the page loaded kLoadsPerChild times.
int Child(bool layer, int delayMs) {
    QElapsedTimer sinceStart;
    sinceStart.start();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    int argc = 1;
    char name[] = "gui_bench_network";
    char* argv[] = {name, nullptr};
    CompatLayer::RegisterScheme();
    QApplication app(argc, argv);
    QThread network;
    network.start();
    Server* server = nullptr;
    Relay* relay = nullptr;
    QObject home;
    home.moveToThread(&network);
    QMetaObject::invokeMethod(&home, [&] {
        server = new Server;
        server->listen(QHostAddress::LocalHost);
        relay = new Relay(server->serverPort(), delayMs);
        relay->listen(QHostAddress::LocalHost);
    }, Qt::BlockingQueuedConnection);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking --host-resolver-rules=\"MAP agency.bench 127.0.0.1\"");
    const QString folder = QDir::temp().filePath(QStringLiteral("lumaro-bench-network-%1").arg(QCoreApplication::applicationPid()));
    QDir().mkpath(folder + QStringLiteral("/ini"));
    ConfigFilePath = (folder + QStringLiteral("/ini/Lumaro.lic")).toStdString();
    const QString url = QStringLiteral("http://agency.bench:%1/House/list.asp").arg(relay->serverPort());
    WriteIniString(ConfigFilePath, "ServerINFO", "ServerIP", url.toStdString());
    WriteIniString(ConfigFilePath, "Setup", "IECompat", layer ? "True" : "False");
    WebBrowser::SetProfileFolder(folder + QStringLiteral("/browser"));
    CompatLayer::SetServer(QUrl(url));
    {
        WebBrowser view;
        view.resize(1024, 768);
        view.show();
        const auto load = [&] {
            bool done = false;
            const auto c = QObject::connect(&view, &QWebEngineView::loadFinished, [&] { done = true; });
            view.load(QUrl(url));
            while (!done) app.processEvents(QEventLoop::WaitForMoreEvents, 50);
            QObject::disconnect(c);
        };
        load();
        std::printf("startup %lld\n", static_cast<long long>(sinceStart.elapsed()));
        for (int i = 0; i < kLoadsPerChild; ++i) {
            const int before = server->connections;
            QElapsedTimer clock;
            clock.start();
            load();
            std::printf("load %lld %d\n", static_cast<long long>(clock.elapsed()), server->connections - before);
            std::fflush(stdout);
        }
    }
    WebBrowser::ReleaseProfile();
    QMetaObject::invokeMethod(server, [&] { delete server; delete relay; }, Qt::BlockingQueuedConnection);
    network.quit();
    network.wait();
    QDir(folder).removeRecursively();
    return 0;
}

void BM_NetworkLoad(benchmark::State& state) {
    const int delay = int(state.range(0));
    QList<double> loads[2], connections[2], startups[2];
    for (auto _ : state) {
        for (int round = 0; round < kChildrenPerSide; ++round) {
            for (int layer : {1, 0}) {
                QProcess child;
                child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
                QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
                env.insert(QStringLiteral("LUMARO_BENCH_CHILD"), QStringLiteral("%1 %2").arg(layer).arg(delay));
                child.setProcessEnvironment(env);
                child.start(QString::fromStdString(platform::ExecutablePath()), {});
                child.waitForFinished(600000);
                const QByteArray out = child.readAllStandardOutput();
                for (const QString& line : Lines(out, "load ")) {
                    loads[layer] << line.section(u' ', 0, 0).toDouble();
                    connections[layer] << line.section(u' ', 1, 1).toDouble();
                }
                for (const QString& line : Lines(out, "startup ")) startups[layer] << line.toDouble();
                if (Lines(out, "load ").isEmpty()) state.SkipWithError("a child loaded nothing");
            }
        }
        state.SetIterationTime(Median(loads[1]) / 1000.0);
    }
    state.counters["on_ms"] = Median(loads[1]);
    state.counters["off_ms"] = Median(loads[0]);
    state.counters["ratio"] = Median(loads[0]) ? Median(loads[1]) / Median(loads[0]) : 0;
    state.counters["on_conns"] = Median(connections[1]);
    state.counters["off_conns"] = Median(connections[0]);
    state.counters["on_startup_ms"] = Median(startups[1]);
    state.counters["off_startup_ms"] = Median(startups[0]);
}
BENCHMARK(BM_NetworkLoad)->Arg(0)->Arg(20)->Arg(50)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const QByteArray child = qgetenv("LUMARO_BENCH_CHILD");
    if (!child.isEmpty()) return Child(child.split(' ').value(0) == "1", child.split(' ').value(1).toInt());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
