// The about window: texts, layout, the two links through a recording launcher,
// and the keys that close it.
#include <memory>
#include <optional>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QWindow>
#include <gtest/gtest.h>

#include "Version.h"
#include "about/frmAbout.h"
#include "config/Vendor.h"
#include "gui/GuiTestKit.h"
#include "platform/Platform.h"
#include "shell/WindowKit.h"

// Qt's own entries for synthetic input (what QtTest uses).
Q_GUI_EXPORT void qt_handleKeyEvent(QWindow* window, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
                                    const QString& text = QString(), bool autorepeat = false, ushort count = 1);
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button, QEvent::Type type,
                                      Qt::KeyboardModifiers modifiers, int timestamp);

namespace lumaro {
namespace {

using test::WaitUntil;

class RecordingLauncher : public platform::Launcher {
public:
    bool Open(const std::string& target, platform::Show show) override {
        opened.push_back(target);
        shows.push_back(show);
        return succeed;
    }
    bool Start(const std::string& program, const std::vector<std::string>&, platform::Show) override {
        started.push_back(program);
        return succeed;
    }
    std::vector<std::string> opened;
    std::vector<platform::Show> shows;
    std::vector<std::string> started;
    bool succeed = true;
};

class FrmAboutTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::OverrideExecutablePath("/opt/agency/Lumaro");
        platform::SetLauncher(&launcher);
    }
    void TearDown() override {
        about.reset();
        platform::SetLauncher(nullptr);
        platform::OverrideExecutablePath(std::nullopt);
    }

    frmAbout& Show() {
        about = std::make_unique<frmAbout>();
        about->show();
        about->activateWindow();
        EXPECT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == about.get(); }));
        return *about;
    }

    // A real left click in the middle of a label, delivered as the window system would.
    void Click(QWidget* target) {
        QWindow* window = about->windowHandle();
        const QPointF local = target->mapTo(about.get(), target->rect().center());
        const QPointF global = about->mapToGlobal(local);
        qt_handleMouseEvent(window, local, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress,
                            Qt::NoModifier, ++timestamp);
        qt_handleMouseEvent(window, local, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease,
                            Qt::NoModifier, ++timestamp);
    }

    void Press(Qt::Key key) {
        qt_handleKeyEvent(about->windowHandle(), QEvent::KeyPress, key, Qt::NoModifier);
        qt_handleKeyEvent(about->windowHandle(), QEvent::KeyRelease, key, Qt::NoModifier);
    }

    RecordingLauncher launcher;
    test::MessageRecorder messages;
    std::unique_ptr<frmAbout> about;
    int timestamp = 1000;
};

TEST_F(FrmAboutTest, Texts) {
    frmAbout& w = Show();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("关于 Lumaro"));
    EXPECT_EQ(w.lblTitle->text(), QStringLiteral("Lumaro"));
    EXPECT_EQ(w.lblVersion->text(), QStringLiteral("版本 ") + QString::fromLatin1(version::Text));
    EXPECT_EQ(w.lblVersion->text(), QStringLiteral("版本 %1.%2.%3").arg(version::Major).arg(version::Minor).arg(version::Revision));
    EXPECT_EQ(w.lblDescription[0]->text(), QStringLiteral("版权所有：") + QString::fromUtf8(vendor::Company));
    EXPECT_EQ(w.lblDescription[1]->text(), QStringLiteral("公司网站：") + QString::fromUtf8(vendor::WebSite));
    EXPECT_EQ(w.lblDescription[2]->text(), QStringLiteral("联系电话：") + QString::fromUtf8(vendor::Telephone));
    EXPECT_EQ(w.lblDescription[3]->text(), QStringLiteral("电子信箱：") + QString::fromUtf8(vendor::EMail));
    EXPECT_EQ(w.lblDisclaimer->text(), QStringLiteral("警告：..."));
    EXPECT_EQ(w.Label1->text(), QStringLiteral("    "));
    EXPECT_EQ(w.cmdOK->text(), QStringLiteral("确定"));
    EXPECT_FALSE(w.windowIcon().isNull());
    ASSERT_FALSE(w.picIcon->pixmap().isNull());
    EXPECT_EQ(w.picIcon->pixmap().size(), QSize(32, 32));
}

