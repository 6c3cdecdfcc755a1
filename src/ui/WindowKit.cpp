#include "ui/WindowKit.h"

#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QStringList>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <QWidget>

// The pictures live in a static library: their registration has to be pulled
// in explicitly, and from outside any namespace.
static void InitIconResources() { Q_INIT_RESOURCE(ui); }

namespace lumaro::ui {
namespace {

double Dpi(bool horizontal) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 96.0;
    return horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
}

MessageSink& Sink() {
    static MessageSink sink;
    return sink;
}

std::function<void()>& EndHook() {
    static std::function<void()> hook;
    return hook;
}

}  // namespace

void InitApplication() {
    QCoreApplication::setOrganizationName(QStringLiteral("Lumaro"));
    QCoreApplication::setApplicationName(QStringLiteral("Lumaro"));
    QApplication::setWindowIcon(AppIcon());
    const QStringList cjk{QStringLiteral("SimSun"), QStringLiteral("NSimSun"), QStringLiteral("WenQuanYi Zen Hei Mono"),
                          QStringLiteral("WenQuanYi Zen Hei"),
                          QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Serif CJK SC")};
    // WenQuanYi Zen Hei Mono has 宋体's character widths, so layouts designed in
    // twips around 宋体 keep fitting where 宋体 itself is not installed.
    QFont::insertSubstitutions(QStringLiteral("宋体"), cjk);

    // Every text of the program is Chinese, whatever the desktop's language:
    // Qt's own buttons and dialogs (确定, 取消, the file and print dialogs) too.
    static QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
}

int TwipsX(double twips) { return qRound(twips * Dpi(true) / 1440.0); }
int TwipsY(double twips) { return qRound(twips * Dpi(false) / 1440.0); }

QRect TwipsRect(double left, double top, double width, double height) {
    return {TwipsX(left), TwipsY(top), TwipsX(width), TwipsY(height)};
}

void MakeFixedDialog(QDialog* dialog, double widthTwips, double heightTwips) {
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setFont(QFont(QStringLiteral("宋体"), 9));
    dialog->setFixedSize(TwipsX(widthTwips), TwipsY(heightTwips));
    const QWidget* owner = dialog->parentWidget();
    if (const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
        dialog->move(screen->availableGeometry().center() - dialog->rect().center());
}

void MakeResizableDialog(QDialog* dialog, double widthTwips, double heightTwips) {
    MakeFixedDialog(dialog, widthTwips, heightTwips);
    dialog->setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, false);
    dialog->setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    dialog->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

QIcon AppIcon() {
    static const bool registered = (InitIconResources(), true);
    Q_UNUSED(registered);
    static const QIcon icon(QStringLiteral(":/ui/lumaro.svg"));
    return icon;
}

QIcon OwnerIcon(const QWidget* dialog) {
    const QWidget* owner = dialog->parentWidget();
    return owner && !owner->windowIcon().isNull() ? owner->windowIcon() : AppIcon();
}

void FitTitle(QMessageBox* box) {
    // The title bar's font is the window manager's; the box's own font with room
    // for the icon and the close box is a fair measure of it.
    const int width = box->fontMetrics().horizontalAdvance(box->windowTitle()) * 5 / 4 + TwipsX(1500);
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

bool Recorded(const QString& text, const QString& title, MsgIcon icon) {
    if (!Sink()) return false;
    Sink()(text, title, icon);
    return true;
}

void MsgBox(QWidget* parent, const QString& text, const QString& title, MsgIcon icon) {
    if (Recorded(text, title, icon)) return;
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    box.setIcon(icon == MsgIcon::Information ? QMessageBox::Information
                : icon == MsgIcon::Warning   ? QMessageBox::Warning
                                             : QMessageBox::NoIcon);
    FitTitle(&box);
    box.exec();
}

void SetMessageSink(MessageSink sink) { Sink() = std::move(sink); }

void EndProgram() {
    if (EndHook()) {
        EndHook()();
        return;
    }
    // Hide everything first so nothing paints or reacts while the loop winds down;
    // quitting the loop (rather than _exit) lets the browser profile flush its cookies.
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    QCoreApplication::exit(0);
}

void SetEndProgramHook(std::function<void()> hook) { EndHook() = std::move(hook); }

}  // namespace lumaro::ui
