#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QWebEngineScript>

namespace lumaro::layerscript {

// The name the layer's script goes by in a page's or a profile's collection.
QString Name();

// The layer for one page, told of the page as its documents start: what
// pages get, as it costs them nothing more.
QWebEngineScript ForPage(const QStringList& origins, const QJsonObject& config, const QString& source);

// The layer for every page of a profile: each document asks the program which
// page it belongs to, by a call the page's own request interceptor names. The
// engine gives a profile's scripts to every page process it starts, also to one
// started after another ended; a page's own can then be missing.
QWebEngineScript ForProfile(const QStringList& origins, const QString& source);

}  // namespace lumaro::layerscript
