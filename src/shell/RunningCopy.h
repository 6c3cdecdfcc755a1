#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

class QLocalServer;

namespace lumaro {

// One main window per user and settings file. The first start on a settings
// file holds a lock and listens on a local socket, both private to the user;
// a later start on the same file finds the lock taken, asks that copy through
// the socket to bring its window to the front, and ends. Starts on other
// settings files (another program folder) are other programs.
class RunningCopy : public QObject {
public:
    // The name both the lock and the socket go by: the user and the settings
    // files (the user's and the machine-wide one under it), hashed.
    static QString KeyFor(const std::string& settingsFile, const std::string& machineFile);

    // Folder of the program's data for these settings (the browser profile):
    // `installed` keeps the user's data folder; each program folder gets one of its own.
    static QString DataFolderFor(const QString& key, bool installed);

    explicit RunningCopy(const QString& key, QObject* parent = nullptr);
    ~RunningCopy() override;

    // True when another copy runs on these settings and was told to come to
    // the front (this start should end). False when this copy is the first:
    // it then listens, and runs `comeForward` for every later start.
    bool HandOver(std::function<void()> comeForward);

private:
    bool AskToComeForward();
    void Listen();

    QString socketPath_;
    QLockFile lock_;
    QLocalServer* server_ = nullptr;
    std::function<void()> comeForward_;
};

}  // namespace lumaro
