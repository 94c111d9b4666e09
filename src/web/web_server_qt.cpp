#include "web/web_server_qt.h"

#include <QAbstractHttpServer>
#include <QFile>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebSocket>
#include <QWebSocketServer>

#include <list>
#include <map>

#include "web/http_head.h"
#include "web/web_access.h"
#include "web/web_actions.h"
#include "web/web_http.h"
#include "web/web_limits.h"
#include "web/web_state.h"

static void init_web_pages() { Q_INIT_RESOURCE(web_pages); }

namespace prismel::web {

namespace {

constexpr int kTickMs = 25;                 // state looked at; each browser paced to kStateInterval
constexpr qint64 kStalledBrowserBytes = 64 * 1024;  // a browser that reads nothing gets no more
constexpr int kActionsPerSecond = 20;       // per browser; more are dropped
constexpr int kRefusalLingerMs = 2000;

QByteArray page(const char* path) {
    init_web_pages();
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::string_view view(const QByteArray& b) { return {b.constData(), size_t(b.size())}; }

const char* method_name(QHttpServerRequest::Method m) {
    switch (m) {
    case QHttpServerRequest::Method::Get: return "GET";
    case QHttpServerRequest::Method::Post: return "POST";
    default: return "OTHER";
    }
}

// Writes the reply and closes; a peer that never reads is cut off.
void refuse(QTcpSocket* s, const HttpReply& reply) {
    const std::string bytes = reply_bytes(reply);
    QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
    s->write(bytes.data(), qint64(bytes.size()));
    s->disconnectFromHost();
    QTimer::singleShot(kRefusalLingerMs, s, [s] { s->abort(); });
}

// Ends a connection handed to the HTTP server after kIdleTimeout without a
// byte either way (a half-sent request included).
void watch_idle(QTcpSocket* s) {
    auto* watch = new QTimer(s);
    watch->setSingleShot(true);
    QObject::connect(watch, &QTimer::timeout, s, [s] {
        s->abort();
        s->deleteLater();
    });
    QObject::connect(s, &QTcpSocket::readyRead, watch, [watch] { watch->start(kIdleTimeout); });
    QObject::connect(s, &QTcpSocket::bytesWritten, watch, [watch] { watch->start(kIdleTimeout); });
    watch->start(kIdleTimeout);
}

}  // namespace

class Gate;

// Lives as a child of a connection's socket: its end is the connection's end,
// whoever deletes the socket (the WebSocket and HTTP servers disconnect every
// signal of a socket they take over, so no signal is relied upon).
class ConnectionTicket : public QObject {
public:
    ConnectionTicket(QTcpSocket* s, Gate* gate, QString address);
    ~ConnectionTicket() override;

private:
    QPointer<Gate> gate_;
    QString address_;
};

// Accepts every connection, counts them, and reads each first request's
// head before deciding who gets the connection.
class Gate : public QTcpServer {
public:
    explicit Gate(WebServer::Impl& d) : d_(d) {}
    void hand_to_http(QTcpSocket* s) { addPendingConnection(s); }
    void release(const QString& address) {
        --open_;
        auto it = per_address_.find(address);
        if (it != per_address_.end() && --it->second <= 0) per_address_.erase(it);
    }
    void take(const QString& address) {
        ++open_;
        ++per_address_[address];
    }
    bool full(const QString& address) const {
        auto it = per_address_.find(address);
        return open_ >= kMaxConnections || (it != per_address_.end() && it->second >= kMaxConnectionsPerAddress);
    }

protected:
    void incomingConnection(qintptr fd) override;

private:
    WebServer::Impl& d_;
    int open_ = 0;
    std::map<QString, int> per_address_;
};

ConnectionTicket::ConnectionTicket(QTcpSocket* s, Gate* gate, QString address)
    : QObject(s), gate_(gate), address_(std::move(address)) {
    gate->take(address_);
}

ConnectionTicket::~ConnectionTicket() {
    if (gate_) gate_->release(address_);
}

class Http : public QAbstractHttpServer {
public:
    explicit Http(WebServer::Impl& d) : d_(d) {}

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest&, QTcpSocket*) override {}

private:
    WebServer::Impl& d_;
};

struct Browser {
    QWebSocket* socket = nullptr;
    Clock::time_point last_sent{};
    uint64_t version_sent = 0;
    uint64_t cues_key_sent = 0;
    bool sent_any = false;
    Clock::time_point action_second{};
    int actions = 0;
};

struct WebServer::Impl {
    Impl(WebServer& q, PlaybackEngine& engine, const ShowData& show)
        : q(q), engine(engine), show(show), remote_page(page(":/web/remote.html")), pin_page(page(":/web/pin.html")) {}

