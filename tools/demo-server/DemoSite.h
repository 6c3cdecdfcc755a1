#pragma once

#include "HttpServer.h"

namespace demo {

// The two outside servers the client talks to, played by one process:
//
//   the address-lookup service   GET /register/ReadIP.asp?ServerID=<id>
//     888  a page with <IP>http://127.0.0.1:PORT</IP>
//     889  the same with the markers in lower case (<ip>...</ip>)
//     890  an address that is not a web address (javascript:...)
//     891  HTTP 503, but the body still carries the address
//     892  the address in a GBK page (charset=gbk)
//     893  the address after 1.5 MiB of filler; 894 the address before it
//     any other identifier: a page without markers
//
//   a sample listing web application under /House/ (paths are matched
//   regardless of letter case, as the agency's IIS server does)
//     /House/?DatabaseName=House             the listings (type=sale|rent filters)
//     /House/detail.asp?id=N&DatabaseName=…  one listing (opened in a new window)
//     /House/print.asp?DatabaseName=…        a printable list
//     /House/export.asp?DatabaseName=…       a CSV download
//     /House/admin.asp?DatabaseName=…        behind HTTP basic authentication, demo / demo
//
//     /House/legacy/index.asp                a corner written for the embedded Internet Explorer, as
//                                            classic ASP sites were: GBK without a charset, a frameset,
//                                            a showModalDialog picker, ActiveX printing and XMLHTTP
//     /House/legacy/count.asp?district=…&type=…   the listings that match, as XML (GBK)
//
//   /slow?ms=3000                            answers after the given time (at most 60 s)
class DemoSite {
public:
    explicit DemoSite(const HttpServer& server) : server_(server) {}
    HttpResponse operator()(const HttpRequest& request) const;

private:
    QString origin() const;
    HttpResponse lookup(const HttpRequest& request) const;
    HttpResponse listings(const HttpRequest& request) const;
    HttpResponse detail(const HttpRequest& request) const;
    HttpResponse printable(const HttpRequest& request) const;
    HttpResponse exportCsv(const HttpRequest& request) const;
    HttpResponse admin(const HttpRequest& request) const;
    HttpResponse legacy(const HttpRequest& request) const;
    HttpResponse legacyHouses(const HttpRequest& request) const;

    const HttpServer& server_;
};

}  // namespace demo
