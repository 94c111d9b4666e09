// Where the output thread speaks from: the automatic Art-Net address (added
// as an alias when the machine has none) or the interface the operator
// chose, and the sockets the protocols in use need there.
#include "output/artnet_thread.h"
#include "output/network_setup.h"
#include "platform/text_codec.h"

namespace prismel::artnet {

void TArtnetThread::set_output_settings(const OutputSettings& s) {
    {
        std::lock_guard lock(settings_mutex_);
        requested_ = s;
    }
    if (!started_) configure(s);
    else settings_pending_.store(true);
}

OutputSettings TArtnetThread::output_settings() const {
    std::lock_guard lock(settings_mutex_);
    return requested_;
}

void TArtnetThread::take_new_settings() {
    if (!settings_pending_.exchange(false)) return;
    OutputSettings s;
    {
        std::lock_guard lock(settings_mutex_);
        s = requested_;
    }
    configure(s);
    // Unicast waits for the nodes' answers: ask at once.
    if (s.delivery == Delivery::unicast) send_poll();
}

void TArtnetThread::configure(const OutputSettings& s) {
    // The automatic choice adds its Art-Net address only for Art-Net.
    const bool rebind = !bound_ || s.interface != settings_.interface ||
                        (s.interface.empty() && sends_artnet(s.protocol) != sends_artnet(settings_.protocol));
    if (rebind || !sends_sacn(s.protocol) || s.cid != settings_.cid || s.sacn_universe != settings_.sacn_universe)
        end_sacn_stream();
    const OutputSettings before = settings_;
    settings_ = s;
    if (rebind) {
        release_output();
        bind_output();
    } else {
        open_sockets();
    }
    arrange_sinks(before);
}

void TArtnetThread::bind_output() {
    bound_ = true;
    if (settings_.interface.empty()) bind_automatic();
    else bind_chosen(resolve_interface(network_->local_addresses(), settings_.interface));
}

void TArtnetThread::bind_automatic() {
    AddressChoice choice = choose_address(network_->local_addresses());
    Ipv4 own = choice.own;
    Ipv4 mask = choice.mask;
    alias_refused_.store(false);
    if (choice.needs_alias && sends_artnet(settings_.protocol)) {
        std::string error;
        if (network_->add_address(choice.alias, error)) {
            alias_ = choice.alias;
            alias_added_.store(true);
            own = alias_.address;
            mask = prefix_mask(alias_.prefix);
        } else {
            error_text_ = error;
            alias_refused_.store(true);
        }
    }
    {
        std::lock_guard lock(socket_mutex_);
        own_ = own;
        broadcast_ = directed_broadcast(own, mask);
        own_address_text_ = dotted(own);
    }
    path_.broadcast = broadcast_;
    path_.own = own;
    if_index_ = choice.if_index;
    build_reply(reply_, own);
    open_sockets();
}

void TArtnetThread::bind_chosen(const InterfaceBinding& b) {
    chosen_ = b;
    if (b.status == OutputStatus::ok) {
        std::lock_guard lock(socket_mutex_);
        own_ = b.own;
        broadcast_ = directed_broadcast(b.own, b.mask);
        own_address_text_ = dotted(b.own);
        path_.broadcast = broadcast_;
        path_.own = b.own;
    }
    if_index_ = b.if_index;
    build_reply(reply_, b.own);
    open_sockets();
}

void TArtnetThread::open_sockets() {
    close_sockets();
    const bool chosen = !settings_.interface.empty();
    if (chosen && chosen_.status != OutputStatus::ok) {
        set_network_status(chosen_.status);
        return;
    }
    const std::string device = chosen ? chosen_.device : std::string();
    std::unique_ptr<UdpSocket> artnet_socket, sacn_socket;
    std::string error;
    bool ok = true;
    if (sends_artnet(settings_.protocol)) {
        SocketSetup s;
        s.port = kUdpPort;
        s.device = device;
        s.broadcast = true;
        artnet_socket = network_->open_socket(s, error);
        ok = artnet_socket != nullptr;
    }
    if (ok && sends_sacn(settings_.protocol)) {
        SocketSetup s;
        s.device = device;
        s.multicast = true;
        s.multicast_if = if_index_;
        s.multicast_address = own_address();
        sacn_socket = network_->open_socket(s, error);
        ok = sacn_socket != nullptr;
    }
    if (!ok) {
        error_text_ = std::string(sj("ソケットの初期化に失敗しました")) + " (" + error + ")";
        set_network_status(OutputStatus::no_socket);
        return;
    }
    std::lock_guard lock(socket_mutex_);
    socket_ = std::move(artnet_socket);
    sacn_socket_ = std::move(sacn_socket);
    path_.artnet = socket_.get();
    path_.sacn = sacn_socket_.get();
    path_.ready = true;
    socket_ready_.store(true);
    set_network_status(OutputStatus::ok);
}

void TArtnetThread::close_sockets() {
    std::lock_guard lock(socket_mutex_);
    socket_ready_.store(false);
    path_.artnet = path_.sacn = nullptr;
    path_.ready = false;
    set_network_status(OutputStatus::no_socket);
    socket_.reset();
    sacn_socket_.reset();
}

void TArtnetThread::set_network_status(OutputStatus s) {
    path_.status = s;
    status_.store(s);
}

void TArtnetThread::release_output() {
    close_sockets();
    if (alias_added_.load()) {
        std::string error;
        if (!network_->remove_address(alias_, error)) error_text_ = error;
        alias_added_.store(false);
    }
}

void TArtnetThread::check_interface() {
    const InterfaceBinding b = resolve_interface(network_->local_addresses(), settings_.interface);
    if (b == chosen_) return;
    end_sacn_stream();
    bind_chosen(b);
    for (auto& sink : sinks_)
        if (uses_network(sink->kind())) sink->resend();
}

std::string TArtnetThread::own_address_text() const {
    std::lock_guard lock(socket_mutex_);
    return own_address_text_;
}

Ipv4 TArtnetThread::own_address() const {
    std::lock_guard lock(socket_mutex_);
    return own_;
}

Ipv4 TArtnetThread::broadcast_address() const {
    std::lock_guard lock(socket_mutex_);
    return broadcast_;
}

}  // namespace prismel::artnet
