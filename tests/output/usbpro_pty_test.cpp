// The USB widget output against pseudo-terminals standing in for widgets:
// the bytes a widget receives, probing by the serial-number answer, a widget
// that stops reading and one that is unplugged and plugged in again. The
// network is made up; the clock is the machine's, the terminals are real.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <thread>

#include "fake_network.h"
#include "output/artnet_thread.h"
#include "output/usbpro_sink.h"
#include "support/temp_dir.h"

using namespace prismel;
using namespace prismel::artnet;
using namespace prismel::test;

namespace {

// The widget end of a pseudo-terminal: a thread that reads what the console
// writes (while told to) and answers the serial-number request.
class PtyWidget {
public:
    explicit PtyWidget(bool answers = true) : answers_(answers) {
        master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        grantpt(master_);
        unlockpt(master_);
        slave_ = ptsname(master_);
        reader_ = std::thread([this] { serve(); });
    }
    ~PtyWidget() { unplug(); }
    const std::string& device() const { return slave_; }
    void set_reading(bool on) { reading_ = on; }
    void unplug() {
        stop_ = true;
        if (reader_.joinable()) reader_.join();
        if (master_ >= 0) close(master_);
        master_ = -1;
    }
    std::vector<uint8_t> received() {
        std::lock_guard lock(mutex_);
        return got_;
    }

private:
    void serve() {
        while (!stop_) {
            pollfd p{master_, POLLIN, 0};
            if (!reading_ || poll(&p, 1, 5) <= 0 || !(p.revents & POLLIN)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                continue;
            }
            uint8_t buf[4096];
            const ssize_t n = read(master_, buf, sizeof buf);
            if (n <= 0) continue;
            std::lock_guard lock(mutex_);
            got_.insert(got_.end(), buf, buf + n);
            static const uint8_t request[] = {0x7E, 10, 0, 0, 0xE7};
            if (answers_ && n == 5 && std::equal(buf, buf + 5, request)) {
                const uint8_t answer[] = {0x7E, 10, 4, 0, 0x78, 0x56, 0x34, 0x12, 0xE7};
                (void)!write(master_, answer, sizeof answer);
            }
        }
    }
    int master_ = -1;
    std::string slave_;
    bool answers_;
    std::atomic<bool> reading_{true}, stop_{false};
    std::mutex mutex_;
    std::vector<uint8_t> got_;
    std::thread reader_;
};

// The message a widget must receive for a frame whose slot i is base + i.
std::vector<uint8_t> expected_message(uint8_t base) {
    std::vector<uint8_t> m = {0x7E, 6, 0x01, 0x02, 0x00};
    for (int i = 0; i < 512; ++i) m.push_back(uint8_t(base + i));
    m.push_back(0xE7);
    return m;
}

// The bytes after `skip` as whole frame messages: their bases, or a failure.
// The loop's first frame, before the first step, is all zero.
std::vector<int> frame_bases(const std::vector<uint8_t>& bytes, size_t skip = 0) {
    std::vector<int> bases;
    std::vector<uint8_t> first = expected_message(0);
    std::fill(first.begin() + 5, first.end() - 1, 0);
    for (size_t at = skip; at < bytes.size(); at += 518) {
        if (bytes.size() - at < 518) {
            ADD_FAILURE() << "a message in part at " << at;
            break;
        }
        const std::vector<uint8_t> got(bytes.begin() + long(at), bytes.begin() + long(at) + 518);
        if (at == skip && got == first) continue;
        if (got != expected_message(got[5])) {
            ADD_FAILURE() << "message at " << at << " is not a whole frame";
            break;
        }
        bases.push_back(got[5]);
    }
    return bases;
}

template <class Pred>
bool within(std::chrono::milliseconds limit, Pred pred) {
    for (auto end = std::chrono::steady_clock::now() + limit; std::chrono::steady_clock::now() < end;)
        if (pred()) return true;
        else std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return pred();
}

// The output thread on a made-up network with the machine's clock; its USB
// serial devices are the links in a folder of the test's.
struct Console {
    std::shared_ptr<FakeWorld> world = std::make_shared<FakeWorld>();
    std::unique_ptr<TArtnetThread> thread;
    std::atomic<int> steps{0};
    std::atomic<long> longest_gap_us{0};

    Console(const TempDir& by_id, OutputSettings s, std::string remote_port = "") {
        world->rows = {row({{2, 0, 0, 1}}, 8, 2)};
        DeviceOutputs devices;
        devices.usbpro = [&by_id, remote_port](const OutputSettings& s) -> std::unique_ptr<DmxSink> {
            return std::make_unique<usbpro::UsbProSink>(usbpro::make_system_serial_devices({by_id.file("*")}),
                                                        s.usbpro_device, remote_port);
        };
        thread = std::make_unique<TArtnetThread>(std::make_unique<FakeNetwork>(world), make_monotonic_clock(), s,
                                                 devices);
        // A chase that changes every slot every frame.
        thread->set_step_hook([this, last = std::chrono::steady_clock::now()](uint8_t* frame) mutable {
            const auto now = std::chrono::steady_clock::now();
            const long gap = long(std::chrono::duration_cast<std::chrono::microseconds>(now - last).count());
            if (steps > 0 && gap > longest_gap_us) longest_gap_us = gap;
            last = now;
            const int k = ++steps;
            for (int i = 0; i < 512; ++i) frame[i] = uint8_t(k + i);
        });
        thread->start(false);
    }
    ~Console() {
        thread->terminate();
        thread->join();
    }
    OutputReport usbpro() {
        for (const OutputReport& r : thread->output_reports())
            if (r.kind == Protocol::usbpro) return r;
        return {};
    }
};

OutputSettings usbpro_settings(Protocol p, std::string device = "") {
    OutputSettings s;
    s.protocol = p;
    s.usbpro_device = std::move(device);
    return s;
}

}  // namespace

