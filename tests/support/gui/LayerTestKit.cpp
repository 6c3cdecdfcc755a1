#include "gui/LayerTestKit.h"

#include <QApplication>
#include <optional>

#include "gui/GuiTestKit.h"
#include "shell/browser/BrowserPrompts.h"
#include "shell/browser/WebBrowser.h"
#include "shell/browser/compat/CompatLayer.h"
#include "shell/browser/compat/LegacyDialog.h"
#include "shell/browser/compat/NoticeBar.h"

namespace lumaro::test {
namespace {

QStringList& Recorded() {
    static QStringList calls;
    return calls;
}

}  // namespace

void LayerProgram::Install(bool on, const QStringList& entries, bool clipboardAnswer, const QString& answer) {
    WebBrowser::ProgramProfile();  // the layer starts with the engine
    CompatLayer::Configure(on, entries);
    Recorded().clear();
    const auto dialog = [](const char* call) {
        return [call](QWidget*, QPrinter&) {
            Recorded() << QString::fromLatin1(call);
            return false;
        };
    };
    prompts::SetPrintDialog(dialog("print:print"));
    prompts::SetPreviewDialog(dialog("print:preview"));
    prompts::SetPageSetupDialog(dialog("print:setup"));
    prompts::SetYesNoQuestion([clipboardAnswer](QWidget*, const QString& text, const QString&, bool) {
        Recorded() << QStringLiteral("clipboardAllowed");
        return clipboardAnswer && text.contains(QStringLiteral("剪贴板"));
    });
    prompts::SetChoiceQuestion([answer](QWidget*, const prompts::Choice& box) {
        static const char* const icons[] = {"none", "critical", "question", "warning", "information"};
        Recorded() << QStringLiteral("msgbox:%1:%2:%3:%4:%5")
                          .arg(box.title, box.text, box.buttons.join(u'/'), box.buttons.value(box.defaultButton),
                               QLatin1String(icons[int(box.icon)]));
        return box.buttons.contains(answer) ? int(box.buttons.indexOf(answer)) : box.defaultButton;
    });
}

QStringList LayerProgram::Calls(WebBrowser& view) {
    QStringList calls = Recorded();
    const NoticeBar* bar = NoticeBar::For(&view);
    // A notice shown above the page, which makes room for it.
    if (bar->isVisible() && view.focusProxy()->y() >= bar->height())
        for (const QString& feature : bar->features()) calls << QStringLiteral("notice:") + feature;
    return calls;
}

QVariant Js(QWebEngineView& view, const QString& script) {
    std::optional<QVariant> result;
    view.page()->runJavaScript(script, [&](const QVariant& v) { result = v; });
    WaitUntil([&] { return result.has_value(); });
    return result.value_or(QVariant());
}

bool OpenPage(WebBrowser& view, const QUrl& url, bool painted) {
    bool loaded = false;
    const auto connection = QObject::connect(&view, &QWebEngineView::loadFinished, &view, [&] { loaded = true; });
    view.load(url);
    const bool done = WaitUntil([&] { return loaded; });
    QObject::disconnect(connection);
    return done && (!painted || WaitPainted(view));
}

bool WaitPainted(QWebEngineView& view) {
    const QString paint = QStringLiteral("performance.getEntriesByName('first-contentful-paint').length");
    return WaitUntil([&] { return !view.page()->isLoading() && Js(view, paint).toInt() > 0; });
}

int OpenLegacyDialogs() {
    int n = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        n += qobject_cast<LegacyDialog*>(widget) && widget->isVisible();
    return n;
}

LegacyDialog* ShownDialog(bool painted) {
    LegacyDialog* dialog = nullptr;
    const bool shown = WaitUntil([&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if ((dialog = qobject_cast<LegacyDialog*>(widget)) && dialog->isVisible()) return true;
        return false;
    }, 3000);
    if (shown && painted) WaitPainted(*dialog->browser());
    return shown ? dialog : nullptr;
}

}  // namespace lumaro::test
