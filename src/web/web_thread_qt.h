#pragma once
// The browser remote on a thread of its own, for a program that has no Qt
// event loop (the headless player): the server lives and dies on that
// thread; the engine is safe to act on from it.
#include <memory>
#include <string>

#include "web/web_server_qt.h"

namespace prismel::web {

class WebServerThread {
public:
    WebServerThread(PlaybackEngine& engine, const ShowData& show);
    ~WebServerThread();  // stops the server and ends the thread
    WebServerThread(const WebServerThread&) = delete;
    WebServerThread& operator=(const WebServerThread&) = delete;

    // Starts the thread and the server in it; false with the reason when the
    // server could not listen (the thread has then ended).
    bool start(const WebServerConfig& config, std::string& error);
    const std::string& pin() const { return pin_; }
    int port() const { return port_; }

    // Texts for actions that played nothing (CP932), called on the thread.
    std::function<void(const char* cp932)> on_refused_action;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
    std::string pin_;
    int port_ = 0;
};

}  // namespace prismel::web
