#pragma once
// prismel-show play in private namespaces: two namespaces and a show folder
// (readable by the olad user) holding one cue.
#include <sys/stat.h>

#include <memory>
#include <string>

#include "data/show_files.h"
#include "support/netns_pair.h"
#include "support/temp_dir.h"

namespace prismel::test {

inline const std::string kTool = PRISMEL_BIN_DIR "/prismel-show";

// Cue 1 calls scene 1: fixture 1 at size 200 on slot 1, fixture 2 at 100 on slot 5.
inline void write_one_cue_show(const std::string& folder) {
    auto show = std::make_unique<ShowData>();
    for (int f = 0; f < kFixtures; ++f) show->patch[f] = PatchRecord{1, int16_t(kNone)};
    show->patch[0] = PatchRecord{1, 0};
    show->patch[1] = PatchRecord{1, 4};
    show->scenes[0].size[0] = 200;
    show->scenes[0].size[1] = 100;
    CueRecord& cue = show->cues[0];
    cue.number = 10;
    cue.scene = 0;
    cue.scene_xtime = 0;
    cue.chase = kNone;
    ASSERT_EQ(write_all_tables(*show, folder), 0);
}

class PlayInNamespacesTest : public NamespacePairTest {
protected:
    void SetUp() override {
        NamespacePairTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        chmod(dir_.path().c_str(), 0755);
        write_one_cue_show(dir_.folder());
    }
    TempDir dir_;
};

}  // namespace prismel::test
