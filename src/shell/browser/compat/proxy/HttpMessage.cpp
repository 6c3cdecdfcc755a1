#include "shell/browser/compat/proxy/HttpMessage.h"

#include <http_parser.h>

#include <climits>

namespace lumaro::proxy {
namespace {

bool Named(const QByteArray& field, const char* name) { return field.compare(name, Qt::CaseInsensitive) == 0; }

QByteArray Fields(const Head& head) {
    QByteArray bytes;
    for (const auto& [name, value] : head.fields) bytes += name + ": " + value + "\r\n";
    return bytes + "\r\n";
}

}  // namespace

QByteArray Head::Field(const char* name) const {
    for (const auto& [field, value] : fields)
        if (Named(field, name)) return value;
    return {};
}

bool Head::Has(const char* name) const {
    for (const auto& field : fields)
        if (Named(field.first, name)) return true;
    return false;
}

void Head::Remove(const char* name) {
    fields.removeIf([name](const auto& field) { return Named(field.first, name); });
}

void Head::Set(const char* name, const QByteArray& value) {
    Remove(name);
    fields.append({QByteArray(name), value});
}

void Head::RemoveHopByHop() {
    for (const QByteArray& named : Field("Connection").split(','))
        if (!named.trimmed().isEmpty()) Remove(named.trimmed().constData());
    for (const char* name : {"Connection", "Proxy-Connection", "Keep-Alive", "Proxy-Authorization",
                             "Proxy-Authenticate", "TE", "Trailer", "Transfer-Encoding", "Upgrade"})
        Remove(name);
}

QByteArray Head::RequestBytes() const {
    return method + ' ' + target + " HTTP/" + QByteArray::number(major) + '.' + QByteArray::number(minor) + "\r\n" +
           Fields(*this);
}

QByteArray Head::AnswerBytes() const {
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\n" + Fields(*this);
}

struct MessageReader::Callbacks {
    static MessageReader& Of(http_parser* p) { return *static_cast<MessageReader*>(p->data); }
    static int Begin(http_parser* p) {
        MessageReader& r = Of(p);
        r.head_ = Head();
        r.field_.clear();
        r.value_.clear();
        r.inValue_ = false;
        r.complete_ = false;
        r.hasBody_ = false;
        return 0;
    }
    static int Url(http_parser* p, const char* at, size_t n) {
        Of(p).head_.target.append(at, qsizetype(n));
        return 0;
    }
    static int Status(http_parser* p, const char* at, size_t n) {
        Of(p).head_.reason.append(at, qsizetype(n));
        return 0;
    }
    static int FieldName(http_parser* p, const char* at, size_t n) {
        MessageReader& r = Of(p);
        if (r.inValue_) r.Flush();
        r.field_.append(at, qsizetype(n));
        return 0;
    }
    static int FieldValue(http_parser* p, const char* at, size_t n) {
        MessageReader& r = Of(p);
        r.inValue_ = true;
        r.value_.append(at, qsizetype(n));
        return 0;
    }
    static int HeadersDone(http_parser* p) {
        MessageReader& r = Of(p);
        if (r.inValue_ || !r.field_.isEmpty()) r.Flush();
        Head& head = r.head_;
        head.major = p->http_major;
        head.minor = p->http_minor;
        if (r.kind_ == Kind::Request) head.method = http_method_str(static_cast<http_method>(p->method));
        else head.status = int(p->status_code);
        // An answer to HEAD, an interim answer and 204/304 have no body,
        // whatever their fields say.
        const bool noBody = r.kind_ == Kind::Answer &&
                            (r.noBody_ || head.status / 100 == 1 || head.status == 204 || head.status == 304);
        r.chunked_ = !noBody && (p->flags & F_CHUNKED);
        r.untilClose_ = !noBody && r.kind_ == Kind::Answer && !r.chunked_ && p->content_length == ULLONG_MAX;
        r.hasBody_ = r.chunked_ || r.untilClose_ || (!noBody && p->content_length > 0 && p->content_length != ULLONG_MAX);
        if (r.events_.head) r.events_.head(std::move(r.head_));
        return noBody ? 1 : 0;
    }
    static int Body(http_parser* p, const char* at, size_t n) {
        if (Of(p).events_.body) Of(p).events_.body(at, n);
        return 0;
    }
    static int Done(http_parser* p) {
        MessageReader& r = Of(p);
        r.complete_ = true;
        if (r.events_.complete) r.events_.complete();
        http_parser_pause(p, 1);  // the next message waits for Next()
        return 0;
    }
    static const http_parser_settings& Settings() {
        static const http_parser_settings settings = [] {
            http_parser_settings s{};
            s.on_message_begin = Begin;
            s.on_url = Url;
            s.on_status = Status;
            s.on_header_field = FieldName;
            s.on_header_value = FieldValue;
            s.on_headers_complete = HeadersDone;
            s.on_body = Body;
            s.on_message_complete = Done;
            return s;
        }();
        return settings;
    }
};

MessageReader::MessageReader(Kind kind, Events events)
    : kind_(kind), events_(std::move(events)), parser_(std::make_unique<http_parser>()) {
    http_parser_init(parser_.get(), kind == Kind::Request ? HTTP_REQUEST : HTTP_RESPONSE);
    parser_->data = this;
}

MessageReader::~MessageReader() = default;

void MessageReader::Reset() {
    http_parser_init(parser_.get(), kind_ == Kind::Request ? HTTP_REQUEST : HTTP_RESPONSE);
    parser_->data = this;
    complete_ = false;
}

void MessageReader::Flush() {
    head_.fields.append({field_.trimmed(), value_.trimmed()});
    field_.clear();
    value_.clear();
    inValue_ = false;
}

qsizetype MessageReader::Feed(const char* data, qsizetype size) {
    if (complete_ || Failed() || size == 0) return 0;
    // After CONNECT or an upgrade it stops where the other protocol begins.
    return qsizetype(http_parser_execute(parser_.get(), &Callbacks::Settings(), data, size_t(size)));
}

void MessageReader::FeedEnd() {
    if (complete_ || Failed()) return;
    http_parser_execute(parser_.get(), &Callbacks::Settings(), nullptr, 0);
}

void MessageReader::Next() {
    complete_ = false;
    if (HTTP_PARSER_ERRNO(parser_.get()) == HPE_PAUSED) http_parser_pause(parser_.get(), 0);
}

bool MessageReader::Failed() const {
    const auto error = HTTP_PARSER_ERRNO(parser_.get());
    return error != HPE_OK && error != HPE_PAUSED;
}

QByteArray MessageReader::Error() const { return http_errno_description(HTTP_PARSER_ERRNO(parser_.get())); }

bool MessageReader::KeepAlive() const { return http_should_keep_alive(parser_.get()) != 0; }

bool MessageReader::Upgrade() const { return parser_->upgrade != 0; }

}  // namespace lumaro::proxy
