#include "shell/browser/DownloadHandler.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "shell/browser/BrowserPrompts.h"
#include "ui/WindowKit.h"

namespace lumaro {
namespace {

using Request = QWebEngineDownloadRequest;

QString SavedPath(const Request& download) {
    return QDir(download.downloadDirectory()).filePath(download.downloadFileName());
}

}  // namespace

DownloadHandler::DownloadHandler(QWebEngineProfile* profile) : QObject(profile) {
    connect(profile, &QWebEngineProfile::downloadRequested, this, &DownloadHandler::OnDownloadRequested);
}

void DownloadHandler::OnDownloadRequested(Request* download) {
    if (download->state() != Request::DownloadRequested) return;
    QWebEngineView* view = download->page() ? QWebEngineView::forPage(download->page()) : nullptr;
    QWidget* parent = view ? view->window() : nullptr;

    QString folder = download->downloadDirectory();
    if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    const QString proposed = QDir(folder).filePath(download->downloadFileName());
    const auto chosen = prompts::ChooseSavePath(parent, proposed);
    if (!chosen || chosen->isEmpty()) {
        download->cancel();
        return;
    }
    const QFileInfo target(*chosen);
    download->setDownloadDirectory(target.absolutePath());
    download->setDownloadFileName(target.fileName());
    Track(download, parent);
    download->accept();
}

void DownloadHandler::Track(Request* download, QWidget* parent) {
    auto* progress = new QProgressDialog(parent);
    progress->setObjectName(QStringLiteral("downloadProgress"));
    progress->setWindowTitle(QStringLiteral("下载"));
    progress->setWindowIcon(ui::AppIcon());
    progress->setLabelText(QStringLiteral("正在下载：%1").arg(download->downloadFileName()));
    progress->setCancelButtonText(QStringLiteral("取消"));
    progress->setWindowModality(Qt::NonModal);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    progress->setMinimumDuration(0);
    progress->setRange(0, 0);
    progress->setAttribute(Qt::WA_DeleteOnClose);
    connect(progress, &QProgressDialog::canceled, download, &Request::cancel);
    // The dialog goes with the download should the profile go first.
    connect(download, &QObject::destroyed, progress, &QObject::deleteLater);

    QPointer<QProgressDialog> guard(progress);
    connect(download, &Request::receivedBytesChanged, progress, [download, progress] {
        const qint64 total = download->totalBytes();
        if (total > 0) {
            progress->setRange(0, 100);
            progress->setValue(static_cast<int>(download->receivedBytes() * 100 / total));
        }
    });
    connect(download, &Request::isFinishedChanged, this, [download, guard, parent = QPointer<QWidget>(parent)] {
        if (!download->isFinished()) return;
        if (guard) {
            guard->disconnect(download);
            guard->close();
        }
        switch (download->state()) {
        case Request::DownloadCompleted:
            ui::MsgBox(parent, QStringLiteral("文件已下载完成：\n%1").arg(QDir::toNativeSeparators(SavedPath(*download))),
                       QStringLiteral("下载完成"), ui::MsgIcon::Information);
            break;
        case Request::DownloadInterrupted:
            ui::MsgBox(parent,
                       QStringLiteral("文件下载失败：%1\n\n原因：%2")
                           .arg(download->downloadFileName(), FailureReason(*download)),
                       QStringLiteral("下载失败"), ui::MsgIcon::Warning);
            break;
        default:
            break;  // cancelled by the user: nothing to say
        }
    });
    progress->show();
}

QString DownloadHandler::FailureReason(const Request& download) {
    switch (download.interruptReason()) {
    case Request::FileFailed:
    case Request::FileAccessDenied:
    case Request::FileTransientError:
    case Request::FileBlocked:
        return QStringLiteral("无法写入文件，请检查保存位置的权限。");
    case Request::FileNoSpace:
        return QStringLiteral("磁盘空间不足。");
    case Request::FileNameTooLong:
        return QStringLiteral("文件名太长。");
    case Request::FileTooLarge:
        return QStringLiteral("文件太大。");
    case Request::NetworkFailed:
    case Request::NetworkTimeout:
    case Request::NetworkDisconnected:
    case Request::NetworkServerDown:
    case Request::NetworkInvalidRequest:
        return QStringLiteral("网络连接中断。");
    case Request::ServerFailed:
    case Request::ServerBadContent:
    case Request::ServerUnauthorized:
    case Request::ServerCertProblem:
    case Request::ServerForbidden:
    case Request::ServerUnreachable:
        return QStringLiteral("服务器没有提供该文件。");
    default:
        return download.interruptReasonString();
    }
}

}  // namespace lumaro
