#include "DemoSite.h"

#include <algorithm>
#include <optional>
#include <QDate>
#include <QFile>
#include <QLocale>
#include <QStringList>
#include <QUrl>

#include "platform/Platform.h"

namespace demo {
namespace {

enum class Shape { Tower, Villa, Block };

struct Listing {
    int id;
    const char* title;
    const char* community;
    const char* district;
    const char* layout;
    double area;  // square metres
    const char* floor;
    const char* orientation;
    int built;
    bool rent;
    double price;  // 万元 for sale, 元/月 for rent
    const char* tags;  // separated by "|"
    const char* description;
    const char* agent;
    const char* phone;
    Shape shape;
    const char* sky;
    const char* wall;
    const char* roof;
    const char* owner;  // internal: owner and floor price
};

const Listing Listings[] = {
    {1, "阳光花园 南北通透三居", "阳光花园", "朝阳区", "3室2厅2卫", 120.5, "12/18层", "南北", 2009, false, 580,
     "近地铁|满五唯一|精装修", "小区绿化率高，步行五分钟到地铁站。客厅朝南带大阳台，主卧朝南，次卧朝北，厨房明亮。",
     "王晓明", "138-0000-1001", Shape::Tower, "#bfe3ff", "#e8d8c4", "#b5835a", "李先生 139-0000-2001，底价 560 万"},
    {2, "翠湖苑 精装两居 拎包入住", "翠湖苑", "海淀区", "2室1厅1卫", 86.0, "6/6层", "南", 2003, false, 420,
     "学区房|带车位", "低密度多层住宅，邻近重点小学。房屋精装修，家具家电齐全，送地下车位一个。", "刘芳",
     "138-0000-1002", Shape::Block, "#c9f0e4", "#f1e4cf", "#7a9e7e", "周女士 139-0000-2002，底价 405 万"},
    {3, "金桂公寓 一居室 月租", "金桂公寓", "西城区", "1室1厅1卫", 52.3, "9/24层", "东", 2012, true, 4500,
     "随时看房|押一付三", "商圈中心，交通便利，适合上班族。房间干净整洁，家电齐全。", "陈刚", "138-0000-1003",
     Shape::Tower, "#ffe2c6", "#d9dee8", "#6c7a96", "赵先生 139-0000-2003，最低月租 4200 元"},
    {4, "枫林别墅 独栋带花园", "枫林别墅", "昌平区", "5室3厅4卫", 310.0, "1-3层", "南", 2015, false, 1280,
     "独栋|花园 200㎡|双车位", "独栋别墅，前后花园约 200 平方米，地下室可做影音室，社区安静，物业完善。", "王晓明",
     "138-0000-1001", Shape::Villa, "#d7ecff", "#f5efe6", "#a94438", "孙先生 139-0000-2004，底价 1200 万"},
    {5, "海棠湾 三居 看湖景", "海棠湾", "丰台区", "3室1厅1卫", 98.7, "15/28层", "西南", 2018, false, 465,
     "湖景房|电梯房", "高层湖景，视野开阔。户型方正，得房率高，小区配套商业齐全。", "刘芳", "138-0000-1002",
     Shape::Tower, "#c3dafe", "#cfe3e8", "#3f6b7a", "吴女士 139-0000-2005，底价 450 万"},
    {6, "学府小区 两居 整租", "学府小区", "海淀区", "2室2厅1卫", 78.4, "3/6层", "南北", 1998, true, 6800,
     "近高校|家电齐全", "紧邻高校，生活便利。南北通透，采光好，适合家庭居住。", "陈刚", "138-0000-1003",
     Shape::Block, "#fde2e4", "#efe7da", "#8a5a44", "郑先生 139-0000-2006，最低月租 6500 元"},
};

QString Esc(const QString& text) { return text.toHtmlEscaped(); }
QString U(const char* utf8) { return QString::fromUtf8(utf8); }

const Listing* Find(int id) {
    for (const Listing& listing : Listings)
        if (listing.id == id) return &listing;
    return nullptr;
}

QString PriceText(const Listing& l) {
    return l.rent ? QStringLiteral("%1 <small>元/月</small>").arg(QLocale(QLocale::C).toString(l.price, 'f', 0))
                  : QStringLiteral("%1 <small>万元</small>").arg(l.price);
}

QString UnitText(const Listing& l) {
    if (l.rent) return QStringLiteral("%1 元/㎡·月").arg(l.price / l.area, 0, 'f', 1);
    return QStringLiteral("单价 %1 元/㎡").arg(QLocale(QLocale::C).toString(l.price * 10000 / l.area, 'f', 0));
}

QString Tags(const Listing& l) {
    QString out;
    for (const QString& tag : U(l.tags).split(QLatin1Char('|'))) out += QStringLiteral("<span>%1</span>").arg(Esc(tag));
    return out;
}

// A small picture of the building, drawn rather than photographed.
QString Picture(const Listing& l) {
    const QString wall = U(l.wall), roof = U(l.roof), sky = U(l.sky);
    QString svg = QStringLiteral(
                      "<svg viewBox=\"0 0 320 190\" xmlns=\"http://www.w3.org/2000/svg\" "
                      "role=\"img\" aria-label=\"%1\">"
                      "<defs><linearGradient id=\"sky%2\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
                      "<stop offset=\"0\" stop-color=\"%3\"/><stop offset=\"1\" stop-color=\"#ffffff\"/></linearGradient></defs>"
                      "<rect width=\"320\" height=\"190\" fill=\"url(#sky%2)\"/>"
                      "<circle cx=\"272\" cy=\"38\" r=\"18\" fill=\"#ffd54f\"/>"
                      "<g fill=\"#fff\" opacity=\".9\"><ellipse cx=\"70\" cy=\"34\" rx=\"26\" ry=\"9\"/>"
                      "<ellipse cx=\"90\" cy=\"28\" rx=\"18\" ry=\"9\"/></g>")
                      .arg(Esc(U(l.title)))
                      .arg(l.id)
                      .arg(sky);
    auto windows = [&](int x0, int y0, int cols, int rows, int w, int h, int dx, int dy) {
        QString out = QStringLiteral("<g fill=\"#dff1ff\" stroke=\"#8fa7bf\" stroke-width=\".6\">");
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                out += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"/>")
                           .arg(x0 + c * dx)
                           .arg(y0 + r * dy)
                           .arg(w)
                           .arg(h);
        return out + QStringLiteral("</g>");
    };
    switch (l.shape) {
    case Shape::Tower:
        svg += QStringLiteral("<rect x=\"36\" y=\"70\" width=\"64\" height=\"100\" fill=\"%1\" opacity=\".55\"/>").arg(roof);
        svg += windows(44, 80, 4, 7, 8, 8, 14, 12);
        svg += QStringLiteral("<rect x=\"118\" y=\"26\" width=\"96\" height=\"144\" fill=\"%1\" stroke=\"%2\" stroke-width=\"2\"/>"
                              "<rect x=\"114\" y=\"20\" width=\"104\" height=\"8\" fill=\"%2\"/>")
                   .arg(wall, roof);
        svg += windows(128, 36, 5, 10, 10, 8, 16, 13);
        svg += QStringLiteral("<rect x=\"156\" y=\"150\" width=\"20\" height=\"20\" fill=\"%1\"/>").arg(roof);
        break;
    case Shape::Block:
        svg += QStringLiteral("<rect x=\"34\" y=\"72\" width=\"252\" height=\"98\" fill=\"%1\" stroke=\"%2\" stroke-width=\"2\"/>"
                              "<rect x=\"28\" y=\"64\" width=\"264\" height=\"10\" fill=\"%2\"/>")
                   .arg(wall, roof);
        svg += windows(46, 84, 9, 5, 16, 10, 26, 16);
        svg += QStringLiteral("<g fill=\"%1\" opacity=\".35\">").arg(roof);
        for (int r = 0; r < 5; ++r) svg += QStringLiteral("<rect x=\"40\" y=\"%1\" width=\"240\" height=\"2\"/>").arg(96 + r * 16);
        svg += QStringLiteral("</g><rect x=\"150\" y=\"150\" width=\"20\" height=\"20\" fill=\"%1\"/>").arg(roof);
        break;
    case Shape::Villa:
        svg += QStringLiteral("<rect x=\"86\" y=\"98\" width=\"150\" height=\"72\" fill=\"%1\" stroke=\"#c8bba8\" stroke-width=\"2\"/>"
                              "<rect x=\"196\" y=\"46\" width=\"14\" height=\"30\" fill=\"#8d6e63\"/>"
                              "<polygon points=\"72,100 161,44 250,100\" fill=\"%2\"/>"
                              "<rect x=\"150\" y=\"128\" width=\"22\" height=\"42\" fill=\"#8d6e63\"/>"
                              "<circle cx=\"167\" cy=\"150\" r=\"1.8\" fill=\"#ffd54f\"/>")
                   .arg(wall, roof);
        svg += windows(102, 112, 2, 1, 28, 22, 84, 0);
        svg += windows(147, 70, 1, 1, 28, 18, 0, 0);
        svg += QStringLiteral("<rect x=\"268\" y=\"128\" width=\"8\" height=\"42\" fill=\"#795548\"/>"
                              "<circle cx=\"272\" cy=\"118\" r=\"22\" fill=\"#4caf50\"/>"
                              "<rect x=\"40\" y=\"150\" width=\"40\" height=\"20\" rx=\"3\" fill=\"#2196f3\"/>"
                              "<circle cx=\"50\" cy=\"171\" r=\"5\" fill=\"#333\"/><circle cx=\"70\" cy=\"171\" r=\"5\" fill=\"#333\"/>");
        break;
    }
    svg += QStringLiteral("<rect y=\"170\" width=\"320\" height=\"20\" fill=\"#7cb26a\"/>"
                          "<g fill=\"#5b9a4a\"><circle cx=\"20\" cy=\"166\" r=\"10\"/><circle cx=\"300\" cy=\"166\" r=\"9\"/></g></svg>");
    return svg;
}

const char* const Style = R"CSS(
*{box-sizing:border-box}
body{margin:0;font-family:"WenQuanYi Zen Hei","Microsoft YaHei","PingFang SC",sans-serif;background:#f3f4f6;color:#1f2937}
a{color:#157347}
header.site{background:linear-gradient(90deg,#0f5132,#198754);color:#fff;padding:12px 32px;display:flex;align-items:center;gap:14px}
header.site h1{font-size:22px;margin:0;letter-spacing:1px}
header.site .tagline{font-size:12px;opacity:.85}
header.site nav{margin-left:auto}
header.site nav a{color:#fff;margin-left:20px;text-decoration:none;font-size:14px}
header.site nav a:hover{text-decoration:underline}
.bar{display:flex;align-items:center;gap:10px;padding:16px 32px 0}
.bar a{padding:5px 14px;border-radius:16px;background:#fff;border:1px solid #d1d5db;text-decoration:none;color:#374151;font-size:14px}
.bar a.on{background:#198754;border-color:#198754;color:#fff}
.bar .count{margin-left:auto;color:#6b7280;font-size:13px}
.notice{margin:14px 32px 0;background:#fff8e1;border:1px solid #ffe08a;padding:8px 14px;border-radius:6px;font-size:13px;color:#6b5200}
.grid{display:grid;grid-template-columns:repeat(auto-fill,minmax(270px,1fr));gap:20px;padding:18px 32px}
.card{background:#fff;border-radius:8px;overflow:hidden;box-shadow:0 1px 3px rgba(0,0,0,.12);display:flex;flex-direction:column}
.pic{position:relative}
.pic svg{display:block;width:100%;height:auto}
.badge{position:absolute;top:10px;left:10px;color:#fff;font-size:12px;padding:2px 8px;border-radius:3px;background:#dc3545}
.badge.rent{background:#0d6efd}
.card .body{padding:12px 14px 6px;flex:1}
.title{font-size:16px;font-weight:bold}
.meta{color:#6b7280;font-size:13px;margin-top:5px}
.tags span{display:inline-block;background:#ecfdf5;color:#047857;font-size:12px;padding:1px 6px;margin:7px 4px 0 0;border-radius:3px}
.foot{display:flex;justify-content:space-between;align-items:flex-end;padding:8px 14px 14px}
.price{color:#dc2626;font-size:22px;font-weight:bold}
.price small{font-size:13px;font-weight:normal}
.unit{color:#9ca3af;font-size:12px}
a.button{background:#198754;color:#fff;padding:6px 12px;border-radius:4px;text-decoration:none;font-size:13px;border:0;cursor:pointer}
footer{text-align:center;color:#9ca3af;font-size:12px;padding:10px 0 22px}
.page{max-width:900px;margin:24px auto;background:#fff;border-radius:8px;box-shadow:0 1px 3px rgba(0,0,0,.12);overflow:hidden}
.page .top{display:flex}.page .top .pic{flex:0 0 460px}.page .summary{padding:20px 26px;flex:1}
.page .content{padding:18px 26px}
.page h2{margin:0 0 6px;font-size:22px}
table.facts{border-collapse:collapse;width:100%;margin:14px 0}
table.facts td{border-bottom:1px solid #e5e7eb;padding:7px 4px;font-size:14px}
table.facts td:first-child{color:#6b7280;width:110px}
.agent{background:#f9fafb;border:1px solid #e5e7eb;border-radius:6px;padding:10px 14px;margin-top:12px}
)CSS";

const char* const Logo =
    "<svg width=\"40\" height=\"40\" viewBox=\"0 0 40 40\" xmlns=\"http://www.w3.org/2000/svg\">"
    "<rect width=\"40\" height=\"40\" rx=\"8\" fill=\"#fff\"/>"
    "<polygon points=\"6,21 20,8 34,21\" fill=\"#dc3545\"/>"
    "<rect x=\"10\" y=\"20\" width=\"20\" height=\"13\" fill=\"#198754\"/>"
    "<rect x=\"17\" y=\"24\" width=\"6\" height=\"9\" fill=\"#fff\"/></svg>";

QString Page(const QString& title, const QString& body, const QString& database) {
    const QString db = QString::fromUtf8(QUrl::toPercentEncoding(database));
    return QStringLiteral("<!DOCTYPE html><html lang=\"zh-CN\"><head><meta charset=\"utf-8\">"
                          "<meta name=\"viewport\" content=\"width=device-width\"><title>%1</title><style>%2</style></head><body>"
                          "<header class=\"site\">%3<div><h1>安居房产</h1><div class=\"tagline\">Lumaro 演示房源系统</div></div>"
                          "<nav><a href=\"/House/?DatabaseName=%4\">房源列表</a>"
                          "<a href=\"/House/print.asp?DatabaseName=%4\">打印房源单</a>"
                          "<a href=\"/House/export.asp?DatabaseName=%4\">导出 CSV</a>"
                          "<a href=\"/House/admin.asp?DatabaseName=%4\">内部资料</a>"
                          "<a href=\"/House/legacy/index.asp\">老版页面</a></nav></header>%5"
                          "<footer>演示数据，仅供测试 · 数据库：%6</footer></body></html>")
        .arg(Esc(title), U(Style), U(Logo), db, body, Esc(database));
}

HttpResponse Problem(int status, const QString& title, const QString& text) {
    return HttpResponse::Html(
        QStringLiteral("<!DOCTYPE html><html lang=\"zh-CN\"><head><meta charset=\"utf-8\"><title>%1</title>"
                       "<style>body{font-family:\"WenQuanYi Zen Hei\",sans-serif;padding:40px;color:#374151}</style></head>"
                       "<body><h1>%1</h1><p>%2</p><p><a href=\"/House/?DatabaseName=House\">返回房源列表</a></p></body></html>")
            .arg(Esc(title), text),
        status);
}

// The one database this server holds; names are matched regardless of case.
std::optional<QString> Database(const HttpRequest& request, HttpResponse* problem) {
    const QString name = request.param(QStringLiteral("DatabaseName"));
    if (name.compare(QLatin1String("House"), Qt::CaseInsensitive) == 0) return name;
    *problem = name.isEmpty() ? Problem(400, QStringLiteral("缺少数据库名称"),
                                        QStringLiteral("地址中没有 DatabaseName 参数。"))
                              : Problem(404, QStringLiteral("数据库不存在"),
                                        QStringLiteral("服务器上没有名为“%1”的数据库。").arg(Esc(name)));
    return std::nullopt;
}

// As the agency's IIS server of the time answered: GBK bytes, the type without a charset. Text GBK
// cannot hold is a mistake in the page, not something to send as "?".
HttpResponse Gbk(const QString& text, const QByteArray& contentType) {
    const std::optional<std::string> bytes = lumaro::platform::ToAnsiExact(text.toStdString());
    if (!bytes) return Problem(500, QStringLiteral("页面无法转换"), QStringLiteral("页面中有 GBK 没有的字符。"));
    return HttpResponse::Text(QByteArray::fromStdString(*bytes), contentType);
}

QString CsvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
}

}  // namespace

QString DemoSite::origin() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.port()); }

HttpResponse DemoSite::operator()(const HttpRequest& request) const {
    if (request.method != "GET" && request.method != "HEAD")
        return Problem(405, QStringLiteral("不支持的请求"), QStringLiteral("只支持 GET。")).with("Allow", "GET, HEAD");
    const QString path = request.path.toLower();
    if (path == QLatin1String("/register/readip.asp")) return lookup(request);
    if (path == QLatin1String("/house/") || path == QLatin1String("/house/index.asp")) return listings(request);
    if (path == QLatin1String("/house")) return HttpResponse::Html({}, 301).with("Location", "/House/?" + request.query);
    if (path == QLatin1String("/house/detail.asp")) return detail(request);
    if (path == QLatin1String("/house/print.asp")) return printable(request);
    if (path == QLatin1String("/house/export.asp")) return exportCsv(request);
    if (path == QLatin1String("/house/admin.asp")) return admin(request);
    if (path.startsWith(QLatin1String("/house/legacy/"))) return legacy(request);
    if (path == QLatin1String("/slow")) {
        // The first run of digits counts, so "/slow?ms=3000?ServerID=888" works as a lookup URL too.
        const QString ms = request.param(QStringLiteral("ms"));
        qsizetype digits = 0;
        while (digits < ms.size() && ms[digits].isDigit()) ++digits;
        HttpResponse response = HttpResponse::Html(QStringLiteral("<!DOCTYPE html><title>slow</title><p>终于应答了。</p>"));
        response.delayMs = digits ? static_cast<int>(std::min(ms.left(digits).toLongLong(), 60000LL)) : 3000;
        return response;
    }
    if (path == QLatin1String("/"))
        return HttpResponse::Html(QStringLiteral(
            "<!DOCTYPE html><html lang=\"zh-CN\"><head><meta charset=\"utf-8\"><title>Lumaro 演示服务器</title></head>"
            "<body><h1>Lumaro 演示服务器</h1><ul>"
            "<li><a href=\"/register/ReadIP.asp?ServerID=888\">地址查询服务 /register/ReadIP.asp?ServerID=888</a></li>"
            "<li><a href=\"/House/?DatabaseName=House\">房源系统 /House/?DatabaseName=House</a></li>"
            "<li><a href=\"/House/legacy/index.asp\">老版页面 /House/legacy/index.asp</a></li></ul></body></html>"));
    if (path == QLatin1String("/favicon.ico")) return HttpResponse::Text({}, "image/x-icon", 204);
    return Problem(404, QStringLiteral("页面不存在"), QStringLiteral("服务器上没有这个页面。"));
}

HttpResponse DemoSite::lookup(const HttpRequest& request) const {
    const QString id = request.param(QStringLiteral("ServerID"));
    const QString head = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>ReadIP</title></head><body>");
    if (id == QLatin1String("888"))
        return HttpResponse::Html(head + QStringLiteral("<p>服务器 888 的当前地址：<IP>%1</IP></p></body></html>").arg(origin()));
    if (id == QLatin1String("889"))
        return HttpResponse::Html(head + QStringLiteral("<p>服务器 889 的当前地址：<ip>%1</ip></p></body></html>").arg(origin()));
    if (id == QLatin1String("890"))
        return HttpResponse::Html(head + QStringLiteral("<p><IP>javascript:alert(document.cookie)//</IP></p></body></html>"));
    if (id == QLatin1String("891"))
        return HttpResponse::Html(
            head + QStringLiteral("<p>服务暂时繁忙，上次登记的地址：<IP>%1</IP></p></body></html>").arg(origin()), 503);
    if (id == QLatin1String("892")) {
        // "演示查询服务" and "服务器地址" in GBK, around the marked address.
        const QByteArray body = "<html><head><title>\xd1\xdd\xca\xbe\xb2\xe9\xd1\xaf\xb7\xfe\xce\xf1</title></head><body>"
                                "\xb7\xfe\xce\xf1\xc6\xf7\xb5\xd8\xd6\xb7<IP>" +
                                origin().toLatin1() + "</IP></body></html>";
        return HttpResponse::Text(body, "text/html; charset=gbk");
    }
    if (id == QLatin1String("893") || id == QLatin1String("894")) {
        // Replies larger than a client should read: the address after or before 1.5 MiB of filler.
        const QString filler = QStringLiteral("<!--%1-->").arg(QString(1536 * 1024, QLatin1Char('.')));
        const QString address = QStringLiteral("<IP>%1</IP>").arg(origin());
        return HttpResponse::Html(head + (id == QLatin1String("893") ? filler + address : address + filler) +
                                  QStringLiteral("</body></html>"));
    }
    return HttpResponse::Html(
        head + QStringLiteral("<p>没有登记编号为“%1”的服务器。</p></body></html>").arg(Esc(id)));
}

HttpResponse DemoSite::listings(const HttpRequest& request) const {
    HttpResponse problem;
    const std::optional<QString> db = Database(request, &problem);
    if (!db) return problem;
    const QString type = request.param(QStringLiteral("type"));
    const QString dbParam = QString::fromUtf8(QUrl::toPercentEncoding(*db));

    QString cards;
    int shown = 0;
    for (const Listing& l : Listings) {
        if ((type == QLatin1String("sale") && l.rent) || (type == QLatin1String("rent") && !l.rent)) continue;
        ++shown;
        cards += QStringLiteral(
                     "<div class=\"card\" id=\"listing-%1\"><div class=\"pic\">%2<span class=\"badge%3\">%4</span></div>"
                     "<div class=\"body\"><div class=\"title\">%5</div>"
                     "<div class=\"meta\">%6 · %7㎡ · %8 · %9</div>"
                     "<div class=\"meta\">%10 · %11 · %12年建</div><div class=\"tags\">%13</div></div>"
                     "<div class=\"foot\"><div><div class=\"price\">%14</div><div class=\"unit\">%15</div></div>"
                     "<a class=\"button\" target=\"_blank\" href=\"/House/detail.asp?id=%1&amp;DatabaseName=%16\">查看详情</a>"
                     "</div></div>")
                     .arg(l.id)
                     .arg(Picture(l), l.rent ? QStringLiteral(" rent") : QString(),
                          l.rent ? QStringLiteral("出租") : QStringLiteral("出售"), Esc(U(l.title)), Esc(U(l.layout)))
                     .arg(l.area)
                     .arg(Esc(U(l.orientation)), Esc(U(l.floor)), Esc(U(l.district)), Esc(U(l.community)))
                     .arg(l.built)
                     .arg(Tags(l), PriceText(l), UnitText(l), dbParam);
    }
    auto filter = [&](const char* value, const char* label) {
        return QStringLiteral("<a class=\"%1\" href=\"/House/?DatabaseName=%2%3\">%4</a>")
            .arg(type == QLatin1String(value) ? QStringLiteral("on") : QString(), dbParam,
                 *value ? QStringLiteral("&amp;type=") + QLatin1String(value) : QString(), U(label));
    };
    const QString body = QStringLiteral("<div class=\"bar\">%1%2%3<span class=\"count\">共 %4 套房源</span></div>"
                                        "<div class=\"notice\">“内部资料”页面需要登录：用户名 <b>demo</b>，密码 <b>demo</b>。"
                                        "点“查看详情”在新窗口中打开房源。</div><div class=\"grid\">%5</div>")
                             .arg(filter("", "全部房源"), filter("sale", "出售"), filter("rent", "出租"))
                             .arg(shown)
                             .arg(cards);
    return HttpResponse::Html(Page(QStringLiteral("房源列表 - 安居房产"), body, *db));
}

HttpResponse DemoSite::detail(const HttpRequest& request) const {
    HttpResponse problem;
    const std::optional<QString> db = Database(request, &problem);
    if (!db) return problem;
    const Listing* l = Find(request.param(QStringLiteral("id")).toInt());
    if (!l) return Problem(404, QStringLiteral("房源不存在"), QStringLiteral("没有这个编号的房源。"));
    const QString body =
        QStringLiteral("<div class=\"page\"><div class=\"top\"><div class=\"pic\">%1<span class=\"badge%2\">%3</span></div>"
                       "<div class=\"summary\"><h2>%4</h2><div class=\"price\">%5</div><div class=\"unit\">%6</div>"
                       "<div class=\"tags\">%7</div><div class=\"agent\">经纪人：<b>%17</b> · 电话 %18</div></div></div>"
                       "<div class=\"content\"><table class=\"facts\">"
                       "<tr><td>房源编号</td><td>AJ-%8</td></tr><tr><td>小区</td><td>%9（%10）</td></tr>"
                       "<tr><td>户型</td><td>%11</td></tr><tr><td>面积</td><td>%12 ㎡</td></tr>"
                       "<tr><td>楼层</td><td>%13</td></tr><tr><td>朝向</td><td>%14</td></tr>"
                       "<tr><td>建成年代</td><td>%15 年</td></tr></table><p>%16</p>"
                       "<p><a class=\"button\" href=\"javascript:window.print()\">打印本页</a> "
                       "<a class=\"button\" href=\"javascript:window.close()\">关闭窗口</a></p></div></div>")
            .arg(Picture(*l), l->rent ? QStringLiteral(" rent") : QString(),
                 l->rent ? QStringLiteral("出租") : QStringLiteral("出售"), Esc(U(l->title)), PriceText(*l), UnitText(*l),
                 Tags(*l))
            .arg(l->id, 4, 10, QLatin1Char('0'))
            .arg(Esc(U(l->community)), Esc(U(l->district)), Esc(U(l->layout)))
            .arg(l->area)
            .arg(Esc(U(l->floor)), Esc(U(l->orientation)))
            .arg(l->built)
            .arg(Esc(U(l->description)), Esc(U(l->agent)), Esc(U(l->phone)));
    return HttpResponse::Html(Page(U(l->title) + QStringLiteral(" - 安居房产"), body, *db));
}

HttpResponse DemoSite::printable(const HttpRequest& request) const {
    HttpResponse problem;
    const std::optional<QString> db = Database(request, &problem);
    if (!db) return problem;
    QString rows;
    for (const Listing& l : Listings)
        rows += QStringLiteral("<tr><td>AJ-%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td><td>%6</td><td>%7</td></tr>")
                    .arg(l.id, 4, 10, QLatin1Char('0'))
                    .arg(Esc(U(l.community)), Esc(U(l.district)), Esc(U(l.layout)))
                    .arg(l.area)
                    .arg(l.rent ? QStringLiteral("出租") : QStringLiteral("出售"), PriceText(l));
    const QString html =
        QStringLiteral("<!DOCTYPE html><html lang=\"zh-CN\"><head><meta charset=\"utf-8\"><title>房源清单（打印版）</title><style>"
                       "body{font-family:\"WenQuanYi Zen Hei\",\"SimSun\",serif;margin:30px;color:#000}"
                       "h1{font-size:22px;text-align:center;margin:0 0 4px}.sub{text-align:center;font-size:13px;margin-bottom:16px}"
                       "table{border-collapse:collapse;width:100%}th,td{border:1px solid #444;padding:6px 8px;font-size:14px}"
                       "th{background:#eee}small{font-size:12px}"
                       "@media print{.noprint{display:none}}</style></head><body>"
                       "<p class=\"noprint\"><button onclick=\"window.print()\">打印</button> "
                       "<a href=\"/House/?DatabaseName=%1\">返回房源列表</a></p>"
                       "<h1>安居房产 房源清单</h1><div class=\"sub\">打印日期：%2 · 数据库：%3</div>"
                       "<table><tr><th>编号</th><th>小区</th><th>区域</th><th>户型</th><th>面积(㎡)</th><th>类型</th>"
                       "<th>价格</th></tr>%4</table></body></html>")
            .arg(QString::fromUtf8(QUrl::toPercentEncoding(*db)), QDate::currentDate().toString(Qt::ISODate), Esc(*db),
                 rows);
    return HttpResponse::Html(html);
}

HttpResponse DemoSite::exportCsv(const HttpRequest& request) const {
    HttpResponse problem;
    const std::optional<QString> db = Database(request, &problem);
    if (!db) return problem;
    QString csv = QStringLiteral("编号,标题,小区,区域,户型,面积(㎡),楼层,朝向,类型,价格,单位\r\n");
    for (const Listing& l : Listings) {
        const QStringList fields{QStringLiteral("AJ-%1").arg(l.id, 4, 10, QLatin1Char('0')),
                                 U(l.title),
                                 U(l.community),
                                 U(l.district),
                                 U(l.layout),
                                 QString::number(l.area),
                                 U(l.floor),
                                 U(l.orientation),
                                 l.rent ? QStringLiteral("出租") : QStringLiteral("出售"),
                                 QString::number(l.price),
                                 l.rent ? QStringLiteral("元/月") : QStringLiteral("万元")};
        QStringList escaped;
        for (const QString& field : fields) escaped << CsvField(field);
        csv += escaped.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    // With a byte-order mark, spreadsheet programs read the Chinese as UTF-8.
    return HttpResponse::Text("\xef\xbb\xbf" + csv.toUtf8(), "text/csv; charset=utf-8")
        .with("Content-Disposition", "attachment; filename=\"listings.csv\"");
}

HttpResponse DemoSite::admin(const HttpRequest& request) const {
    HttpResponse problem;
    const std::optional<QString> db = Database(request, &problem);
    if (!db) return problem;
    if (request.header("authorization") != "Basic " + QByteArray("demo:demo").toBase64())
        return Problem(401, QStringLiteral("需要登录"), QStringLiteral("内部资料只对本店员工开放（演示账号 demo / demo）。"))
            .with("WWW-Authenticate", "Basic realm=\"Lumaro demo\"");
    QString rows;
    for (const Listing& l : Listings)
        rows += QStringLiteral("<tr><td>AJ-%1</td><td>%2</td><td>%3</td></tr>")
                    .arg(l.id, 4, 10, QLatin1Char('0'))
                    .arg(Esc(U(l.title)), Esc(U(l.owner)));
    const QString body = QStringLiteral("<div class=\"page\"><div class=\"content\"><h2>内部资料</h2>"
                                        "<p>业主联系方式与底价，请勿外传。</p><table class=\"facts\">%1</table></div></div>")
                             .arg(rows);
    return HttpResponse::Html(Page(QStringLiteral("内部资料 - 安居房产"), body, *db));
}

HttpResponse DemoSite::legacy(const HttpRequest& request) const {
    const QString name = request.path.mid(QStringLiteral("/House/legacy/").size()).toLower();
    if (name == QLatin1String("count.asp")) return legacyHouses(request);
    QFile file(QStringLiteral(":/legacy/") + (name.isEmpty() ? QStringLiteral("index.asp") : name));
    if (name.contains(QLatin1Char('/')) || !file.open(QIODevice::ReadOnly))
        return Problem(404, QStringLiteral("页面不存在"), QStringLiteral("服务器上没有这个页面。"));
    // IIS sent script files as application/x-javascript, also without a charset.
    return Gbk(QString::fromUtf8(file.readAll()),
               name.endsWith(QLatin1String(".js")) ? "application/x-javascript" : "text/html");
}

HttpResponse DemoSite::legacyHouses(const HttpRequest& request) const {
    const QString district = request.param(QStringLiteral("district")), type = request.param(QStringLiteral("type"));
    QString houses;
    int count = 0;
    for (const Listing& l : Listings) {
        if (!district.isEmpty() && district != U(l.district)) continue;
        if ((type == QLatin1String("sale") && l.rent) || (type == QLatin1String("rent") && !l.rent)) continue;
        ++count;
        houses += QStringLiteral("<house id=\"%1\" district=\"%2\" price=\"%3 %4\">%5</house>")
                      .arg(l.id, 4, 10, QLatin1Char('0'))
                      .arg(Esc(U(l.district)))
                      .arg(l.price)
                      .arg(l.rent ? QStringLiteral("元/月") : QStringLiteral("万元"), Esc(U(l.title)));
    }
    return Gbk(QStringLiteral("<?xml version=\"1.0\" encoding=\"gb2312\"?><houses><count>%1</count>%2</houses>")
                   .arg(count)
                   .arg(houses),
               "text/xml");
}

}  // namespace demo
