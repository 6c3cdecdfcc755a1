#pragma once

#include <QString>

class QWidget;

namespace lumaro::ui {

// Asks where to save a file, in Chinese whatever the desktop's language (the
// file list's types, dates and sizes included), starting in the folder of
// `proposedPath` with its name proposed, or in the user's home folder when
// that folder does not exist. "" when the user cancels. `filter` as
// QFileDialog takes it ("CSV 文件 (*.csv);;所有文件 (*)"); empty for any file.
QString AskSavePath(QWidget* parent, const QString& title, const QString& proposedPath, const QString& filter = {});

}  // namespace lumaro::ui
