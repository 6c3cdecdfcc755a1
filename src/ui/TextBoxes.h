#pragma once

class QLineEdit;

// What single-line boxes keep of the text typed, pasted or composed into them,
// so every window treats what people enter the same way.
namespace lumaro::ui {

enum class BoxText {
    Line,       // any text; line breaks are dropped
    AsciiLine,  // the same, with full-width letters, digits and signs (what a Chinese
                // input method gives in full-width mode) and the ideographic space as ASCII
    Number,     // a decimal number as people type it: ASCII forms ("。" a decimal point
                // too), thousands separators and blanks dropped, then digits, one ".",
                // a sign and an exponent; an entry that leaves anything else is refused
};

// Makes `box` keep its text as `kind` says, whether typed, pasted or set.
void KeepInBox(QLineEdit* box, BoxText kind);

}  // namespace lumaro::ui
