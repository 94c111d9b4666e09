#include "output/output_config.h"

#include <cctype>
#include <cstdio>
#include <random>

namespace prismel::artnet {

namespace {

std::string folded(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
    std::string out;
    for (size_t i = b; i < e; ++i) out += char(std::tolower(static_cast<unsigned char>(text[i])));
    return out;
}

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool parse_delivery(std::string_view text, Delivery& out) {
    const std::string w = folded(text);
    if (w == "broadcast") out = Delivery::broadcast;
    else if (w == "unicast") out = Delivery::unicast;
    else return false;
    return true;
}

bool parse_protocol(std::string_view text, Protocol& out) {
    uint8_t set = 0;
    for (size_t from = 0;;) {
        const size_t comma = text.find(',', from);
        const std::string w = folded(text.substr(from, comma == std::string_view::npos ? comma : comma - from));
        if (w == "artnet") set |= uint8_t(Protocol::artnet);
        else if (w == "sacn") set |= uint8_t(Protocol::sacn);
        else if (w == "both") set |= uint8_t(Protocol::both);
        else if (w == "usbpro") set |= uint8_t(Protocol::usbpro);
        else if (w == "ola") set |= uint8_t(Protocol::ola);
        else return false;
        if (comma == std::string_view::npos) break;
        from = comma + 1;
    }
    out = Protocol(set);
    return true;
}

const char* delivery_text(Delivery d) { return d == Delivery::unicast ? "unicast" : "broadcast"; }

std::string protocol_text(Protocol p) {
    if (p == Protocol::both) return "both";
    static constexpr const char* kWords[] = {"artnet", "sacn", "usbpro", "ola"};
    std::string out;
    for (Protocol one : kOutputs) {
        if (!has(p, one)) continue;
        if (!out.empty()) out += ',';
        out += kWords[output_index(one)];
    }
    return out;
}

int sacn_universe_of(const OutputSettings& s, int tx_universe) {
    int u = s.sacn_universe != 0 ? s.sacn_universe : (tx_universe & 0x7FFF) + 1;
    if (u < kSacnUniverseMin) return kSacnUniverseMin;
    if (u > kSacnUniverseMax) return kSacnUniverseMax;
    return u;
}

bool parse_cid(std::string_view text, Cid& out) {
    const std::string t = folded(text);
    const bool grouped = t.size() == 36;
    if (!grouped && t.size() != 32) return false;
    Cid cid{};
    size_t digit = 0;
    bool any = false;
    for (size_t i = 0; i < t.size(); ++i) {
        if (grouped && (i == 8 || i == 13 || i == 18 || i == 23)) {
            if (t[i] != '-') return false;
            continue;
        }
        const int v = hex_value(t[i]);
        if (v < 0) return false;
        cid[digit / 2] = uint8_t(cid[digit / 2] << 4 | v);
        any |= v != 0;
        ++digit;
    }
    if (!any) return false;
    out = cid;
    return true;
}

std::string cid_text(const Cid& cid) {
    std::string out;
    char two[3];
    for (size_t i = 0; i < cid.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) out += '-';
        std::snprintf(two, sizeof two, "%02x", unsigned(cid[i]));
        out += two;
    }
    return out;
}

Cid random_cid() {
    std::random_device source;
    Cid cid{};
    for (size_t i = 0; i < cid.size(); i += 4) {
        const uint32_t r = source();
        for (size_t k = 0; k < 4; ++k) cid[i + k] = uint8_t(r >> (8 * k));
    }
    cid[6] = uint8_t((cid[6] & 0x0F) | 0x40);  // version 4
    cid[8] = uint8_t((cid[8] & 0x3F) | 0x80);  // the usual variant
    return cid;
}

}  // namespace prismel::artnet
