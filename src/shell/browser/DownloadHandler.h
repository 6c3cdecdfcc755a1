#pragma once

#include <QObject>
#include <QString>

class QWebEngineDownloadRequest;
class QWebEngineProfile;

namespace lumaro {

// The downloads of a profile: asks where to save (proposing the user's
// download folder and the name the server gives), shows the progress in a
// small window with a cancel button, and says when the file is saved or the
// download failed. Lives as a child of its profile.
class DownloadHandler : public QObject {
    Q_OBJECT
public:
    explicit DownloadHandler(QWebEngineProfile* profile);

    // How a failed download is explained to the user.
    static QString FailureReason(const QWebEngineDownloadRequest& download);

private:
    void OnDownloadRequested(QWebEngineDownloadRequest* download);
    void Track(QWebEngineDownloadRequest* download, QWidget* parent);
};

}  // namespace lumaro
