// prismel-show play DIR [options]: the show in DIR played without the window
// over Art-Net, sACN, a USB DMX widget and/or OLA's daemon: the engine, the
// remote GO inputs and the output thread, driven by commands on standard
// input and, when given ports, by OSC, MIDI Show Control over UDP and the
// browser remote. It is a primary that any backup console may follow, or,
// with --backup-of, the backup of another console.
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "backup/backup_config.h"
#include "backup/backup_link.h"
#include "backup/primary_link.h"
#include "backup/thread_outputs.h"
#include "commands.h"
#include "data/show_digest.h"
#include "engine/journal_keeper.h"
#include "engine/journal_start.h"
#include "engine/playback_action.h"
#include "engine/playback_engine.h"
#include "output/artnet.h"
#include "platform/remote_port.h"
#include "platform/text_codec.h"
#include "remote/remote_control.h"
#include "remote/sender_allow.h"
#include "play_web.h"
#include "web/web_access.h"

namespace prismel::tool {
namespace {

// The one text of play's options: `play --help`, a refused option line and
// `prismel-show --help` all print it.
const char kPlayUsage[] =
    "usage: prismel-show play DIR [OPTIONS]\n"
    "  --seconds S                 stop after S seconds (default: until quit or a signal)\n"
    "  --universe N                Art-Net universe 0-32767 (default 0)\n"
    "  --interface NAME|ADDRESS    send from this interface or address as it is\n"
    "                              (default: the automatic choice of a 2.x.x.x address)\n"
    "  --delivery broadcast|unicast\n"
    "                              ArtDmx broadcast (default), or to each node on the universe\n"
    "  --protocol LIST             the outputs, separated by commas: artnet, sacn, usbpro, ola\n"
    "                              (both = artnet,sacn; default artnet)\n"
    "  --sacn-universe N           sACN universe 1-63999 (default: the Art-Net universe + 1)\n"
    "  --usbpro-device PATH        the USB DMX Pro widget (default: the first one found)\n"
    "  --ola-universe N            olad's universe for the OLA output (default 1)\n"
    "  --resume                    keep a journal beside the show (DIR/prismel-show.JNL) and,\n"
    "                              after an unexpected end, play on from it at the first frame\n"
    "  --osc-port N                listen for OSC on UDP port N (default: no OSC)\n"
    "  --osc-allow LIST            the senders OSC and MSC take: addresses and ranges\n"
    "                              (2.0.0.5,2.0.0.0/8); default: every sender\n"
    "  --msc-udp-port N            listen for MIDI Show Control over UDP on port N\n"
    "  --web-port N                serve the browser remote on TCP port N (default: none)\n"
    "  --web-pin PIN               its PIN, 4-12 digits (default: one made and printed once)\n"
    "  --backup-of ADDRESS         be the backup of the console at ADDRESS: follow its show with the\n"
    "                              outputs held, send when it falls silent for 1 s, give back when it\n"
    "                              is back (default: a primary, which answers any backup on UDP 6460)\n"
    "  --backup-hot                as a backup, send sACN all the time at priority 99\n"
    "commands on standard input, one a line: go, back, cue N (e.g. 12.5), standby, quit;\n"
    "as a backup also take-show (copy the primary's show over this one)\n";

struct PlayOptions {
    std::string folder;
    double seconds = 0;  // 0: until quit or a signal
    int universe = 0;
    artnet::OutputSettings output;
    bool resume = false;  // keep a journal beside the show and play on from it after an unexpected end
    RemoteSettings remote;
    PlayWebOptions web;
    uint32_t backup_of = 0;  // the primary's address; 0: this player is a primary
    bool backup_hot = false;
};

// The player's own journal, beside the show it plays.
constexpr const char* kPlayJournal = "prismel-show.JNL";

// A decimal number from lo to hi and nothing else.
bool whole_number_in(const char* v, long lo, long hi, int& out) {
    char* end = nullptr;
    const long n = std::strtol(v, &end, 10);
    if (*v == 0 || *end != 0 || n < lo || n > hi) return false;
    out = int(n);
    return true;
}

bool parse_options(const Args& args, PlayOptions& o) {
    if (args.empty()) return false;
    o.folder = as_folder(args[0]);
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--resume") {
            o.resume = true;
            continue;
        }
        if (args[i] == "--backup-hot") {
            o.backup_hot = true;
            continue;
        }
        if (i + 1 >= args.size()) return false;
        const char* v = args[i + 1].c_str();
        char* end = nullptr;
        if (args[i] == "--seconds") {
            o.seconds = std::strtod(v, &end);
            if (*v == 0 || *end != 0 || !(o.seconds > 0)) return false;
        } else if (args[i] == "--universe") {
            if (!whole_number_in(v, 0, 0x7FFF, o.universe)) return false;
        } else if (args[i] == "--sacn-universe") {
            if (!whole_number_in(v, artnet::kSacnUniverseMin, artnet::kSacnUniverseMax, o.output.sacn_universe))
                return false;
        } else if (args[i] == "--interface") {
            if (*v == 0) return false;
            o.output.interface = v;
        } else if (args[i] == "--delivery") {
            if (!artnet::parse_delivery(v, o.output.delivery)) return false;
        } else if (args[i] == "--protocol") {
            if (!artnet::parse_protocol(v, o.output.protocol)) return false;
        } else if (args[i] == "--osc-port") {
            if (!whole_number_in(v, 0, kMaxUdpPort, o.remote.osc_port)) return false;
        } else if (args[i] == "--msc-udp-port") {
            if (!whole_number_in(v, 0, kMaxUdpPort, o.remote.msc_udp_port)) return false;
        } else if (args[i] == "--osc-allow") {
            const remote::AllowParse allow = remote::parse_sender_allow(v);
            if (!allow.bad.empty()) {
                std::fprintf(stderr, "prismel-show: --osc-allow: '%s' is neither an IPv4 address nor a range\n",
                             allow.bad.front().c_str());
                return false;
            }
            o.remote.osc_allow = v;
        } else if (args[i] == "--web-port") {
            if (!whole_number_in(v, 1, 65535, o.web.port)) return false;
        } else if (args[i] == "--web-pin") {
            if (!web::valid_pin(v)) return false;  // 4-12 digits
            o.web.pin = v;
        } else if (args[i] == "--usbpro-device") {
            if (*v == 0) return false;
            o.output.usbpro_device = v;
        } else if (args[i] == "--backup-of") {
            if (!parse_backup_of(v, o.backup_of) || o.backup_of == 0) return false;
        } else if (args[i] == "--ola-universe") {
            if (!whole_number_in(v, artnet::kOlaUniverseMin, artnet::kOlaUniverseMax, o.output.ola_universe))
                return false;
        } else {
            return false;
        }
        ++i;
    }
    return true;
}

