#pragma once

#include <QWidget>

namespace lumaro {

// A slim line along the top edge of the browser showing how far a page has
// loaded. It lies over the page (it takes no room and no clicks) and is shown
// only while loading, so the window's caption and status bar stay as they are.
class LoadProgressLine : public QWidget {
    Q_OBJECT
public:
    static constexpr int Thickness = 3;

    explicit LoadProgressLine(QWidget* browser);

    void Start();
    void SetProgress(int percent);
    void Finish();
    int progress() const { return percent_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void FollowBrowser();

    int percent_ = 0;
};

}  // namespace lumaro
