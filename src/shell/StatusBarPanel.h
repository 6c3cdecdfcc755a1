#pragma once

#include <QLabel>

namespace lumaro {

// A status bar panel of a design width. When the window is narrower than the
// panels together, a label panel keeps its text whole while a value panel
// gives way: it shrinks with the window, shows as much of its value as fits,
// ending in "…", and the whole value as its tooltip. text() is always the whole value.
class StatusBarPanel : public QLabel {
    Q_OBJECT
public:
    StatusBarPanel(const QString& text, int width, bool yields, QWidget* parent);

    // What the panel shows now: the text, or its start and "…".
    QString ShownText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void UpdateTooltip();

    int width_;
    bool yields_;
};

}  // namespace lumaro
