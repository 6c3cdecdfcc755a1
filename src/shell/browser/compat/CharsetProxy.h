#pragma once

#include <QStringList>
#include <chrono>
#include <optional>

#include "shell/browser/compat/proxy/ProxyState.h"

namespace lumaro {

// Pages of a Chinese Windows desk's era come without a charset, and Chromium
// guesses wrong on pages with only a few Chinese characters (EUC-KR,
// windows-1252); a response labelled GBK decodes right. So the plain http
// traffic of the layer's origins passes a small proxy in the program, which
// labels their pages that name no encoding as GBK (their scripts and style
// sheets then read as the page does, unless they name their own) and passes
// everything else through untouched. (https cannot be relabelled.) The parts
// are in proxy/: the door, one connection's exchange, the pool of server
// connections, the answer's changes, the engine's route to it.
class CharsetProxy {
public:
    // Starts the proxy on 127.0.0.1 and routes the engine's requests of the
    // layer's origins through it. Before the engine starts, with the origins
    // known then and the host of the server's address (or of the service that
    // looks it up; "" when none is configured); a proxy the user gave the
    // engine is kept.
    static void Start(const QString& serverHost);
    // The engine has read its switches: the environment gets back what it had,
    // so programs this one starts (itself again, at the first run) do not take
    // this run's proxy for theirs.
    static void EngineStarted();
    // The origins ("http://host[:port]", as origins::Of writes them) whose answers it labels.
    static void SetOrigins(const QStringList& origins);
    static quint16 Port();  // 0 when not started

    // A request whose head has not arrived in `headTime` is dropped, and of
    // more than `unfinished` such requests the oldest: whoever connects cannot
    // hold the proxy's connections. (Tests shorten them.)
    static void SetRequestLimits(std::chrono::milliseconds headTime, int unfinished);

    // A change the layer makes to whole answers of its origins, in one call.
    static void AddWholeAnswerTransform(proxy::WholeAnswerTransform transform);

    // The bytes of a recent page of those origins that holds an <xml> data
    // island, as the server sent them: the island's markup, which the HTML
    // parser does not keep, without asking the server again (the page may
    // have been the answer to a form, or an action).
    static std::optional<QByteArray> RecentPage(const QString& url);

    // Why answers of `origin` do not get the label now, for the user, or
    // nothing when they do: the proxy stopped, or the origin came after the
    // engine took its route and is reached directly until the next start.
    static std::optional<QString> Missing(const QString& origin);
    // Stops, as when its port and connections are lost (tests).
    static void StopListening();
};

}  // namespace lumaro
