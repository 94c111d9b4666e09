#include "data/show_startup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/show_files.h"
#include "platform/text_codec.h"
#include "support/temp_dir.h"

namespace prismel {
namespace {

using test::TempDir;

struct Box {
    std::string text, caption;
    bool question = false;
    bool exclamation = false;
};

class ScriptedDialogs : public StartupDialogs {
public:
    explicit ScriptedDialogs(std::vector<bool> answers = {}) : answers_(std::move(answers)) {}
    bool ask_ok_cancel(const char* text, const char* caption) override {
        boxes.push_back({text, caption, true, true});
        if (next_ >= answers_.size()) return false;
        return answers_[next_++];
    }
    void tell(const char* text, const char* caption, bool exclamation) override {
        boxes.push_back({text, caption, false, exclamation});
    }
    std::vector<Box> boxes;

private:
    std::vector<bool> answers_;
    std::size_t next_ = 0;
};

struct Startup {
    TempDir dir;
    std::unique_ptr<ShowData> show = std::make_unique<ShowData>();
    int initialisations = 0;
    StartupActions actions;

    Startup() {
        actions.initialise = [this] {
            ++initialisations;
            *show->colours.rec = ColourRecord{};
            show->scenes.reset();
            show->cues.reset();
            return write_all_tables(*show, dir.folder()) == 0 ? 1 : 0;
        };
    }
    bool all_files_exist() const {
        for (ShowTable t : kShowTables)
            if (!std::filesystem::exists(show_file_name(dir.folder(), t))) return false;
        return true;
    }
};

TEST(StartupTables, ReadableShowAsksNothing) {
    Startup s;
    ASSERT_EQ(write_all_tables(*s.show, s.dir.folder()), 0);
    ScriptedDialogs dialogs;
    EXPECT_TRUE(load_tables_at_startup(*s.show, s.dir.folder(), dialogs, s.actions));
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(s.initialisations, 0);
}

TEST(StartupTables, EmptyFolderTwoOksInitialise) {
    Startup s;
    ScriptedDialogs dialogs({true, true});
    EXPECT_FALSE(load_tables_at_startup(*s.show, s.dir.folder(), dialogs, s.actions));
    ASSERT_EQ(dialogs.boxes.size(), 3u);
    EXPECT_EQ(dialogs.boxes[0].text, sj("データファイルが読み込めません\nデータを初期化しますか?"));
    EXPECT_EQ(dialogs.boxes[0].caption, "Prismel");
    EXPECT_EQ(dialogs.boxes[1].text, sj("本当に初期化していいですか?"));
    EXPECT_EQ(dialogs.boxes[2].text, sj("データを初期化しました"));
    EXPECT_EQ(dialogs.boxes[2].caption, "Prismel");
    EXPECT_FALSE(dialogs.boxes[2].question);
    EXPECT_FALSE(dialogs.boxes[2].exclamation);
    EXPECT_EQ(s.initialisations, 1);
    EXPECT_TRUE(s.all_files_exist());
}

TEST(StartupTables, CancelAtEitherQuestionWritesNothing) {
    for (std::vector<bool> answers : {std::vector<bool>{false}, std::vector<bool>{true, false}}) {
        Startup s;
        ScriptedDialogs dialogs(answers);
        load_tables_at_startup(*s.show, s.dir.folder(), dialogs, s.actions);
        EXPECT_EQ(dialogs.boxes.size(), answers.size());
        EXPECT_EQ(s.initialisations, 0);
        EXPECT_TRUE(std::filesystem::is_empty(s.dir.path()));
        EXPECT_EQ(s.show->cues[999].number, 10000);  // defaults stay
    }
}

TEST(StartupTables, OneMissingFileAsksAndTheOthersAreRead) {
    Startup s;
    std::strcpy(s.show->scenes[0].name, "KEPT");
    ASSERT_EQ(write_all_tables(*s.show, s.dir.folder()), 0);
    std::filesystem::remove(show_file_name(s.dir.folder(), ShowTable::kGroups));
    auto fresh = std::make_unique<ShowData>();
    ScriptedDialogs dialogs({false});
    EXPECT_FALSE(load_tables_at_startup(*fresh, s.dir.folder(), dialogs, s.actions));
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_STREQ(fresh->scenes[0].name, "KEPT");
}

TEST(StartupPresets, FallsBackToTheDefaultFileWithAWarning) {
    Startup s;
    std::vector<std::string> paths;
    s.actions.read_presets = [&](const std::string& p) {
        paths.push_back(p);
        return paths.size() == 2 ? 1 : 0;
    };
    std::string preset_file = "/nowhere/MY.DEF";
    ScriptedDialogs dialogs;
    EXPECT_EQ(load_presets_at_startup(*s.show, preset_file, "/prog/", dialogs, s.actions), 1);
    EXPECT_EQ(preset_file, "/prog/PRSMDATA.DEF");
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, sj("ﾃﾞﾌｫﾙﾄのﾌﾟﾘｾｯﾄｶﾗｰ定義ﾌｧｲﾙを読み込みます"));
    EXPECT_EQ(dialogs.boxes[0].caption, sj("警告"));
    EXPECT_TRUE(dialogs.boxes[0].exclamation);
}

TEST(StartupPresets, BothFailingShowsTheReadersMessage) {
    Startup s;
    s.actions.read_presets = [&](const std::string&) {
        std::strcpy(s.show->colours.message, "reader says no");
        return 0;
    };
    std::string preset_file = "x";
    ScriptedDialogs dialogs;
    EXPECT_EQ(load_presets_at_startup(*s.show, preset_file, "/prog/", dialogs, s.actions), 0);
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[1].text, "reader says no");
    EXPECT_EQ(dialogs.boxes[1].caption, sj("ﾌﾟﾘｾｯﾄｶﾗｰ定義ﾌｧｲﾙの読込"));
}

TEST(StartupPresets, ReadOnFirstTryShowsNothing) {
    Startup s;
    s.actions.read_presets = [](const std::string&) { return 1; };
    std::string preset_file = "/a/MY.DEF";
    ScriptedDialogs dialogs;
    load_show_at_startup(*s.show, s.dir.folder(), preset_file, dialogs, s.actions);
    EXPECT_EQ(dialogs.boxes.size(), 1u);  // only the question about the missing data files
    EXPECT_EQ(preset_file, "/a/MY.DEF");
}

}  // namespace
}  // namespace prismel
