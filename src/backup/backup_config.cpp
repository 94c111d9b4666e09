#include "backup/backup_config.h"

namespace prismel {

bool parse_backup_of(std::string_view text, uint32_t& address) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    uint32_t value = 0;
    int parts = 0;
    size_t i = 0;
    while (parts < 4) {
        int n = 0, digits = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 4) {
            n = n * 10 + (text[i++] - '0');
            ++digits;
        }
        if (digits == 0 || digits > 3 || n > 255) return false;
        value = value << 8 | uint32_t(n);
        if (++parts < 4) {
            if (i >= text.size() || text[i] != '.') return false;
            ++i;
        }
    }
    if (i != text.size()) return false;
    address = value;
    return true;
}

}  // namespace prismel
