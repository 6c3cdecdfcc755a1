#include "shell/browser/WebBrowser.h"

#include <QEventLoop>
#include <QPrinter>
#include <QUrl>
#include <QWebEngineHistory>

#include "config/Failure.h"
#include "shell/browser/BrowserPage.h"
#include "shell/browser/BrowserProfile.h"
#include "shell/browser/BrowserPrompts.h"
#include "shell/browser/BrowserZoom.h"
#include "shell/browser/FindBar.h"
#include "shell/browser/LoadProgressLine.h"
#include "shell/LocalPages.h"
#include "shell/ServerAddress.h"
#include "ui/WindowKit.h"

namespace lumaro {
namespace {

// What the original browser control reported for a move through an empty history.
Fault NothingThere() { return Fault(-2147467259, "未指定的错误"); }

QString BadAddressPage(const QString& address) {
    const QString body =
        QStringLiteral("<h1>无法打开网址</h1><p>网址不完整或格式不正确：</p><p><code id=\"address\">%1</code></p>")
            .arg(address.toHtmlEscaped());
    return ui::Q(LocalPage("无法打开网址", ui::S(body) + SettingsCommands("服务器设置")));
}

}  // namespace

WebBrowser::WebBrowser(QWidget* parent) : WebBrowser(nullptr, parent) {}

WebBrowser::WebBrowser(QWebEngineProfile* profile, QWidget* parent)
    : QWebEngineView(parent),
      page_(new BrowserPage(profile ? profile : ProgramProfile(), this)),
      progress_(new LoadProgressLine(this)) {
    setPage(page_.data());
    connect(page_.data(), &BrowserPage::commandRequested, this, &WebBrowser::commandRequested);
    new FindBar(this);
    new BrowserZoom(this);

    connect(this, &QWebEngineView::loadStarted, progress_, &LoadProgressLine::Start);
    connect(this, &QWebEngineView::loadProgress, progress_, &LoadProgressLine::SetProgress);
    connect(this, &QWebEngineView::loadFinished, progress_, &LoadProgressLine::Finish);
    connect(this, &QWebEngineView::renderProcessTerminated, progress_, &LoadProgressLine::Finish);

    // Pages that print themselves (window.print()) get the same dialog, once
    // the page's call has returned.
    connect(this, &QWebEngineView::printRequested, this, &WebBrowser::PrintPage, Qt::QueuedConnection);
    connect(this, &QWebEngineView::printFinished, this, &WebBrowser::OnPrintDone);
    connect(this, &QWebEngineView::pdfPrintingFinished, this, [this](const QString& path, bool ok) {
        if (printer_ && printer_->outputFileName() == path) emit printFinished(ok);
    });
}

// The page goes first, while the view and the printer it may be printing on
// are still whole.
WebBrowser::~WebBrowser() { delete page_.data(); }

QWebEngineProfile* WebBrowser::ProgramProfile() { return BrowserProfile::Get(); }
void WebBrowser::SetProfileFolder(const QString& storageFolder) { BrowserProfile::SetStorageFolder(storageFolder); }
void WebBrowser::ReleaseProfile() { BrowserProfile::Release(); }

// Parsed as it stands: QUrl::fromUserInput would put "http://" before an
// address that does not parse, and the browser would go to a host named "http".
QUrl WebBrowser::AddressUrl(const QString& address) {
    const QUrl url(ui::Q(AddressBarUrl(ui::S(address))), QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    // Without a host Chromium would take the first folder of the path for one.
    const bool web = (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !url.host().isEmpty();
    return url.isValid() && (web || scheme == QLatin1String("file")) ? url : QUrl();
}

void WebBrowser::Navigate(const QString& address) {
    const QUrl url = AddressUrl(address);
    if (!url.isValid()) {
        ShowLocalPage(BadAddressPage(address.trimmed()));
        return;
    }
    load(url);
}

void WebBrowser::GoBack() {
    if (!history()->canGoBack()) throw NothingThere();
    back();
}

void WebBrowser::GoForward() {
    if (!history()->canGoForward()) throw NothingThere();
    forward();
}

void WebBrowser::Refresh() {
    if (page_ && page_->ShowingCrashPage())
        page_->Recover();
    else
        reload();
}

void WebBrowser::Stop() {
    stop();
    progress_->Finish();
}

bool WebBrowser::PutOffUntilPrintable(const std::function<void()>& retry) {
    if (!page_ || !page_->Preparing()) return false;
    connect(page_.data(), &BrowserPage::prepared, this, retry, Qt::SingleShotConnection);
    return true;
}

void WebBrowser::PrintPage() {
    if (PutOffUntilPrintable([this] { PrintPage(); })) return;
    if (printer_) return;  // one print at a time; the running one finishes first
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setResolution(300);  // the page reaches a printer as an image: sharp enough, not huge
    if (pageLayout_) printer->setPageLayout(*pageLayout_);
    if (!prompts::ChoosePrinter(window(), *printer)) return;
    Print(std::move(printer));
}

void WebBrowser::PreviewPage() {
    if (PutOffUntilPrintable([this] { PreviewPage(); })) return;
    if (printer_) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(300);
    if (pageLayout_) printer.setPageLayout(*pageLayout_);
    // The preview draws as it asks; the engine prints in its own time.
    disconnect(this, &QWebEngineView::printFinished, this, &WebBrowser::OnPrintDone);
    prompts::PreviewPrint(window(), printer, [this](QPrinter* target) {
        QEventLoop done;
        const auto finished = connect(this, &QWebEngineView::printFinished, &done, &QEventLoop::quit);
        print(target);
        done.exec();
        disconnect(finished);
    });
    connect(this, &QWebEngineView::printFinished, this, &WebBrowser::OnPrintDone);
}

void WebBrowser::PageSetup() {
    QPrinter printer;
    if (pageLayout_) printer.setPageLayout(*pageLayout_);
    if (prompts::SetUpPage(window(), printer)) pageLayout_ = printer.pageLayout();
}

void WebBrowser::PrintToPdf(const QString& path) {
    if (PutOffUntilPrintable([this, path] { PrintToPdf(path); })) return;
    if (printer_) return;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    Print(std::move(printer));
}

// A PDF file is written by the engine itself, text as text; any other printer
// receives the page rendered as images. Either way printFinished(ok) follows.
void WebBrowser::Print(std::unique_ptr<QPrinter> printer) {
    printer_ = std::move(printer);
    if (printer_->outputFormat() == QPrinter::PdfFormat && !printer_->outputFileName().isEmpty())
        page()->printToPdf(printer_->outputFileName(), printer_->pageLayout(), printer_->pageRanges());
    else
        print(printer_.get());
}

void WebBrowser::OnPrintDone(bool ok) {
    printer_.reset();
    if (!ok) ui::MsgBox(window(), QStringLiteral("无法打印此网页。"), QStringLiteral("打印"), ui::MsgIcon::Warning);
}

BrowserPage* WebBrowser::browserPage() const { return page_.data(); }

void WebBrowser::ShowLocalPage(const QString& html) {
    if (page_) page_->ShowLocalPage(html);
}

}  // namespace lumaro
