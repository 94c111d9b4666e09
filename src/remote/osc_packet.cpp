#include "remote/osc_packet.h"

#include <lo/lo.h>

#include <cstring>
#include <memory>

namespace prismel::remote {

namespace {

constexpr char kBundleTag[8] = {'#', 'b', 'u', 'n', 'd', 'l', 'e', '\0'};
constexpr size_t kBundleHeader = 16;  // the tag and the time tag

struct MessageFree {
    void operator()(void* m) const { lo_message_free(static_cast<lo_message>(m)); }
};

template <typename T>
T load(const void* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// a is nullptr for the types that carry no data (T F N I). liblo points
// into its copy of the message, 4-byte aligned only: values are copied out
// rather than read through the 8-byte union.
OscArg arg_of(char tag, const void* a) {
    OscArg out;
    out.tag = tag;
    if (!a && !std::strchr("TFNI", tag)) return out;
    switch (tag) {
    case LO_INT32: out.kind = OscArg::Kind::number, out.number = load<int32_t>(a); break;
    case LO_INT64: out.kind = OscArg::Kind::number, out.number = double(load<int64_t>(a)); break;
    case LO_FLOAT: out.kind = OscArg::Kind::number, out.number = load<float>(a); break;
    case LO_DOUBLE: out.kind = OscArg::Kind::number, out.number = load<double>(a); break;
    case LO_STRING:
    case LO_SYMBOL: out.kind = OscArg::Kind::text, out.text = static_cast<const char*>(a); break;
    case LO_TRUE:
    case LO_INFINITUM: out.kind = OscArg::Kind::truth, out.number = 1; break;
    case LO_FALSE:
    case LO_NIL: out.kind = OscArg::Kind::truth, out.number = 0; break;
    default: break;
    }
    return out;
}

// One message element; liblo checks every string, type tag and argument
// against the size before it reads them.
void read_message(const uint8_t* data, size_t size, std::vector<OscMessage>& out) {
    int result = 0;
    std::unique_ptr<void, MessageFree> m(lo_message_deserialise(const_cast<uint8_t*>(data), size, &result));
    if (!m) return;
    lo_message msg = static_cast<lo_message>(m.get());
    OscMessage message;
    // The address is the first string of the bytes liblo accepted.
    message.address.assign(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
    const char* types = lo_message_get_types(msg);
    lo_arg** argv = lo_message_get_argv(msg);
    const int argc = lo_message_get_argc(msg);
    for (int i = 0; i < argc; ++i)
        message.args.push_back(arg_of(types[i], argv ? static_cast<const void*>(argv[i]) : nullptr));
    out.push_back(std::move(message));
}

uint32_t big_endian_32(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

void read_element(const uint8_t* data, size_t size, int depth, std::vector<OscMessage>& out) {
    if (size < sizeof kBundleTag || std::memcmp(data, kBundleTag, sizeof kBundleTag) != 0) {
        read_message(data, size, out);
        return;
    }
    if (depth >= kOscMaxBundleDepth || size < kBundleHeader) return;
    size_t at = kBundleHeader;
    while (size - at >= 4) {
        const uint32_t length = big_endian_32(data + at);
        at += 4;
        if (length == 0 || length > size - at) return;
        read_element(data + at, length, depth + 1, out);
        at += length;
    }
}

}  // namespace

std::vector<OscMessage> read_osc_packet(const uint8_t* data, size_t size) {
    std::vector<OscMessage> out;
    if (data && size > 0) read_element(data, size, 0, out);
    return out;
}

std::vector<uint8_t> osc_bytes(const OscMessage& m) {
    std::unique_ptr<void, MessageFree> msg(lo_message_new());
    lo_message lm = static_cast<lo_message>(msg.get());
    for (const OscArg& a : m.args) {
        if (a.kind == OscArg::Kind::text) lo_message_add_string(lm, a.text.c_str());
        else if (a.tag == LO_INT32) lo_message_add_int32(lm, int32_t(a.number));
        else if (a.tag == LO_DOUBLE) lo_message_add_double(lm, a.number);
        else lo_message_add_float(lm, float(a.number));
    }
    size_t size = 0;
    void* bytes = lo_message_serialise(lm, m.address.c_str(), nullptr, &size);
    std::vector<uint8_t> out(static_cast<uint8_t*>(bytes), static_cast<uint8_t*>(bytes) + (bytes ? size : 0));
    std::free(bytes);
    return out;
}

}  // namespace prismel::remote