    WebServer& q;
    PlaybackEngine& engine;
    const ShowData& show;
    QByteArray remote_page;
    QByteArray pin_page;
    std::unique_ptr<WebAccess> access;
    std::unique_ptr<Http> http;  // owns the gate once bound
    Gate* gate = nullptr;
    std::unique_ptr<QWebSocketServer> sockets;
    std::list<Browser> browsers;
    QTimer tick;
    WebStateBuilder builder;
    std::string last_main;
    uint64_t version = 0;

    WebPages pages() const { return {view(remote_page), view(pin_page)}; }

    void read_head(QTcpSocket* s, QObject* pending);
    void new_browsers();
    void drop_browser(QWebSocket* socket);
    void action(Browser& b, const QString& text);
    void send_state();
};

void Gate::incomingConnection(qintptr fd) {
    auto* s = new QTcpSocket(this);
    if (!s->setSocketDescriptor(fd)) {
        delete s;
        return;
    }
    // Nothing beyond one request is buffered: a larger sender is slowed by
    // TCP itself, and the idle watch ends it.
    s->setReadBufferSize(qint64(kMaxBytesPerRequest));
    const QString address = s->peerAddress().toString();
    if (full(address)) return refuse(s, refusal(503));
    new ConnectionTicket(s, this, address);
    // The head's reader: deleted with its timer and connections once the
    // connection is handed on.
    auto* pending = new QObject(s);
    auto* timeout = new QTimer(pending);
    timeout->setSingleShot(true);
    QObject::connect(timeout, &QTimer::timeout, pending, [s] { s->abort(); });
    QObject::connect(s, &QTcpSocket::disconnected, pending, [s] { s->deleteLater(); });
    QObject::connect(s, &QTcpSocket::readyRead, pending, [this, s, pending] { d_.read_head(s, pending); });
    timeout->start(kHeadTimeout);
}

void WebServer::Impl::read_head(QTcpSocket* s, QObject* pending) {
    const QByteArray received = s->peek(qint64(kMaxHeadBytes) + 1);
    const HeadExtent extent = scan_head(view(received));
    if (extent.scan == HeadScan::need_more) return;
    delete pending;
    if (extent.scan == HeadScan::too_large) return refuse(s, refusal(431));
    HttpHead head;
    if (!parse_head(view(received).substr(0, extent.length), head)) return refuse(s, refusal(400));
    const GateDecision decision = gate_first_request(head, *access);
    switch (decision.kind) {
    case GateKind::refuse: return refuse(s, refusal(decision.status));
    case GateKind::websocket:
        sockets->handleConnection(s);  // reads the buffered handshake itself
        return;
    case GateKind::http:
        QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        watch_idle(s);
        gate->hand_to_http(s);
        emit s->readyRead();  // what arrived already is the request
        return;
    }
}

bool Http::handleRequest(const QHttpServerRequest& r, QTcpSocket* socket) {
    QByteArray host, origin, cookie, content_type;
    for (const auto& [name, value] : r.headers()) {
        const QByteArray n = name.toLower();
        if (n == "host" && host.isEmpty()) host = value;
        else if (n == "origin" && origin.isEmpty()) origin = value;
        else if (n == "cookie" && cookie.isEmpty()) cookie = value;
        else if (n == "content-type" && content_type.isEmpty()) content_type = value;
    }
    const QByteArray path = r.url().path(QUrl::FullyEncoded).toUtf8();
    const QByteArray peer = r.remoteAddress().toString().toUtf8();
    const QByteArray body = r.body();
    HttpRequest request{method_name(r.method()), view(path),         view(host), view(origin), view(cookie),
                        view(content_type),      view(body),         view(peer)};
    const HttpReply reply = respond(request, *d_.access, d_.pages(), Clock::now());
    QHttpServerResponder responder = makeResponder(r, socket);
    responder.writeStatusLine(static_cast<QHttpServerResponder::StatusCode>(reply.status));
    for (const auto& [name, value] : reply.headers)
        responder.writeHeader(QByteArray::fromStdString(name), QByteArray::fromStdString(value));
    responder.writeBody(reply.body.data(), qint64(reply.body.size()));
    return true;
}

void WebServer::Impl::new_browsers() {
    while (QWebSocket* s = sockets->nextPendingConnection()) {
        s->setParent(&q);
        s->setMaxAllowedIncomingFrameSize(kMaxMessageBytes);
        s->setMaxAllowedIncomingMessageSize(kMaxMessageBytes);
        browsers.push_back(Browser{s});
        Browser& b = browsers.back();
        QObject::connect(s, &QWebSocket::textMessageReceived, &q, [this, &b](const QString& m) { action(b, m); });
        QObject::connect(s, &QWebSocket::disconnected, &q, [this, s] { drop_browser(s); });
    }
    send_state();  // the newcomer sees the state at once
}

void WebServer::Impl::drop_browser(QWebSocket* socket) {
    socket->disconnect(&q);  // no message may reach a browser entry that is gone
    browsers.remove_if([socket](const Browser& b) { return b.socket == socket; });
    socket->deleteLater();
}

void WebServer::Impl::action(Browser& b, const QString& text) {
    const Clock::time_point now = Clock::now();
    if (now - b.action_second >= std::chrono::seconds(1)) {
        b.action_second = now;
        b.actions = 0;
    }
    if (++b.actions > kActionsPerSecond) return;
    const QByteArray bytes = text.toUtf8();
    const std::optional<PlaybackAction> a = parse_action(view(bytes));
    if (!a) return;
    const ActionOutcome outcome = apply_playback_action(engine, show, *a);
    if (const char* message = outcome_message(outcome); message && q.on_refused_action) q.on_refused_action(message);
}

void WebServer::Impl::send_state() {
    if (browsers.empty()) return;
    const WebState& state = builder.build(show, engine.fields(), engine.monitor());
    if (state.main != last_main) {
        last_main = state.main;
        ++version;
    }
    const Clock::time_point now = Clock::now();
    for (Browser& b : browsers) {
        const bool cues_changed = !b.sent_any || b.cues_key_sent != state.cues_key;
        if (b.sent_any && b.version_sent == version && !cues_changed) continue;
        if (b.sent_any && now - b.last_sent < kStateInterval) continue;
        if (b.socket->bytesToWrite() > kStalledBrowserBytes) continue;
        b.socket->sendTextMessage(QString::fromStdString(state_message(state, cues_changed)));
        b.last_sent = now;
        b.version_sent = version;
        b.cues_key_sent = state.cues_key;
        b.sent_any = true;
    }
}

WebServer::WebServer(PlaybackEngine& engine, const ShowData& show, QObject* parent)
    : QObject(parent), d_(std::make_unique<Impl>(*this, engine, show)) {
    d_->tick.setInterval(kTickMs);
    d_->tick.setTimerType(Qt::PreciseTimer);
    connect(&d_->tick, &QTimer::timeout, this, [this] { d_->send_state(); });
}

WebServer::~WebServer() { stop(); }

bool WebServer::start(const WebServerConfig& config, std::string& error) {
    stop();
    std::string pin = config.pin;
    if (pin.empty()) pin = make_pin(system_random);
    if (!valid_pin(pin)) {
        error = "no PIN could be made";
        return false;
    }
    if (d_->remote_page.isEmpty() || d_->pin_page.isEmpty()) {
        error = "the pages are missing from the program";
        return false;
    }
    d_->access = std::make_unique<WebAccess>(pin, system_random);
    d_->sockets = std::make_unique<QWebSocketServer>(QStringLiteral("Prismel"), QWebSocketServer::NonSecureMode);
    d_->sockets->setHandshakeTimeout(int(kHeadTimeout.count()));
    connect(d_->sockets.get(), &QWebSocketServer::newConnection, this, [this] { d_->new_browsers(); });
    d_->http = std::make_unique<Http>(*d_);
    d_->gate = new Gate(*d_);
    if (!d_->gate->listen(config.address, config.port)) {
        error = d_->gate->errorString().toStdString();
        delete d_->gate;
        d_->gate = nullptr;
        stop();
        return false;
    }
    d_->http->bind(d_->gate);  // the HTTP server owns the gate from here
    d_->tick.start();
    return true;
}

void WebServer::stop() {
    d_->tick.stop();
    for (Browser& b : d_->browsers) {
        b.socket->disconnect(this);
        b.socket->abort();
        delete b.socket;
    }
    d_->browsers.clear();
    d_->http.reset();  // the gate and every connection it accepted with it
    d_->gate = nullptr;
    d_->sockets.reset();
    d_->last_main.clear();
}

const std::string& WebServer::pin() const {
    static const std::string none;
    return d_->access ? d_->access->pin() : none;
}

quint16 WebServer::port() const { return d_->gate ? d_->gate->serverPort() : 0; }

int WebServer::browser_count() const { return int(d_->browsers.size()); }

}  // namespace prismel::web
