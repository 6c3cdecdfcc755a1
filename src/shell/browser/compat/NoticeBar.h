#pragma once

#include <QLabel>
#include <QStringList>

class QWebEngineView;

namespace lumaro {

// One line over the top of a page that names what the page uses and the
// program cannot run (VBScript, HTC behaviours, other ActiveX controls). It
// goes when the browser opens another page, or with its 关闭 link.
class NoticeBar : public QLabel {
    Q_OBJECT
public:
    static NoticeBar* For(QWidget* view);

    void Add(const QString& feature);
    // A line of its own about the program rather than the page.
    void Say(const QString& message);
    const QStringList& features() const { return features_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit NoticeBar(QWidget* view);
    void Clear();
    void FollowView();
    void Reserve(int height);  // room at the top of the view
    void Show();

    QStringList features_;
    QString message_;
};

}  // namespace lumaro
