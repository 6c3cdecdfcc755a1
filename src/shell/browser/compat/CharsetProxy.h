#pragma once

#include <QStringList>
#include <chrono>
#include <optional>

namespace lumaro {

// Pages of a Chinese Windows desk's era come without a charset, and Chromium
// guesses wrong on pages with only a few Chinese characters (EUC-KR,
// windows-1252); a response labelled GBK decodes right. So the browser's
// plain http traffic passes a small proxy in the program, which labels the
// unlabelled pages, scripts and style sheets of the given origins as GBK and
// passes everything else through untouched. (https cannot be relabelled.)
class CharsetProxy {
public:
    // Starts the proxy on 127.0.0.1 and routes the browser's http through it.
    // Before the engine starts; a proxy the user gave the engine is kept.
    static void Start();
    // The origins ("http://host[:port]", as origins::Of writes them) whose answers it labels.
    static void SetOrigins(const QStringList& origins);
    static quint16 Port();  // 0 when not started

    // A request whose head has not arrived in `headTime` is dropped, and of
    // more than `unfinished` such requests the oldest: whoever connects cannot
    // hold the proxy's connections. (Tests shorten them.)
    static void SetRequestLimits(std::chrono::milliseconds headTime, int unfinished);

    // The Content-Type a response of a layer host gets: GBK added to an
    // unlabelled page, script or style sheet, anything else as it came.
    static QByteArray Relabel(const QByteArray& contentType);

    // The bytes of a recent page of those origins that holds an <xml> data
    // island, as the server sent them: the island's markup, which the HTML
    // parser does not keep, without asking the server again (the page may
    // have been the answer to a form, or an action).
    static std::optional<QByteArray> RecentPage(const QString& url);
};

}  // namespace lumaro
