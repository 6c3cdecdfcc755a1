#pragma once

#include <QFrame>

class QLabel;
class QLineEdit;
class QWebEngineFindTextResult;
class QWebEngineView;

namespace lumaro {

// A browser's find bar. Ctrl+F opens it along the top of the view, the page
// moving down for it, its box at the right;
// it finds as one types and shows which match of how many is marked. Enter (or
// 下一个) goes to the next match, Shift+Enter (or 上一个) to the previous one; Esc
// (or 关闭) closes it, clears the marks but the last match, which stays selected,
// and gives the page the keys again.
class FindBar : public QFrame {
    Q_OBJECT
public:
    explicit FindBar(QWebEngineView* browser);

    void Open();
    void Close();
    // The next match of the text in the box (the previous one, backward).
    void Find(bool backward = false);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowResult(const QWebEngineFindTextResult& result);
    void FollowBrowser();

    QWebEngineView* browser_;
    QLineEdit* txtFind_;
    QLabel* lblMatches_;
};

}  // namespace lumaro