// The program's name is the executable's base name, without folder and extension.
class ProgramName : public FrmAboutTest, public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(ProgramName, NamesTheWindowAndTheTitle) {
    platform::OverrideExecutablePath(GetParam().first);
    frmAbout w;
    const QString name = QString::fromUtf8(GetParam().second);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("关于 ") + name);
    EXPECT_EQ(w.lblTitle->text(), name);
}

INSTANTIATE_TEST_SUITE_P(Paths, ProgramName,
                         ::testing::Values(std::pair{"/opt/agency/Lumaro", "Lumaro"},
                                           std::pair{"/opt/agency/Foo.exe", "Foo"},
                                           std::pair{"/srv/前台/前台客户端", "前台客户端"}));

TEST_F(FrmAboutTest, Layout) {
    frmAbout& w = Show();
    EXPECT_EQ(w.size(), QSize(ui::TwipsX(5280), ui::TwipsY(3555)));
    EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "a fixed dialog";
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);

    EXPECT_EQ(w.cmdOK->geometry(), ui::TwipsRect(4065, 2745, 1140, 495));
    EXPECT_EQ(w.lblDisclaimer->geometry(), ui::TwipsRect(255, 2625, 3630, 225));
    EXPECT_EQ(w.lblTitle->geometry(), ui::TwipsRect(1110, 150, 3885, 285));
    EXPECT_EQ(w.Label1->geometry(), ui::TwipsRect(270, 2910, 3630, 555));
    EXPECT_TRUE(w.Label1->wordWrap());
    EXPECT_EQ(w.picIcon->geometry(), ui::TwipsRect(300, 240, 555, 555));

    // Labels that size themselves to their text, at their design positions; the
    // contact lines in one column at 270-twip steps.
    const std::pair<QLabel*, QPoint> autoSized[] = {
        {w.lblVersion, {1110, 630}},      {w.lblDescription[0], {1080, 1110}}, {w.lblDescription[1], {1080, 1650}},
        {w.lblDescription[3], {1080, 1920}}, {w.lblDescription[2], {1080, 2190}},
    };
    for (const auto& [label, twips] : autoSized) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_EQ(label->pos(), QPoint(ui::TwipsX(twips.x()), ui::TwipsY(twips.y())));
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
        EXPECT_LE(label->geometry().right(), w.width()) << "text cut off by the window edge";
    }

    // Fonts: the title large and bold, every other label the dialog's.
    EXPECT_EQ(w.lblTitle->font().family(), QStringLiteral("宋体"));
    EXPECT_DOUBLE_EQ(w.lblTitle->font().pointSizeF(), 14.25);
    EXPECT_TRUE(w.lblTitle->font().bold());
    for (QLabel* label : {w.lblVersion, w.lblDescription[0], w.lblDisclaimer, w.Label1}) {
        EXPECT_EQ(label->font(), w.font());
        EXPECT_FALSE(label->font().bold());
    }

    // The etched separator: grey over white, from before the left edge to past the right one.
    QWidget* grey = w.Line1[1];
    QWidget* white = w.Line1[0];
    EXPECT_EQ(grey->y(), ui::TwipsY(2445));
    EXPECT_EQ(white->y(), ui::TwipsY(2460));
    EXPECT_EQ(grey->height(), 1);
    EXPECT_EQ(white->height(), 2);
    EXPECT_LT(grey->x(), 0);
    EXPECT_LT(white->x(), 0);
    EXPECT_GT(grey->geometry().right(), w.width());
    EXPECT_GT(white->geometry().right(), w.width());
    const QImage shot = w.grab().toImage();
    const int x = w.width() / 2;
    EXPECT_EQ(shot.pixelColor(x * shot.width() / w.width(), grey->y() * shot.height() / w.height()), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(shot.pixelColor(x * shot.width() / w.width(), (white->y() + 1) * shot.height() / w.height()), QColor(Qt::white));

    // Centred on the screen.
    const QPoint screenCentre = w.screen()->availableGeometry().center();
    EXPECT_LE((w.frameGeometry().center() - screenCentre).manhattanLength(), 40);
}

