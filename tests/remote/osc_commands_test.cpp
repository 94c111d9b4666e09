// OSC datagrams, as liblo writes them, to what the console does with them.
#include <gtest/gtest.h>
#include <lo/lo.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "remote/osc_commands.h"
#include "remote/osc_packet.h"

namespace prismel::remote {
namespace {

using Kind = PlaybackAction::Kind;
using Bytes = std::vector<uint8_t>;

// A message with arguments added by liblo itself (any OSC type).
Bytes lo_bytes(const char* path, const std::function<void(lo_message)>& add = {}) {
    lo_message m = lo_message_new();
    if (add) add(m);
    size_t size = 0;
    void* raw = lo_message_serialise(m, path, nullptr, &size);
    Bytes out(static_cast<uint8_t*>(raw), static_cast<uint8_t*>(raw) + size);
    free(raw);
    lo_message_free(m);
    return out;
}

Bytes text(const char* path, const char* s) { return lo_bytes(path, [s](lo_message m) { lo_message_add_string(m, s); }); }
Bytes number(const char* path, float v) { return lo_bytes(path, [v](lo_message m) { lo_message_add_float(m, v); }); }
Bytes integer(const char* path, int v) { return lo_bytes(path, [v](lo_message m) { lo_message_add_int32(m, v); }); }

OscRequest play(Kind k, int n = 0, int time = PlaybackAction::kRunScreenTime) {
    PlaybackAction a = PlaybackAction::of(k, n);
    a.time = time;
    return OscRequest::play(a);
}
const OscRequest kIgnored{};

std::vector<OscRequest> requests_of(const Bytes& b) {
    std::vector<OscRequest> out;
    for (const OscMessage& m : read_osc_packet(b.data(), b.size())) out.push_back(osc_request(m));
    return out;
}

TEST(OscCommands, EachAddressAndArgument) {
    const struct {
        const char* what;
        Bytes bytes;
        OscRequest want;
    } cases[] = {
        {"go", lo_bytes("/prismel/go"), play(Kind::go)},
        {"go to a cue by text", text("/prismel/go", "12.5"), play(Kind::cue, 125)},
        {"further decimals rounded down", text("/prismel/go", "12.59"), play(Kind::cue, 125)},
        {"text that is no number", text("/prismel/go", "twelve"), kIgnored},
        {"release 0.0", number("/prismel/go", 0), kIgnored},
        {"press true", lo_bytes("/prismel/go", [](lo_message m) { lo_message_add_true(m); }), play(Kind::go)},
        {"release false", lo_bytes("/prismel/go", [](lo_message m) { lo_message_add_false(m); }), kIgnored},
        {"press int64", lo_bytes("/prismel/go", [](lo_message m) { lo_message_add_int64(m, 1LL << 40); }),
         play(Kind::go)},
        {"cue address", lo_bytes("/prismel/cue/12.5/go"), play(Kind::cue, 125)},
        {"cue address released", integer("/prismel/cue/3/go", 0), kIgnored},
        {"cue no cue can carry", lo_bytes("/prismel/cue/99999/go"), play(Kind::cue, -1)},
        {"cue with two points", lo_bytes("/prismel/cue/1.2.3/go"), kIgnored},
        {"back", lo_bytes("/prismel/back"), play(Kind::back)},
        {"standby", lo_bytes("/prismel/standby"), play(Kind::standby)},
        {"scene at the run screen's time", lo_bytes("/prismel/scene/7"), play(Kind::scene, 6)},
        {"scene with seconds", number("/prismel/scene/7", 2.5f), play(Kind::scene, 6, 50)},
        {"scene at the longest time", number("/prismel/scene/7", 99.9f), play(Kind::scene, 6, 1998)},
        {"scene cut", integer("/prismel/scene/200", 0), play(Kind::scene, 199, 0)},
        {"scene time too long", number("/prismel/scene/7", 120), kIgnored},
        {"scene 0 is none", lo_bytes("/prismel/scene/0"), play(Kind::scene, -1)},
        {"chase", lo_bytes("/prismel/chase/2"), play(Kind::chase, 1)},
        {"chase released", integer("/prismel/chase/2", 0), kIgnored},
        {"fkey 10", lo_bytes("/prismel/fkey/10"), play(Kind::fkey, 9)},
        {"fkey 11 is none", lo_bytes("/prismel/fkey/11"), play(Kind::fkey, 10)},
        {"fkey released", lo_bytes("/prismel/fkey/3", [](lo_message m) { lo_message_add_false(m); }), kIgnored},
        {"subscribe", lo_bytes("/prismel/subscribe"), OscRequest::subscribe(0)},
        {"subscribe to a port", integer("/prismel/subscribe", 9001), OscRequest::subscribe(9001)},
        {"subscribe to port 0", integer("/prismel/subscribe", 0), kIgnored},
        {"subscribe past the ports", number("/prismel/subscribe", 70000), kIgnored},
        {"case counts", lo_bytes("/prismel/GO"), kIgnored},
        {"a pattern", lo_bytes("/prismel/*"), kIgnored},
    };
    for (const auto& c : cases) EXPECT_EQ(requests_of(c.bytes), std::vector<OscRequest>{c.want}) << c.what;
}

Bytes bundle(const std::vector<Bytes>& elements) {
    Bytes out = {'#', 'b', 'u', 'n', 'd', 'l', 'e', 0, 0, 0, 0, 0, 0, 0, 0, 1};
    for (const Bytes& e : elements) {
        const uint32_t n = uint32_t(e.size());
        out.insert(out.end(), {uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n)});
        out.insert(out.end(), e.begin(), e.end());
    }
    return out;
}

TEST(OscCommands, BundlesInOrderAndBrokenPackets) {
    const Bytes go = lo_bytes("/prismel/go"), back = lo_bytes("/prismel/back"), standby = lo_bytes("/prismel/standby");
    // liblo's own bundle, to check the framing read here against it.
    lo_bundle lb = lo_bundle_new(LO_TT_IMMEDIATE);
    lo_message m1 = lo_message_new(), m2 = lo_message_new();
    lo_message_add_string(m2, "4");
    lo_bundle_add_message(lb, "/prismel/back", m1);
    lo_bundle_add_message(lb, "/prismel/go", m2);
    size_t size = 0;
    void* raw = lo_bundle_serialise(lb, nullptr, &size);
    const Bytes from_liblo(static_cast<uint8_t*>(raw), static_cast<uint8_t*>(raw) + size);
    free(raw);
    lo_bundle_free_recursive(lb);

    Bytes cut = bundle({go, back});
    cut.resize(cut.size() - 1);  // the second element's size now passes the end
    Bytes deep = go, too_deep = go;
    for (int i = 0; i < kOscMaxBundleDepth; ++i) deep = bundle({deep});
    too_deep = bundle({deep});
    Bytes no_comma = go;
    no_comma[12] = 'x';
    const Bytes garbage = {0x2f, 0x00, 0xff, 0x13, 0x37};
    const Bytes empty = bundle({});

    const struct {
        const char* what;
        Bytes bytes;
        std::vector<OscRequest> want;
    } cases[] = {
        {"liblo's bundle", from_liblo, {play(Kind::back), play(Kind::cue, 40)}},
        {"elements in order", bundle({go, back, standby}), {play(Kind::go), play(Kind::back), play(Kind::standby)}},
        {"nested depth first", bundle({go, bundle({back, standby}), go}),
         {play(Kind::go), play(Kind::back), play(Kind::standby), play(Kind::go)}},
        {"a bad element is skipped", bundle({go, garbage, back}), {play(Kind::go), play(Kind::back)}},
        {"an element past the end ends it", cut, {play(Kind::go)}},
        {"as deep as taken", deep, {play(Kind::go)}},
        {"deeper", too_deep, {}},
        {"bundle header cut short", Bytes(empty.begin(), empty.begin() + 12), {}},
        {"type tags without comma", no_comma, {}},
        {"message cut short", Bytes(go.begin(), go.end() - 2), {}},
        {"garbage", garbage, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(requests_of(c.bytes), c.want) << c.what;
}

}  // namespace
}  // namespace prismel::remote
