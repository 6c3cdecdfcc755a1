#pragma once

#include <QString>

namespace lumaro::test {

// The text of a PDF file as pdftotext (poppler-utils) lays it out, pages ending in a form feed; "" when it
// cannot be read. The pdftotext process ends with the test process, even when the test aborts.
QString PdfText(const QString& pdf);

}  // namespace lumaro::test
