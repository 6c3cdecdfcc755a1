#include "gui/PdfText.h"

#include <csignal>
#include <QProcess>
#include <sys/prctl.h>

namespace lumaro::test {

QString PdfText(const QString& pdf) {
    QProcess pdftotext;
    pdftotext.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                                                  QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) {
        pdftotext.kill();
        pdftotext.waitForFinished();
        return {};
    }
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

}  // namespace lumaro::test
