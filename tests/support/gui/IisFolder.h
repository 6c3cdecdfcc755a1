#pragma once

#include <QString>

namespace lumaro::test {

class TestHttpServer;

// Serves the files under `folder` at `prefix` + their path in it, as an IIS server of the early 2000s served
// them: each file's bytes as stored, a Content-Type by extension and never a charset. Files named *.asp are
// pages the tests wrote in the idiom of the time: kept in UTF-8, they are sent in GBK as a Chinese desk saved them.
void ServeAsIis(TestHttpServer& server, const QString& folder, const QString& prefix);

}  // namespace lumaro::test
