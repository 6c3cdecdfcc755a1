#include "ui/TextBoxes.h"

#include <QLineEdit>
#include <QValidator>

namespace lumaro::ui {
namespace {

bool IsLineBreak(QChar c) {
    switch (c.unicode()) {
    case u'\n': case u'\r': case u'\v': case u'\f': case 0x0085: case 0x2028: case 0x2029: return true;
    default: return false;
    }
}

QChar AsciiForm(QChar c) {
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E) return QChar(u - 0xFF01 + 0x21);
    if (u == 0x3000) return QLatin1Char(' ');
    return c;
}

// What people put between the groups of digits in large numbers.
bool IsGroupSeparator(QChar c) {
    return c == QLatin1Char(',') || c == QLatin1Char(' ') || c == QLatin1Char('\t') || c.unicode() == 0x00A0 ||
           c.unicode() == 0x2009 || c.unicode() == 0x202F;
}

// QLineEdit takes a changed text from its validator; so the box holds the kept form whether the text was
// typed, pasted, composed or set. Nothing is refused here: a text refused without a word would be lost.
class BoxValidator : public QValidator {
public:
    BoxValidator(BoxText kind, QObject* parent) : QValidator(parent), kind_(kind) {}

    State validate(QString& input, int& pos) const override {
        QString kept;
        kept.reserve(input.size());
        int cursor = pos;
        for (qsizetype i = 0; i < input.size(); ++i) {
            QChar c = input[i];
            if (kind_ != BoxText::Line) c = AsciiForm(c);
            if (kind_ == BoxText::Number) {
                if (c.unicode() == 0x3002) c = QLatin1Char('.');  // 。, the point of a Chinese input method
                if (c.unicode() == 0x2212) c = QLatin1Char('-');  // the typographic minus
            }
            if (IsLineBreak(c) || (kind_ == BoxText::Number && IsGroupSeparator(c))) {
                if (i < pos) --cursor;
                continue;
            }
            kept += c;
        }
        input = kept;
        pos = cursor;
        return Acceptable;
    }

private:
    BoxText kind_;
};

}  // namespace

void KeepInBox(QLineEdit* box, BoxText kind) {
    box->setValidator(new BoxValidator(kind, box));
    // A text set before the validator was is kept the same way.
    if (!box->text().isEmpty()) box->setText(box->text());
}

}  // namespace lumaro::ui
