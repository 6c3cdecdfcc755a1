#include "gui/PdfText.h"

#include <QProcess>

#include "gui/Desktop.h"

namespace lumaro::test {

QString PdfText(const QString& pdf) {
    QProcess pdftotext;
    TieToTest(pdftotext);
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
