#include "platform/text_codec.h"

#include <iconv.h>

#include <cerrno>
#include <map>
#include <mutex>

namespace prismel {
namespace {

// "CP932", not "SHIFT_JIS": the latter maps 0x5C to YEN SIGN and rejects the
// vendor extensions that Windows text uses.
std::string convert(std::string_view in, const char* to, const char* from, std::string_view bad) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    std::string out;
    out.reserve(in.size() * 2 + 4);
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    char buf[256];
    while (left > 0) {
        char* dst = buf;
        size_t room = sizeof buf;
        size_t r = iconv(cd, &src, &left, &dst, &room);
        out.append(buf, dst - buf);
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (a cut sequence): one replacement, skip a byte.
            out.append(bad);
            ++src;
            --left;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string to_cp932(std::string_view utf8) {
    return convert(utf8, "CP932", "UTF-8", "?");
}

std::string to_utf8(std::string_view cp932) {
    return convert(cp932, "UTF-8", "CP932", "\xEF\xBF\xBD");
}

const char* sj(const char* utf8) {
    // Keyed by the text, not the pointer, so a reused buffer never gets a
    // stale conversion. std::map nodes never move: the pointers stay valid.
    static std::mutex lock;
    static std::map<std::string, std::string, std::less<>> cache;
    std::lock_guard<std::mutex> guard(lock);
    auto hit = cache.find(std::string_view(utf8));
    if (hit == cache.end()) hit = cache.emplace(utf8, to_cp932(utf8)).first;
    return hit->second.c_str();
}

}  // namespace prismel