TEST(UsbProWidget, ProbingFindsTheWidgetThatAnswersAndSkipsTheRemotePort) {
    TempDir by_id;
    PtyWidget remote, silent(false), widget;
    std::filesystem::create_symlink(remote.device(), by_id.file("a-remote-go-port"));
    std::filesystem::create_symlink(silent.device(), by_id.file("b-modem"));
    Console console(by_id, usbpro_settings(Protocol::usbpro), remote.device());
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));  // two looks more
    EXPECT_EQ(console.thread->status(), OutputStatus::no_device);
    EXPECT_TRUE(remote.received().empty()) << "the remote GO port is never opened";
    EXPECT_EQ(silent.received(), (std::vector<uint8_t>{0x7E, 10, 0, 0, 0xE7})) << "asked once, then left alone";

    std::filesystem::create_symlink(widget.device(), by_id.file("c-widget"));  // plugged in
    ASSERT_TRUE(within(std::chrono::seconds(3), [&] { return widget.received().size() > 5 + 518 * 20; }));
    EXPECT_EQ(console.thread->status(), OutputStatus::ok);
    EXPECT_EQ(console.usbpro().where, by_id.file("c-widget"));
    EXPECT_TRUE(remote.received().empty());
    const std::vector<uint8_t> got = widget.received();
    ASSERT_EQ(std::vector<uint8_t>(got.begin(), got.begin() + 5), (std::vector<uint8_t>{0x7E, 10, 0, 0, 0xE7}));
    const std::vector<int> bases = frame_bases(got, 5);
    ASSERT_GE(bases.size(), 20u);
    for (size_t i = 1; i < bases.size(); ++i) EXPECT_EQ(uint8_t(bases[i]), uint8_t(bases[i - 1] + 1)) << i;
    EXPECT_EQ(console.usbpro().dropped, 0u);
}

TEST(UsbProWidget, AWidgetThatStopsReadingNeverHoldsTheLoopOrArtnetAndGetsWholeFramesOnly) {
    TempDir by_id;
    PtyWidget widget;
    std::filesystem::create_symlink(widget.device(), by_id.file("widget"));
    Console console(by_id, usbpro_settings(Protocol::artnet | Protocol::usbpro, by_id.file("widget")));
    ASSERT_TRUE(within(std::chrono::seconds(3), [&] { return !widget.received().empty(); }));
    widget.set_reading(false);
    const int before = console.steps;
    std::this_thread::sleep_for(std::chrono::seconds(2));  // the terminal's buffer fills within a second
    EXPECT_GE(console.steps - before, 80) << "the loop keeps its 50 frames a second";
    EXPECT_LT(console.longest_gap_us, 100000) << "no frame waited for the widget";
    EXPECT_TRUE(within(std::chrono::seconds(2), [&] { return console.usbpro().dropped > 10; }));
    EXPECT_TRUE(within(std::chrono::seconds(2), [&] { return console.thread->status() == OutputStatus::no_device; }))
        << "a widget that takes nothing is shown as missing";

    const size_t stalled = widget.received().size();
    widget.set_reading(true);
    EXPECT_TRUE(within(std::chrono::seconds(2), [&] { return widget.received().size() > stalled + 518 * 40; }));
    EXPECT_EQ(console.thread->status(), OutputStatus::ok);
    console.thread->terminate();
    console.thread->join();
    // Every frame computed went out as ArtDmx, the widget's stall notwithstanding.
    EXPECT_EQ(int(console.world->sent_with(0x5000).size()), console.steps + 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::vector<int> bases = frame_bases(widget.received());
    EXPECT_GE(bases.size(), 40u);
}

TEST(UsbProWidget, AnUnpluggedWidgetShowsNoDeviceAndIsUsedAgainWhenItIsBack) {
    TempDir by_id;
    const std::string link = by_id.file("usb-widget");
    auto widget = std::make_unique<PtyWidget>();
    std::filesystem::create_symlink(widget->device(), link);
    Console console(by_id, usbpro_settings(Protocol::usbpro, link));
    ASSERT_TRUE(within(std::chrono::seconds(3), [&] { return widget->received().size() >= 518 * 5; }));
    EXPECT_EQ(console.thread->status(), OutputStatus::ok);

    widget->unplug();
    std::filesystem::remove(link);
    EXPECT_TRUE(within(std::chrono::milliseconds(500),
                       [&] { return console.thread->status() == OutputStatus::no_device; }));
    EXPECT_STREQ(dmx_status_text(console.thread->status()), "DMX:NoDev");

    auto back = std::make_unique<PtyWidget>();  // another terminal, as a widget plugged in again gets
    std::filesystem::create_symlink(back->device(), link);
    EXPECT_TRUE(within(std::chrono::milliseconds(2500), [&] { return back->received().size() >= 518 * 5; }))
        << "looked at again within a second";
    EXPECT_EQ(console.thread->status(), OutputStatus::ok);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    console.thread->terminate();
    console.thread->join();
    EXPECT_GE(frame_bases(back->received()).size(), 5u);
    EXPECT_LT(console.longest_gap_us, 100000);
}
