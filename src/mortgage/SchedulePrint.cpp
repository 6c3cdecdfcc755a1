#include "mortgage/SchedulePrint.h"

#include <algorithm>
#include <array>

#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include "mortgage/Schedule.h"
#include "ui/WindowKit.h"

namespace lumaro {
namespace {

QFont PrintFont(double points, bool bold = false) {
    QFont font(QStringLiteral("宋体"), 10);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The label column and the three amount columns across the page width.
constexpr std::array<double, 1 + ScheduleTable::Columns> Shares = {0.16, 0.28, 0.28, 0.28};

class PageWriter {
public:
    PageWriter(QPainter& painter, QRect page) : painter_(painter), page_(page) {}

    // One table line: the label left, the amounts (and their headings) right, each within its column.
    void Row(int top, int height, const std::array<QString, 4>& texts) {
        int left = page_.left();
        const int pad = height / 2;
        for (std::size_t c = 0; c < texts.size(); ++c) {
            const int width = static_cast<int>(page_.width() * Shares[c]);
            const QRect cell(left + pad, top, width - 2 * pad, height);
            painter_.drawText(cell, int((c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter), texts[c]);
            left += width;
        }
    }
    void Rule(int y, qreal width) {
        painter_.save();
        painter_.setPen(QPen(Qt::black, width));
        painter_.drawLine(page_.left(), y, page_.right(), y);
        painter_.restore();
    }

private:
    QPainter& painter_;
    QRect page_;
};

}  // namespace

void PrintSchedule(QPagedPaintDevice& device, const MemoryScheduleTable& schedule, const ScheduleHeading& heading) {
    QPainter painter(&device);
    if (!painter.isActive()) return;
    const QRect page(QPoint(0, 0), device.pageLayout().paintRectPixels(device.logicalDpiX()).size());

    const QFont title = PrintFont(16, true), body = PrintFont(10.5), bold = PrintFont(10.5, true);
    const int line = QFontMetrics(body, &device).lineSpacing();
    const int rowHeight = line * 5 / 4;
    const int footer = line * 2;

    // The first page begins with the title and the inputs; every page with the headings.
    const QStringList inputs = {QStringLiteral("贷款金额：") + heading.amount,
                                QStringLiteral("月 利 率：") + heading.rate + QStringLiteral(" ％"),
                                QStringLiteral("贷款期数：") + heading.periods,
                                QStringLiteral("还款方式：") + heading.method,
                                QStringLiteral("打印日期：") + heading.date.toString(QStringLiteral("yyyy年M月d日"))};
    const int titleHeight = QFontMetrics(title, &device).lineSpacing() * 2;
    const int firstTop = titleHeight + static_cast<int>(inputs.size()) * line + line;
    const int rows = schedule.RowCount();
    const auto rowsFrom = [&](int top) { return std::max(1, (page.height() - footer - top) / rowHeight - 1); };
    const int firstRows = rowsFrom(firstTop), laterRows = rowsFrom(0);
    const int pages = rows <= firstRows ? 1 : 1 + (rows - firstRows + laterRows - 1) / laterRows;

    PageWriter writer(painter, page);
    int row = 1;
    for (int number = 1; number <= pages; ++number) {
        if (number > 1) device.newPage();
        int top = 0;
        if (number == 1) {
            painter.setFont(title);
            painter.drawText(QRect(page.left(), 0, page.width(), titleHeight), Qt::AlignHCenter | Qt::AlignTop,
                             QStringLiteral("按揭还款表"));
            painter.setFont(body);
            top = titleHeight;
            for (const QString& input : inputs) {
                painter.drawText(QRect(page.left(), top, page.width(), line), Qt::AlignLeft | Qt::AlignVCenter, input);
                top += line;
            }
            top += line;
        }
        painter.setFont(bold);
        writer.Row(top, rowHeight, {QStringLiteral("期数"), QStringLiteral("本金"), QStringLiteral("利息"),
                                    QStringLiteral("应还款")});
        top += rowHeight;
        writer.Rule(top, line / 12.0);
        const int last = std::min(rows, row + (number == 1 ? firstRows : laterRows) - 1);
        for (; row <= last; ++row) {
            const bool totals = row == rows;
            painter.setFont(totals ? bold : body);
            if (totals) writer.Rule(top, line / 24.0);
            writer.Row(top, rowHeight, {ui::Q(schedule.RowLabel(row)), ui::Q(schedule.CellText(row, 1)),
                                        ui::Q(schedule.CellText(row, 2)), ui::Q(schedule.CellText(row, 3))});
            top += rowHeight;
        }
        painter.setFont(body);
        painter.drawText(QRect(page.left(), page.height() - line, page.width(), line), Qt::AlignHCenter | Qt::AlignBottom,
                         QStringLiteral("第 %1 页，共 %2 页").arg(number).arg(pages));
    }
}

}  // namespace lumaro