// "12", "12." or "12.5" as tenths; -1 for anything else.
int parse_cue_number(const std::string& s) {
    size_t i = 0;
    long whole = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && whole < 100000) whole = whole * 10 + (s[i++] - '0');
    if (i == 0) return -1;
    int tenth = 0;
    if (i < s.size() && s[i] == '.') {
        ++i;
        if (i < s.size() && s[i] >= '0' && s[i] <= '9') tenth = s[i++] - '0';
    }
    if (i != s.size() || whole * 10 + tenth > 32767) return -1;
    return int(whole * 10 + tenth);
}

std::string trimmed(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

class Player {
public:
    Player(ShowData& show, const PlayOptions& o)
        : show_(show),
          folder_(o.folder),
          engine_(show, system_remote_port()),
          thread_(output_settings_of(o)),
          outputs_(thread_, o.backup_hot) {
        engine_.initialise();
        thread_.tx_universe = o.universe;
        thread_.set_step_hook([this](uint8_t* slots) {
            std::memcpy(frame_.data(), slots, frame_.size());
            engine_.step(frame_);
            std::memcpy(slots, frame_.data(), frame_.size());
        });
        if (!thread_.error_text().empty()) std::fprintf(stderr, "prismel-show: %s\n", thread_.error_text().c_str());
        if (o.resume) resume(o);
        start_link(o);
        report_status();
        engine_.release();  // hold counter 0, as the start-up leaves it
        thread_.start(true);
        for (const remote::StartNote& note : remotes_.start(o.remote))
            std::fprintf(stderr, "prismel-show: %s\n", remote::note_text(note).c_str());
    }
    ~Player() {
        remotes_.stop();
        primary_.reset();
        backup_.reset();
        // Each output's last report: where it went and what it dropped.
        for (const artnet::OutputReport& r : thread_.output_reports())
            std::fprintf(stderr, "prismel-show: %s %s %s, %llu frames dropped\n",
                         artnet::protocol_text(r.kind).c_str(), r.where.c_str(), artnet::dmx_status_text(r.status),
                         static_cast<unsigned long long>(r.dropped));
        engine_.hold();
        thread_.terminate();
        thread_.join();  // the added address is removed here
        if (journal_) journal_->close_cleanly();
        engine_.shut_down();
    }

    PlaybackEngine& engine() { return engine_; }

    // False for quit. The playing commands are the run screen's actions, so
    // they refuse, and say why, where its keys would.
    bool command(const std::string& raw) {
        using Kind = PlaybackAction::Kind;
        std::string line = trimmed(raw);
        if (line.empty()) return true;
        if (line == "quit") return false;
        if (line == "go") {
            play(PlaybackAction::of(Kind::go));
        } else if (line == "back") {
            play(PlaybackAction::of(Kind::back));
        } else if (line == "standby") {
            play(PlaybackAction::of(Kind::standby));
        } else if (line == "take-show") {
            if (backup_) backup_->copy_primary_show();
            else std::fprintf(stderr, "prismel-show: take-show: this player is no backup (--backup-of ADDRESS)\n");
        } else if (line.rfind("cue ", 0) == 0) {
            const int number = parse_cue_number(trimmed(line.substr(4)));
            if (number < 0) std::fprintf(stderr, "prismel-show: no cue %s\n", trimmed(line.substr(4)).c_str());
            else play(PlaybackAction::of(Kind::cue, number));
        } else {
            std::fprintf(stderr, "prismel-show: unknown command '%s' (go, back, cue N, standby, take-show, quit)\n",
                         line.c_str());
        }
        return true;
    }

    void play(const PlaybackAction& action) {
        if (const char* why = outcome_message(apply_playback_action(engine_, show_, action)))
            std::fprintf(stderr, "prismel-show: %s\n", to_utf8(why).c_str());
    }

    // The status line's text on standard error whenever it changes.
    void report_status() {
        const artnet::OutputStatus now = thread_.status();
        if (last_status_ == now) return;
        last_status_ = now;
        std::fprintf(stderr, "prismel-show: %s%s\n", artnet::dmx_status_text(now), status_detail(now));
    }

    // The link between the consoles, from the main loop: the journal learns
    // whether a backup follows, and a show copied from the primary is put in
    // place here, never on the link's thread.
    void tick_link() {
        if (journal_ && primary_) journal_->set_backup_following(primary_->backed());
        backup::ShowImages images;
        if (!backup_ || !backup_->take_copied_show(images)) return;
        const bool placed = backup::swap_in_copied_show(engine_, show_, images, folder_, folder_ + "BACKUP.TMP");
        if (placed) {
            const uint64_t digest = show_digest(show_);
            backup_->set_show_digest(digest);
            if (journal_) journal_->set_show_digest(digest);
        }
        say_link("backup", placed ? backup::LinkNote::copy_done : backup::LinkNote::copy_failed);
    }

    void print_new_nodes() {
        if (!thread_.nodes.take_changed()) return;
        for (const artnet::NodeEntry& e : thread_.nodes.entries()) {
            uint32_t ip = uint32_t(e.ip[0]) << 24 | e.ip[1] << 16 | e.ip[2] << 8 | e.ip[3];
            if (!printed_.insert(ip).second) continue;
            std::string name;
            for (const char* c = e.short_name; *c; ++c) name += (*c >= 0x20 && *c < 0x7F) ? *c : '?';
            std::printf("node %u.%u.%u.%u %s%s\n", e.ip[0], e.ip[1], e.ip[2], e.ip[3], name.c_str(),
                        e.marked ? " *" : "");
        }
        std::fflush(stdout);
    }

private:
    // After an unexpected end the last look is restored before the first
    // frame; from then on the journal follows what is played.
    void resume(const PlayOptions& o) {
        const uint64_t digest = show_digest(show_);
        journal_ = std::make_unique<JournalKeeper>(engine_, o.folder + kPlayJournal);
        const JournalStart start = read_journal_at_start(journal_->path(), digest);
        resume_from(engine_, start);
        backup_followed_ = start.kind != JournalStart::Kind::refused && start.entry.backup_following;
        if (start.kind == JournalStart::Kind::resume) {
            thread_.step_before_first_send();
            const PlaybackRecord& p = start.entry.playback;
            std::fprintf(stderr, "prismel-show: output restored after an unexpected end (cue %d, scene %d, chase %d)\n",
                         p.cue + 1, p.scene + 1, p.chase + 1);
        } else if (start.kind == JournalStart::Kind::refused) {
            std::fprintf(stderr, "prismel-show: %s is not used (%s); starting in standby\n", kPlayJournal,
                         fault_text(start.fault));
        }
        journal_->start(digest, o.universe);
    }

    static artnet::OutputSettings output_settings_of(const PlayOptions& o) {
        artnet::OutputSettings s = o.output;
        if (o.backup_of != 0 && o.backup_hot) s.sacn_priority = kHotBackupPriority;
        return s;
    }

    static void say_link(const char* role, backup::LinkNote note) {
        std::fprintf(stderr, "prismel-show: %s: %s\n", role, backup::note_text(note));
    }

    // A backup subscribes to its primary; any other player answers backups.
    // Both come up before the first frame: a backup holds its outputs from
    // the start, and a primary that a backup followed at its last run waits
    // for it.
    void start_link(const PlayOptions& o) {
        const uint64_t digest = show_digest(show_);
        std::string error;
        if (o.backup_of != 0) {
            backup_ = std::make_unique<backup::BackupLink>(engine_, outputs_,
                                                           [](backup::LinkNote n) { say_link("backup", n); });
            backup_->set_show_digest(digest);
            if (!backup_->start(o.backup_of, kBackupLinkPort, error))
                std::fprintf(stderr, "prismel-show: backup: no socket for the link (%s)\n", error.c_str());
            return;
        }
        primary_ = std::make_unique<backup::PrimaryLink>(engine_, show_, outputs_,
                                                         [](backup::LinkNote n) { say_link("primary", n); });
        primary_->set_show_digest(digest);
        if (backup_followed_) primary_->await_backup();
        if (!primary_->start(kBackupLinkPort, error))
            std::fprintf(stderr, "prismel-show: UDP port %u for backups: %s; no backup can follow\n",
                         unsigned(kBackupLinkPort), error.c_str());
    }

    static const char* fault_text(JournalFault f) {
        switch (f) {
        case JournalFault::torn: return "cut short";
        case JournalFault::other_version: return "written by another version";
        case JournalFault::other_show: return "of another show";
        default: return "damaged";
        }
    }

    ShowData& show_;
    std::string folder_;
    PlaybackEngine engine_;
    artnet::TArtnetThread thread_;
    backup::ThreadOutputs outputs_;
    std::unique_ptr<JournalKeeper> journal_;
    bool backup_followed_ = false;  // the journal says a backup followed the last run
    std::unique_ptr<backup::PrimaryLink> primary_;
    std::unique_ptr<backup::BackupLink> backup_;
    // What a remote's action came to, on standard error as the console's message line says it.
    remote::RemoteControl remotes_{engine_, show_, [](const char* cp932) {
        std::fprintf(stderr, "prismel-show: remote: %s\n", to_utf8(cp932).c_str());
    }};
    DmxFrame frame_{};
    std::set<uint32_t> printed_;
    std::optional<artnet::OutputStatus> last_status_;  // none before the first report

    static const char* status_detail(artnet::OutputStatus s) {
        switch (s) {
        case artnet::OutputStatus::no_socket: return " (no output socket)";
        case artnet::OutputStatus::no_interface: return " (the interface is missing or has no IPv4 address)";
        case artnet::OutputStatus::link_down: return " (the interface is down)";
        case artnet::OutputStatus::no_device: return " (no USB DMX widget)";
        case artnet::OutputStatus::no_ola: return " (olad does not answer)";
        default: return "";
        }
    }
};

// Reads commands until quit, a stop signal, or the end of the run time.
void run(Player& player, double seconds) {
    using clock = std::chrono::steady_clock;
    const auto end = clock::now() + std::chrono::duration_cast<clock::duration>(std::chrono::duration<double>(seconds));
    bool input_open = true;
    std::string pending;
    for (;;) {
        player.print_new_nodes();
        player.report_status();
        player.tick_link();
        if (artnet::stop_requested()) return;
        int wait_ms = 50;
        if (seconds > 0) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - clock::now()).count();
            if (left <= 0) return;
            if (left < wait_ms) wait_ms = int(left);
        }
        pollfd fds[2] = {{artnet::stop_signal_fd(), POLLIN, 0}, {input_open ? 0 : -1, POLLIN, 0}};
        if (::poll(fds, 2, wait_ms) <= 0 || !(fds[1].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        char buf[512];
        ssize_t n = ::read(0, buf, sizeof buf);
        if (n <= 0) {
            input_open = false;  // no more commands; playing goes on
            if (!pending.empty() && !player.command(pending)) return;
            continue;
        }
        pending.append(buf, size_t(n));
        for (size_t nl; (nl = pending.find('\n')) != std::string::npos;) {
            std::string line = pending.substr(0, nl);
            pending.erase(0, nl + 1);
            if (!player.command(line)) return;
        }
        if (pending.size() > 4096) pending.clear();  // no command is that long
    }
}

}  // namespace

const char* play_usage() { return kPlayUsage; }

int cmd_play(const Args& args) {
    PlayOptions options;
    // A new source identity for each run: nothing keeps it.
    options.output.cid = artnet::random_cid();
    options.remote.osc_port = 0;  // the player listens only where given a port
    if (!parse_options(args, options)) {
        std::fputs(kPlayUsage, stderr);
        return 2;
    }
    auto show = std::make_unique<ShowData>();
    if (!read_whole_show(*show, options.folder)) return 2;
    if (options.web.port > 0 && !play_web_supported()) {
        std::fputs("prismel-show: this build has no web remote (it was built without Qt)\n", stderr);
        return 2;
    }
    artnet::install_stop_signals();
    {
        Player player(*show, options);
        options.web.interface = options.output.interface;
        std::unique_ptr<PlayWebRemote> web;
        if (options.web.port > 0 && !(web = start_play_web_remote(player.engine(), *show, options.web))) return 2;
        run(player, options.seconds);
    }
    return 0;
}

}  // namespace prismel::tool
