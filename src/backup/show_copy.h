#pragma once
// The primary's show copied to a backup over the link: the primary keeps a
// copy of its seven tables' file images and hands them out part by part;
// the backup asks for the parts (a few at a time, again where one is not
// answered), checks the whole against the copy's digest, and only then
// stages it and swaps it in as a data folder load does. It never plays a
// mixed show: either every table is the primary's or none is.
#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "backup/link_message.h"
#include "data/show_data.h"
#include "data/show_files.h"
#include "engine/playback_engine.h"

namespace prismel::backup {

using ShowImages = std::array<std::vector<uint8_t>, kShowFiles>;

// The primary's side: the show as it was when a copy began.
struct ShowSnapshot {
    uint64_t digest = 0;  // of the images: the copy's name on the wire
    ShowImages images;
};
// The tables' images and their digest, read under the engine's lock (the
// editors write the tables under it).
ShowSnapshot snapshot_of(const PlaybackEngine& engine, const ShowData& show);
// The answer to one request: a part of the snapshot, or "start again" for
// a copy it is not.
ShowPart part_of(const ShowSnapshot& snapshot, const ShowRequest& request);

// The backup's side: the parts as they arrive.
class ShowAssembly {
public:
    using Time = std::chrono::milliseconds;
    static constexpr int kWindow = 8;           // parts asked for and not yet answered
    static constexpr Time kRetry{250};          // an unanswered part is asked for again
    static constexpr Time kGiveUp{5000};        // no new part for this long: the copy failed
    static constexpr int kMostRestarts = 3;     // the primary began a new copy this often

    enum class State { idle, copying, done, failed };

    void begin(Time now);
    State state() const { return state_; }
    // The requests to send now (none while idle, done or failed).
    std::vector<ShowRequest> due(Time now);
    // A part from the primary; parts of another copy, parts not asked for
    // and parts of a wrong size change nothing.
    State take(const ShowPart& part, Time now);
    // Done: the images, whose digest is the copy's.
    const ShowImages& images() const { return images_; }
    uint64_t digest() const { return copy_; }

private:
    struct Part {
        bool have = false;
        bool asked = false;
        Time when{};
    };
    void restart(Time now);
    void finish(Time now);

    State state_ = State::idle;
    uint64_t copy_ = 0;  // 0 until the primary named it
    int restarts_ = 0;
    Time progress_{};
    ShowImages images_;
    std::array<std::vector<Part>, kShowFiles> parts_;
};

// The copied show put in place of the live one: the seven files written to
// `staging` (a folder it makes and removes), copied into `data_folder` as a
// data folder load does (all seven or none), and then the live tables
// replaced under the engine's edit guard. False (with the live show and
// its files as they were) when a file could not be written.
bool swap_in_copied_show(PlaybackEngine& engine, ShowData& live, const ShowImages& images,
                         const std::string& data_folder, const std::string& staging);

}  // namespace prismel::backup
