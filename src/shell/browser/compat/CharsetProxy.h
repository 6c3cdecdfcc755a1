#pragma once

#include <QStringList>
#include <optional>

namespace lumaro {

// Pages of a Chinese Windows desk's era come without a charset, and Chromium
// guesses wrong on pages with only a few Chinese characters (EUC-KR,
// windows-1252); a response labelled GBK decodes right. So the browser's
// plain http traffic passes a small proxy in the program, which labels the
// unlabelled pages, scripts and style sheets of the given hosts as GBK and
// passes everything else through untouched. (https cannot be relabelled.)
class CharsetProxy {
public:
    // Starts the proxy on 127.0.0.1 and routes the browser's http through it.
    // Before the engine starts; a proxy the user gave the engine is kept.
    static void Start();
    static void SetHosts(const QStringList& hosts);
    static quint16 Port();  // 0 when not started

    // The Content-Type a response of a layer host gets: GBK added to an
    // unlabelled page, script or style sheet, anything else as it came.
    static QByteArray Relabel(const QByteArray& contentType);

    // The bytes of a recent page of those hosts that holds an <xml> data
    // island, as the server sent them: the island's markup, which the HTML
    // parser does not keep, without asking the server again (the page may
    // have been the answer to a form, or an action).
    static std::optional<QByteArray> RecentPage(const QString& url);
};

}  // namespace lumaro
