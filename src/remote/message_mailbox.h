#pragma once
// How texts from other threads reach the message line: a remote posts what
// an action it received came to ("no such cue"), the window's 50 ms timer
// takes the latest and shows it. One text is kept; a newer one replaces it.
#include <mutex>
#include <string>

namespace prismel {

class MessageMailbox {
public:
    // Any thread; a CP932 text, copied.
    void post(const char* cp932);
    // The text posted since the last take, if any.
    bool take(std::string& out);

private:
    std::mutex mutex_;
    std::string text_;
    bool fresh_ = false;
};

// The console's mailbox for its remotes' texts.
extern MessageMailbox g_remote_messages;

}  // namespace prismel
