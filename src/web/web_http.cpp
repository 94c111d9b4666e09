#include "web/web_http.h"

#include <charconv>

#include "web/web_limits.h"

namespace prismel::web {

namespace {

const char* reason(int status) {
    switch (status) {
    case 200: return "OK";
    case 303: return "See Other";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 411: return "Length Required";
    case 413: return "Content Too Large";
    case 426: return "Upgrade Required";
    case 429: return "Too Many Requests";
    case 431: return "Request Header Fields Too Large";
    case 503: return "Service Unavailable";
    default: return "Error";
    }
}

// Every reply: nothing cached, nothing framed or fetched from elsewhere, no
// referrer leaving the page (but the Origin of the page's own form is kept:
// with no referrer at all a browser sends "Origin: null").
void add_common_headers(HttpReply& r) {
    r.headers.emplace_back("Cache-Control", "no-store");
    r.headers.emplace_back("X-Content-Type-Options", "nosniff");
    r.headers.emplace_back("X-Frame-Options", "DENY");
    r.headers.emplace_back("Referrer-Policy", "same-origin");
    r.headers.emplace_back("Content-Security-Policy",
                           "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; "
                           "connect-src 'self'; form-action 'self'; frame-ancestors 'none'; base-uri 'none'");
}

HttpReply html(int status, std::string body) {
    HttpReply r;
    r.status = status;
    r.headers.emplace_back("Content-Type", "text/html; charset=utf-8");
    r.headers.emplace_back("Content-Length", std::to_string(body.size()));
    r.body = std::move(body);
    add_common_headers(r);
    return r;
}

HttpReply pin_page(int status, const WebPages& pages, std::string_view message) {
    std::string page(pages.pin);
    const std::string_view mark = "<!--MESSAGE-->";
    const size_t at = page.find(mark);
    if (at != std::string::npos)
        page.replace(at, mark.size(),
                     message.empty() ? std::string() : "<p class=\"error\" id=\"error\">" + std::string(message) + "</p>");
    return html(status, std::move(page));
}

// "pin=123456" from an urlencoded form; other fields are ignored. Digits
// need no decoding, and anything else is not a PIN.
std::string_view form_pin(std::string_view body) {
    while (!body.empty()) {
        const size_t amp = body.find('&');
        const std::string_view pair = body.substr(0, amp);
        if (pair.substr(0, 4) == "pin=") return pair.substr(4);
        if (amp == std::string_view::npos) break;
        body.remove_prefix(amp + 1);
    }
    return {};
}

bool parse_length(std::string_view text, size_t& out) {
    if (text.empty() || text.size() > 12) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

HttpReply login(const HttpRequest& request, WebAccess& access, const WebPages& pages, Clock::time_point now) {
    // A form posted from another site's page is not ours to take.
    if (!request.origin.empty() && !same_origin(request.origin, request.host)) return refusal(403);
    std::string token;
    switch (access.login(request.peer, form_pin(request.body), now, token)) {
    case LoginResult::accepted: {
        HttpReply r = refusal(303);
        r.headers.emplace_back("Location", "/");
        r.headers.emplace_back("Set-Cookie", WebAccess::cookie_for(token));
        return r;
    }
    case LoginResult::wrong_pin: return pin_page(403, pages, "PINが違います");
    case LoginResult::locked_out:
        return pin_page(429, pages, "PINの誤りが続いたため、1分間ログインできません");
    case LoginResult::no_token: return pin_page(503, pages, "ログインできません (乱数を得られません)");
    }
    return refusal(500);
}

}  // namespace

std::string reply_bytes(const HttpReply& reply) {
    std::string out = "HTTP/1.1 " + std::to_string(reply.status) + " " + reason(reply.status) + "\r\n";
    for (const auto& [name, value] : reply.headers) out += name + ": " + value + "\r\n";
    out += "Connection: close\r\n\r\n";
    out += reply.body;
    return out;
}

HttpReply refusal(int status) {
    HttpReply r;
    r.status = status;
    r.headers.emplace_back("Content-Length", "0");
    add_common_headers(r);
    if (status == 405) r.headers.emplace_back("Allow", "GET, POST");
    return r;
}

std::string_view session_token(std::string_view cookie_field) { return cookie_value(cookie_field, kSessionCookie); }

bool same_origin(std::string_view origin, std::string_view host) {
    return !host.empty() && origin.size() == 7 + host.size() && origin.substr(0, 7) == "http://" &&
           origin.substr(7) == host;
}

GateDecision gate_first_request(const HttpHead& head, const WebAccess& access) {
    const bool upgrade = field_has_token(head.field("upgrade"), "websocket");
    if (upgrade || head.path == "/ws") {
        if (head.path != "/ws") return {GateKind::refuse, 404};
        if (head.method != "GET") return {GateKind::refuse, 405};
        if (!upgrade || !field_has_token(head.field("connection"), "upgrade")) return {GateKind::refuse, 426};
        if (!same_origin(head.field("origin"), head.field("host"))) return {GateKind::refuse, 403};
        if (!access.valid_token(session_token(head.field("cookie")))) return {GateKind::refuse, 403};
        return {GateKind::websocket, 101};
    }
    if (head.has_field("transfer-encoding")) return {GateKind::refuse, 411};
    if (head.has_field("content-length")) {
        size_t length = 0;
        if (!parse_length(head.field("content-length"), length)) return {GateKind::refuse, 400};
        if (length > kMaxBodyBytes) return {GateKind::refuse, 413};
    }
    return {GateKind::http, 0};
}

HttpReply respond(const HttpRequest& request, WebAccess& access, const WebPages& pages, Clock::time_point now) {
    const bool get = request.method == "GET";
    const bool post = request.method == "POST";
    if (request.path == "/") {
        if (!get) return refusal(405);
        if (access.valid_token(session_token(request.cookie))) return html(200, std::string(pages.remote));
        return pin_page(200, pages, "");
    }
    if (request.path == "/login") {
        if (!post) return refusal(405);
        if (request.body.size() > kMaxBodyBytes) return refusal(413);
        return login(request, access, pages, now);
    }
    if (!get && !post) return refusal(405);
    return refusal(404);
}

}  // namespace prismel::web
