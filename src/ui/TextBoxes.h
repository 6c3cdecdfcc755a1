#pragma once

class QLineEdit;

// What single-line boxes keep of the text typed, pasted or composed into them,
// so every window treats what people enter the same way.
namespace lumaro::ui {

enum class BoxText {
    Line,       // any text; line breaks are dropped
    AsciiLine,  // the same, with full-width letters, digits and signs (what a Chinese
                // input method gives in full-width mode) and the ideographic space as ASCII
    Number,     // a number as people type it: ASCII forms ("。" a decimal point too),
                // thousands separators and blanks dropped; whatever else is typed stays
                // for the window to read or refuse (units such as 万 or 年 included)
};

// Makes `box` keep its text as `kind` says, whether typed, pasted or set.
void KeepInBox(QLineEdit* box, BoxText kind);

}  // namespace lumaro::ui
