#include "shell/browser/BrowserLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace lumaro {

void SpeakChineseInBrowser() {
    static bool spoken = false;
    if (spoken) return;
    spoken = true;

    static QTranslator texts;
    if (texts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtwebengine"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&texts);

    // The engine takes its switches from this variable; a language given there is left alone.
    // (The locale of QLocale would do too, but it names Simplified Chinese "zh", not "zh-CN".)
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--lang=")) qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --lang=zh-CN").trimmed());
}

}  // namespace lumaro
