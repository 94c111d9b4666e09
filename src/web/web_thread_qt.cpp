#include "web/web_thread_qt.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <future>

namespace prismel::web {

struct WebServerThread::Impl {
    PlaybackEngine& engine;
    const ShowData& show;
    std::unique_ptr<QCoreApplication> app;  // made here when the program has none
    std::unique_ptr<QThread> thread;
};

WebServerThread::WebServerThread(PlaybackEngine& engine, const ShowData& show)
    : d_(std::make_unique<Impl>(Impl{engine, show, nullptr, nullptr})) {}

WebServerThread::~WebServerThread() {
    if (d_->thread) {
        d_->thread->quit();  // ends the event loop; the server is destroyed on its thread
        d_->thread->wait();
    }
}

bool WebServerThread::start(const WebServerConfig& config, std::string& error) {
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "prismel";
        static char* argv[] = {name, nullptr};
        d_->app = std::make_unique<QCoreApplication>(argc, argv);
    }
    struct Started {
        bool ok;
        std::string error, pin;
        int port;
    };
    std::promise<Started> started;
    std::future<Started> result = started.get_future();
    d_->thread.reset(QThread::create([this, config, &started] {
        WebServer server(d_->engine, d_->show);
        server.on_refused_action = on_refused_action;
        std::string why;
        const bool ok = server.start(config, why);
        started.set_value({ok, why, server.pin(), server.port()});
        if (!ok) return;
        QEventLoop loop;
        loop.exec();  // until the thread is asked to quit
    }));
    d_->thread->start();
    const Started s = result.get();
    if (!s.ok) {
        d_->thread->wait();
        d_->thread.reset();
        error = s.error;
        return false;
    }
    pin_ = s.pin;
    port_ = s.port;
    return true;
}

}  // namespace prismel::web
