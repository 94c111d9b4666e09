#include "remote/message_mailbox.h"

namespace prismel {

MessageMailbox g_remote_messages;

void MessageMailbox::post(const char* cp932) {
    std::lock_guard<std::mutex> lock(mutex_);
    text_ = cp932 ? cp932 : "";
    fresh_ = true;
}

bool MessageMailbox::take(std::string& out) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!fresh_) return false;
    out.swap(text_);
    text_.clear();
    fresh_ = false;
    return true;
}

}  // namespace prismel
