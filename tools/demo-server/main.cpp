// lumaro-demo-server [PORT]: the address-lookup service and a sample listing
// site on 127.0.0.1, for trying the client out and for its integration tests.
// PORT 0 (the default) takes any free port; the port in use is printed as
// "listening on http://127.0.0.1:PORT". Each request is logged to stdout as
// its method and target ("GET /House/?DatabaseName=House").
#include <csignal>
#include <cstdio>
#include <QCoreApplication>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "DemoSite.h"
#include "HttpServer.h"

namespace {

#ifdef Q_OS_UNIX
// SIGTERM and SIGINT end the event loop through a pipe: the handler itself
// may only write a byte.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

void QuitOnSignals(QCoreApplication& app) {
    if (::pipe(signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}
#else
void QuitOnSignals(QCoreApplication&) {}
#endif

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool ok = true;
    const uint port = args.size() > 1 ? args[1].toUInt(&ok) : 0;
    if (!ok || port > 65535 || args.size() > 2) {
        std::fprintf(stderr, "usage: lumaro-demo-server [PORT]   (0 or none: any free port)\n");
        return 2;
    }

    demo::HttpServer* server = nullptr;
    demo::HttpServer httpServer([&server](const demo::HttpRequest& request) { return demo::DemoSite(*server)(request); });
    server = &httpServer;
    if (!httpServer.listen(static_cast<quint16>(port))) {
        std::fprintf(stderr, "lumaro-demo-server: cannot listen on 127.0.0.1:%u: %s\n", port,
                     httpServer.errorString().toLocal8Bit().constData());
        return 1;
    }
    QuitOnSignals(app);
    std::printf("listening on http://127.0.0.1:%u\n", static_cast<unsigned>(httpServer.port()));
    std::fflush(stdout);
    const int code = app.exec();
    std::printf("stopped\n");
    std::fflush(stdout);
    return code;
}
