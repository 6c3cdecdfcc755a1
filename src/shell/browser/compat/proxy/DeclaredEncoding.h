#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace lumaro::proxy {

// How many first bytes of a page the HTML rules look at for its encoding.
inline constexpr qsizetype kPrescanBytes = 1024;

// The encoding a page's first bytes name, as the HTML rules' prescan finds
// it: a byte-order mark, <meta charset> or <meta http-equiv="Content-Type"
// content="…; charset=…">, skipping comments and other tags; empty for none.
QByteArray DeclaredEncoding(QByteArrayView firstBytes);
// The charset a Content-Type names, if any.
QByteArray CharsetOf(const QByteArray& contentType);

// The Content-Type a page of the layer's origins gets: GBK added when neither
// the answer nor the page names an encoding (a Chinese Windows desk read such
// pages as GBK); otherwise as it came.
QByteArray LabelPage(const QByteArray& contentType, QByteArrayView firstBytes);

bool IsPage(const QByteArray& contentType);  // text/html

}  // namespace lumaro::proxy
