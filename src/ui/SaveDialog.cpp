#include "ui/SaveDialog.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace lumaro::ui {
namespace {

// The file list's columns as a Chinese desk shows them. Qt writes sizes and dates in the system's locale and
// names file types in English where its translations lack them.
class ChineseFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const QString headings[] = {QStringLiteral("名称"), QStringLiteral("大小"), QStringLiteral("类型"),
                                           QStringLiteral("修改日期")};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 4) return headings[section];
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files || role != Qt::DisplayRole || index.column() == 0) return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        switch (index.column()) {
        case 1: return info.isDir() ? QString() : Size(info.size());
        case 2:
            if (info.isDir()) return QStringLiteral("文件夹");
            return info.suffix().isEmpty() ? QStringLiteral("文件") : info.suffix().toUpper() + QStringLiteral(" 文件");
        case 3: return info.lastModified().toString(QStringLiteral("yyyy/M/d H:mm"));
        default: return QIdentityProxyModel::data(index, role);
        }
    }

private:
    static QString Size(qint64 bytes) {
        if (bytes < 1024) return QStringLiteral("%1 字节").arg(bytes);
        const char* const units[] = {"KB", "MB", "GB", "TB"};
        double value = bytes / 1024.0;
        int unit = 0;
        for (; value >= 1024 && unit < 3; ++unit) value /= 1024;
        return QStringLiteral("%1 %2").arg(value, 0, 'f', 1).arg(QLatin1String(units[unit]));
    }
};

}  // namespace

QString AskSavePath(QWidget* parent, const QString& title, const QString& proposedPath, const QString& filter) {
    // Qt's own dialog: the desktop's would speak the desktop's language.
    QFileDialog dialog(parent, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setProxyModel(new ChineseFileColumns(&dialog));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("保存在："));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("文件名："));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("保存类型："));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("保存(&S)"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
    dialog.setViewMode(QFileDialog::Detail);
    if (!filter.isEmpty()) dialog.setNameFilter(filter);
    const QFileInfo proposed(proposedPath);
    // A name typed without an extension gets the proposed one ("还款表" saves as 还款表.csv).
    if (!proposed.suffix().isEmpty()) dialog.setDefaultSuffix(proposed.suffix());
    const QDir folder = proposed.absoluteDir();
    dialog.setDirectory(folder.exists() ? folder.absolutePath() : QDir::homePath());
    dialog.selectFile(proposed.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace lumaro::ui
