#pragma once
// What the remote's server answers: the gate's look at the first request of
// every connection (page, login or WebSocket), and the reply to each page
// request. Only two pages exist: "/" (the remote with a session, the PIN
// page without) and the PIN form's POST to "/login"; the state and the
// actions travel over the WebSocket at "/ws".
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "web/http_head.h"
#include "web/web_access.h"

namespace prismel::web {

struct HttpReply {
    int status = 200;
    std::vector<std::pair<std::string, std::string>> headers;  // Content-Length included
    std::string body;
};

// The whole reply as bytes on the wire, closing the connection (the gate's
// refusals, which it writes itself).
std::string reply_bytes(const HttpReply& reply);
// A refusal with an empty body.
HttpReply refusal(int status);

enum class GateKind { http, websocket, refuse };
struct GateDecision {
    GateKind kind = GateKind::refuse;
    int status = 400;  // for refuse
};

// The first request of a connection: a page request goes on to the HTTP
// server; a WebSocket upgrade is let through only with a session token and
// from a page of this server's own origin; anything oversized or malformed
// is refused before it is read further.
GateDecision gate_first_request(const HttpHead& head, const WebAccess& access);

// The page request with its body, as the HTTP server parsed it.
struct HttpRequest {
    std::string_view method;
    std::string_view path;
    std::string_view host;
    std::string_view origin;  // empty when the browser sent none
    std::string_view cookie;
    std::string_view content_type;
    std::string_view body;
    std::string_view peer;  // the client's address
};

// The two pages, UTF-8 HTML. The PIN page carries "<!--MESSAGE-->" where a
// refusal's text goes.
struct WebPages {
    std::string_view remote;
    std::string_view pin;
};

HttpReply respond(const HttpRequest& request, WebAccess& access, const WebPages& pages, Clock::time_point now);

// The session token of a Cookie field, or empty.
std::string_view session_token(std::string_view cookie_field);
// The Origin field names the page's own server (scheme http, the Host field).
bool same_origin(std::string_view origin, std::string_view host);

}  // namespace prismel::web