TEST_F(FrmAboutTest, HandCursorOverTheTwoLinksOnly) {
    frmAbout& w = Show();
    EXPECT_EQ(w.lblDescription[1]->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(w.lblDescription[3]->cursor().shape(), Qt::PointingHandCursor);
    for (QWidget* plain : {static_cast<QWidget*>(w.lblDescription[0]), static_cast<QWidget*>(w.lblDescription[2]),
                           static_cast<QWidget*>(w.lblTitle), static_cast<QWidget*>(w.lblVersion)}) {
        EXPECT_FALSE(plain->testAttribute(Qt::WA_SetCursor)) << plain->objectName().toStdString();
        EXPECT_EQ(plain->cursor().shape(), Qt::ArrowCursor);
    }
}

TEST_F(FrmAboutTest, TheWebSiteLinkOpensTheSiteWhateverTheOutcome) {
    frmAbout& w = Show();
    launcher.succeed = false;
    Click(w.lblDescription[1]);
    ASSERT_EQ(launcher.opened, std::vector<std::string>{vendor::WebSite});
    EXPECT_EQ(launcher.shows[0], platform::Show::Normal);
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_TRUE(w.isVisible());
}

TEST_F(FrmAboutTest, TheMailLinkStartsAMessageWithTheSubject) {
    frmAbout& w = Show();
    Click(w.lblDescription[3]);
    ASSERT_EQ(launcher.opened.size(), 1u);
    const QString target = QString::fromStdString(launcher.opened[0]);
    const QString prefix = QStringLiteral("mailto:%1?subject=").arg(QString::fromUtf8(vendor::EMail));
    ASSERT_TRUE(target.startsWith(prefix)) << launcher.opened[0];
    // Carried as ASCII, the subject decodes to the Chinese text exactly.
    const QString subject = target.mid(prefix.size());
    for (QChar c : subject) EXPECT_LT(c.unicode(), 0x80);
    EXPECT_FALSE(subject.contains(' '));
    EXPECT_EQ(QUrl::fromPercentEncoding(subject.toLatin1()), QString::fromUtf8(vendor::EMailSubject));
    EXPECT_EQ(QUrl(target).scheme(), QStringLiteral("mailto"));
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(FrmAboutTest, AMailLinkThatCannotOpenSaysSoAndTheWindowStays) {
    frmAbout& w = Show();
    launcher.succeed = false;
    Click(w.lblDescription[3]);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, QStringLiteral("您的OutLook没有配置好"));
    EXPECT_EQ(messages.messages()[0].title, QStringLiteral("不能发送电子邮件"));
    EXPECT_EQ(messages.messages()[0].icon, ui::MsgIcon::None);
    EXPECT_TRUE(w.isVisible());
}

TEST_F(FrmAboutTest, TheOtherLinesDoNothing) {
    frmAbout& w = Show();
    for (QWidget* line : {static_cast<QWidget*>(w.lblDescription[0]), static_cast<QWidget*>(w.lblDescription[2]),
                          static_cast<QWidget*>(w.lblTitle), static_cast<QWidget*>(w.Label1)})
        Click(line);
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_TRUE(messages.messages().empty());
    EXPECT_TRUE(w.isVisible());
}

struct CloseCase {
    Qt::Key key;
    QDialog::DialogCode result;
};

class ClosingKeys : public FrmAboutTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingKeys, CloseTheWindow) {
    frmAbout& w = Show();
    EXPECT_EQ(QApplication::focusWidget(), w.cmdOK);
    EXPECT_TRUE(w.cmdOK->isDefault());
    Press(GetParam().key);
    EXPECT_TRUE(WaitUntil([&] { return !w.isVisible(); }));
    EXPECT_EQ(w.result(), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Keys, ClosingKeys,
                         ::testing::Values(CloseCase{Qt::Key_Escape, QDialog::Accepted},
                                           CloseCase{Qt::Key_Return, QDialog::Accepted},
                                           CloseCase{Qt::Key_Enter, QDialog::Accepted}));

TEST_F(FrmAboutTest, TheButtonCloses) {
    frmAbout& w = Show();
    Click(w.cmdOK);
    EXPECT_TRUE(WaitUntil([&] { return !w.isVisible(); }));
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace lumaro
