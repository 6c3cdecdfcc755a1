// The about window: texts, the two links through a recording launcher, and what closes
// it, driven by real mouse and key input through the window system.
#include <memory>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <gtest/gtest.h>

#include "Version.h"
#include "about/frmAbout.h"
#include "config/Vendor.h"
#include "gui/GuiTestKit.h"
#include "platform/Platform.h"

namespace lumaro {
namespace {

// The fixture stands in for the platform's launcher and records what it is asked to open.
class FrmAboutTest : public ::testing::Test, public platform::Launcher {
protected:
    void SetUp() override { platform::SetLauncher(this); }
    void TearDown() override { platform::SetLauncher(nullptr); platform::OverrideExecutablePath(std::nullopt); }
    bool Open(const std::string& target, platform::Show show) override {
        opened.push_back(target + (show == platform::Show::Normal ? "" : " (not shown normally)"));
        return succeed;
    }
    bool Start(const std::string& p, const std::vector<std::string>&, platform::Show) override { return Open("start " + p, {}); }
    frmAbout& Show(const char* executable = "/opt/agency/Lumaro") {
        platform::OverrideExecutablePath(executable);
        about = std::make_unique<frmAbout>();
        EXPECT_TRUE(test::ShowActive(about.get()));
        return *about;
    }
    std::vector<std::string> opened;
    bool succeed = true;
    test::MessageRecorder messages;
    std::unique_ptr<frmAbout> about;
};

// Four rounds: the program's name is the executable's base name, without folder and extension; the title
// in bold, every label whole; Esc, Enter (both keys) and a click on 确定 close the window.
TEST_F(FrmAboutTest, TextsLayoutAndClosing) {
    const struct { const char* executable; QString name; Qt::Key key; } rounds[] = {
        {"/opt/agency/Foo.exe", "Foo", Qt::Key_Escape}, {"/srv/前台/前台客户端", "前台客户端", Qt::Key_Return},
        {"/opt/agency/Lumaro", "Lumaro", Qt::Key_Enter}, {"/opt/agency/Lumaro", "Lumaro", Qt::Key_unknown}};
    for (const auto& r : rounds) {
        frmAbout& w = Show(r.executable);
        const QStringList shown = {w.windowTitle(), w.lblTitle->text(), w.lblVersion->text(), w.lblDescription[0]->text(),
                                   w.lblDescription[1]->text(), w.lblDescription[2]->text(), w.lblDescription[3]->text(),
                                   w.lblDisclaimer->text(), w.Label1->text(), w.cmdOK->text()};
        const QStringList expected = {
            "关于 " + r.name, r.name, QString("版本 %1.%2.%3").arg(version::Major).arg(version::Minor).arg(version::Revision),
            QString("版权所有：") + vendor::Company, QString("公司网站：") + vendor::WebSite,
            QString("联系电话：") + vendor::Telephone, QString("电子信箱：") + vendor::EMail, "警告：...", "    ", "确定"};
        EXPECT_EQ(shown.join('\n').toStdString(), expected.join('\n').toStdString());
        // The contact lines where the design puts them, the e-mail line above the telephone's.
        for (const auto& [line, y] : {std::pair{0, 1110}, {1, 1650}, {3, 1920}, {2, 2190}})
            EXPECT_EQ(w.lblDescription[line]->pos(), ui::TwipsRect(1080, y, 0, 0).topLeft()) << line;
        const QFont title = w.lblTitle->font();
        EXPECT_TRUE(title.bold() && title.pointSizeF() == 14.25 && title.family() == "宋体") << title.toString().toStdString();
        // Every label shows its text whole inside the window.
        for (QLabel* label : w.findChildren<QLabel*>())
            EXPECT_TRUE(label->width() >= label->fontMetrics().horizontalAdvance(label->text()) &&
                        w.rect().contains(label->geometry())) << label->objectName().toStdString();

        if (r.key != Qt::Key_unknown) test::PressKey(w.windowHandle(), r.key);
        if (r.key == Qt::Key_unknown) test::Click(w.cmdOK);
        EXPECT_TRUE(test::WaitUntil([&] { return !w.isVisible(); }) && w.result() == QDialog::Accepted) << r.key;
    }
}

// Each contact line clicked, the launcher answering yes or no: only the web site and the mail address
// are links (hand cursor), opened in plain ASCII; only a failed mail link says so, and the window stays.
TEST_F(FrmAboutTest, OnlyTheWebSiteAndMailLinesAreLinks) {
    frmAbout& w = Show();
    const QString mail = QString("mailto:%1?subject=%2").arg(vendor::EMail, vendor::EMailSubject);
    const struct { int line; bool succeed; QString opens; size_t saidSoFar; } clicks[] = {
        {0, true, "", 0}, {2, true, "", 0}, {1, false, vendor::WebSite, 0}, {3, true, mail, 0}, {3, false, mail, 1}};
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.line);
        opened.clear();
        succeed = c.succeed;
        test::Click(w.lblDescription[c.line]);
        EXPECT_EQ(w.lblDescription[c.line]->cursor().shape(), c.opens.isEmpty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
        ASSERT_EQ(opened.size(), c.opens.isEmpty() ? 0u : 1u);
        for (const std::string& target : opened) {  // plain ASCII, decoding to the address
            EXPECT_EQ(QUrl::fromPercentEncoding(target.c_str()), c.opens);
            for (const unsigned char ch : target) EXPECT_TRUE(ch > ' ' && ch < 0x7F) << target;
        }
        EXPECT_TRUE(messages.messages().size() == c.saidSoFar && w.isVisible()) << messages.messages().size();
    }
    const auto& m = messages.messages().at(0);
    EXPECT_EQ((m.text + "|" + m.title).toStdString(), "您的OutLook没有配置好|不能发送电子邮件");
    EXPECT_EQ(m.icon, ui::MsgIcon::None);
}

}  // namespace
}  // namespace lumaro
