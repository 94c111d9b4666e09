#pragma once
// The browser remote's server: Qt's HTTP server for the two pages, Qt's
// WebSocket server for the state and the actions, and a gate in front of
// both that reads the first request of every connection itself. The gate is
// there because the HTTP server of this Qt version hands every WebSocket
// upgrade on without showing it to anyone: here an upgrade without a
// session token, or from a page of another origin, is answered "403
// Forbidden" before any handshake. Runs on the thread that creates it, never
// on the output thread; every action goes through apply_playback_action.
#include <QHostAddress>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

#include "data/show_data.h"
#include "engine/playback_engine.h"

namespace prismel::web {

struct WebServerConfig {
    QHostAddress address = QHostAddress::Any;
    quint16 port = 0;  // 0: a free port (tests)
    std::string pin;   // empty: six random digits
};

class WebServer : public QObject {
    Q_OBJECT

public:
    WebServer(PlaybackEngine& engine, const ShowData& show, QObject* parent = nullptr);
    ~WebServer() override;

    // Listens; false with a reason (in English, for logs) when it cannot.
    bool start(const WebServerConfig& config, std::string& error);
    void stop();

    const std::string& pin() const;
    quint16 port() const;
    int browser_count() const;  // open WebSocket sessions

    // The message line's text (CP932) for an action that played nothing.
    std::function<void(const char* cp932)> on_refused_action;

    struct Impl;  // the gate, the servers and the browsers (web_server_qt.cpp)

private:
    std::unique_ptr<Impl> d_;
};

}  // namespace prismel::web
