#include "backup/show_copy.h"

#include <algorithm>
#include <memory>

#include "data/show_digest.h"
#include "engine/show_edit.h"
#include "platform/file_system.h"

namespace prismel::backup {
namespace {

size_t parts_in(size_t bytes) { return (bytes + kPartBytes - 1) / kPartBytes; }

uint64_t digest_of(const ShowImages& images) {
    uint64_t tables[kShowFiles];
    for (int i = 0; i < kShowFiles; ++i) tables[i] = image_digest(images[size_t(i)].data(), images[size_t(i)].size());
    return combine_table_digests(tables);
}

}  // namespace

ShowSnapshot snapshot_of(const PlaybackEngine& engine, const ShowData& show) {
    ShowSnapshot s;
    for (int i = 0; i < kShowFiles; ++i) s.images[size_t(i)].resize(file_size_of(kShowTables[i]));
    {
        ShowRead read(engine);
        for (int i = 0; i < kShowFiles; ++i) table_image_into(show, kShowTables[i], s.images[size_t(i)].data());
    }
    s.digest = digest_of(s.images);
    return s;
}

ShowPart part_of(const ShowSnapshot& snapshot, const ShowRequest& r) {
    ShowPart p;
    p.table = r.table;
    p.offset = r.offset;
    const bool known = r.table < kShowFiles && (r.copy == 0 || r.copy == snapshot.digest);
    const std::vector<uint8_t>* image = known ? &snapshot.images[r.table] : nullptr;
    if (!image || r.offset >= image->size()) {
        p.copy = r.copy;
        p.offset = 0;
        p.restart = true;
        return p;
    }
    p.copy = snapshot.digest;
    p.table_size = uint32_t(image->size());
    p.length = uint16_t(std::min(kPartBytes, image->size() - r.offset));
    std::copy_n(image->data() + r.offset, p.length, p.bytes.data());
    return p;
}

void ShowAssembly::begin(Time now) {
    restarts_ = 0;
    restart(now);
}

void ShowAssembly::restart(Time now) {
    state_ = State::copying;
    copy_ = 0;
    progress_ = now;
    for (int i = 0; i < kShowFiles; ++i) {
        const size_t size = file_size_of(kShowTables[i]);
        images_[size_t(i)].assign(size, 0);
        parts_[size_t(i)].assign(parts_in(size), Part{});
    }
}

std::vector<ShowRequest> ShowAssembly::due(Time now) {
    std::vector<ShowRequest> out;
    if (state_ != State::copying) return out;
    if (now - progress_ >= kGiveUp) {
        state_ = State::failed;
        return out;
    }
    // Until the primary has named its copy, the first part alone is asked for.
    const int window = copy_ == 0 ? 1 : kWindow;
    int waiting = 0;
    for (uint8_t t = 0; t < kShowFiles && waiting < window; ++t) {
        for (size_t k = 0; k < parts_[t].size() && waiting < window; ++k) {
            Part& p = parts_[t][k];
            if (p.have) continue;
            ++waiting;
            if (p.asked && now - p.when < kRetry) continue;
            p.asked = true;
            p.when = now;
            out.push_back(ShowRequest{copy_, t, uint32_t(k * kPartBytes)});
        }
    }
    return out;
}

ShowAssembly::State ShowAssembly::take(const ShowPart& part, Time now) {
    if (state_ != State::copying || (copy_ != 0 && part.copy != copy_)) return state_;
    if (part.restart) {
        if (++restarts_ > kMostRestarts) state_ = State::failed;
        else restart(now);
        return state_;
    }
    if (part.table >= kShowFiles || part.copy == 0) return state_;
    std::vector<uint8_t>& image = images_[part.table];
    const size_t k = part.offset / kPartBytes;
    if (part.table_size != image.size() || part.offset % kPartBytes != 0 || k >= parts_[part.table].size() ||
        part.length != std::min(kPartBytes, image.size() - part.offset))
        return state_;
    Part& p = parts_[part.table][k];
    if (!p.asked || p.have) return state_;
    copy_ = part.copy;
    std::copy_n(part.bytes.data(), part.length, image.data() + part.offset);
    p.have = true;
    progress_ = now;
    for (const auto& table : parts_)
        for (const Part& q : table)
            if (!q.have) return state_;
    finish(now);
    return state_;
}

void ShowAssembly::finish(Time now) {
    // Parts that do not add up to their copy (a part damaged on its way
    // whose checksum held, or late parts of an earlier copy): the copy is
    // refused whole and made again.
    if (digest_of(images_) == copy_) state_ = State::done;
    else if (++restarts_ > kMostRestarts) state_ = State::failed;
    else restart(now);
}

bool swap_in_copied_show(PlaybackEngine& engine, ShowData& live, const ShowImages& images,
                         const std::string& data_folder, const std::string& staging) {
    auto fresh = std::make_unique<ShowData>();
    for (int i = 0; i < kShowFiles; ++i)
        if (!put_table_image(*fresh, kShowTables[i], images[size_t(i)].data(), images[size_t(i)].size())) return false;
    FileSystem& fs = file_system();
    const std::string folder = with_trailing_separator(staging);
    fs.make_folder(staging);
    const bool staged = write_all_tables(*fresh, folder) == 0;
    const bool placed = staged && load_show_from_folder(data_folder, folder, nullptr) == kShowFiles;
    for (ShowTable t : kShowTables) fs.remove_file(show_file_name(folder, t));
    fs.remove_folder(staging);
    if (!placed) return false;
    ShowEdit edit(engine);
    for (int i = 0; i < kShowFiles; ++i) put_table_image(live, kShowTables[i], images[size_t(i)].data(), images[size_t(i)].size());
    return true;
}

}  // namespace prismel::backup
