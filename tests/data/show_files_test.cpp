#include "data/show_files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/text_codec.h"
#include "support/faulty_file_system.h"
#include "support/temp_dir.h"

namespace prismel {
namespace {

using test::read_bytes;
using test::TempDir;
using test::write_bytes;
using Bytes = std::vector<unsigned char>;

std::unique_ptr<ShowData> fresh_show() { return std::make_unique<ShowData>(); }

std::size_t name_field_size(ShowTable t) {
    switch (t) {
        case ShowTable::kColours: return sizeof ColourRecord::name;
        case ShowTable::kScenes: return sizeof SceneRecord::name;
        case ShowTable::kChases: return sizeof ChaseRecord::name;
        case ShowTable::kFkeys: return sizeof FkeyRecord::label;
        default: return 0;
    }
}

// Arbitrary bytes in every field; each name field keeps a terminator
// somewhere, as every name the program writes does.
Bytes random_image(ShowTable t, unsigned seed) {
    std::mt19937 gen(seed);
    Bytes image(file_size_of(t));
    for (auto& b : image) b = static_cast<unsigned char>(gen());
    std::size_t name = name_field_size(t);
    if (name) {
        for (std::size_t at = 0; at < image.size(); at += record_size_of(t)) image[at + gen() % name] = 0;
    }
    return image;
}

void write_default_show(const std::string& folder) {
    auto show = fresh_show();
    ASSERT_EQ(write_all_tables(*show, folder), 0);
}

class RecordingLine : public MessageLine {
public:
    void set(const char* cp932, bool beep) override {
        texts.emplace_back(cp932);
        beeps += beep ? 1 : 0;
    }
    std::vector<std::string> texts;
    int beeps = 0;
};

TEST(ShowFileNames, ProgramFolderBaseNameAndExtension) {
    EXPECT_EQ(show_file_name("/show/", ShowTable::kColours), "/show/PRSMDATA.COL");
    EXPECT_EQ(show_file_name("", ShowTable::kGroups), "PRSMDATA.GRP");
    const char* order[] = {"COL", "SCN", "CHS", "CUE", "LPT", "FKY", "GRP"};
    for (int i = 0; i < kShowFiles; ++i) EXPECT_STREQ(extension_of(kShowTables[i]), order[i]);
}

TEST(ShowFiles, DefaultShowHasTheTableSizes) {
    TempDir dir;
    write_default_show(dir.folder());
    const std::uintmax_t sizes[] = {4500, 42600, 5900, 16000, 256, 160, 640};
    for (int i = 0; i < kShowFiles; ++i) {
        EXPECT_EQ(std::filesystem::file_size(show_file_name(dir.folder(), kShowTables[i])), sizes[i])
            << extension_of(kShowTables[i]);
    }
    Bytes cue = read_bytes(show_file_name(dir.folder(), ShowTable::kCues));
    // Record 1: number 20, scene -1, cross time 20, chase -1, rate 20, cross 20, mode 0, wait 0.
    const Bytes record1 = {20, 0, 0xFF, 0xFF, 20, 0, 0xFF, 0xFF, 20, 0, 20, 0, 0, 0, 0, 0};
    EXPECT_EQ(Bytes(cue.begin() + 16, cue.begin() + 32), record1);
    EXPECT_FALSE(std::filesystem::exists(show_file_name(dir.folder(), ShowTable::kCues) + ".tmp"));
}

TEST(ShowFiles, EveryTableRoundTripsByteForByte) {
    TempDir in, out;
    for (int i = 0; i < kShowFiles; ++i) {
        ShowTable t = kShowTables[i];
        write_bytes(show_file_name(in.folder(), t), random_image(t, 100u + static_cast<unsigned>(i)));
    }
    auto show = fresh_show();
    ASSERT_EQ(read_all_tables(*show, in.folder()), 0);
    ASSERT_EQ(write_all_tables(*show, out.folder()), 0);
    for (ShowTable t : kShowTables) {
        EXPECT_EQ(read_bytes(show_file_name(out.folder(), t)), read_bytes(show_file_name(in.folder(), t)))
            << extension_of(t);
    }
}

TEST(TableImage, PutBackMatchesAndAnotherSizeChangesNothing) {
    for (int i = 0; i < kShowFiles; ++i) {
        const ShowTable t = kShowTables[i];
        SCOPED_TRACE(extension_of(t));
        const Bytes image = random_image(t, 300u + static_cast<unsigned>(i));
        auto show = fresh_show();
        const Bytes before = table_image(*show, t);
        EXPECT_EQ(put_table_image(*show, t, image.data(), image.size() - 1), 0);
        EXPECT_TRUE(table_matches_image(*show, t, before.data()));
        ASSERT_EQ(put_table_image(*show, t, image.data(), image.size()), 1);
        EXPECT_EQ(table_image(*show, t), image);
        EXPECT_TRUE(table_matches_image(*show, t, image.data()));
        EXPECT_FALSE(table_matches_image(*show, t, before.data()));
    }
}

TEST(ShowFiles, MissingFileFailsAndLeavesTheTable) {
    TempDir dir;
    auto show = fresh_show();
    show->cues[3].scene = 8;
    EXPECT_EQ(read_table(*show, ShowTable::kCues, dir.folder()), 0);
    EXPECT_EQ(show->cues[3].scene, 8);
    EXPECT_EQ(read_all_tables(*show, dir.folder()), 7);
    std::filesystem::create_directory(show_file_name(dir.folder(), ShowTable::kCues));
    EXPECT_EQ(read_table(*show, ShowTable::kCues, dir.folder()), 0);
    EXPECT_EQ(show->cues[3].scene, 8);
}

TEST(ShowFiles, HalfACueFileFillsTheFirstFiveHundredCues) {
    TempDir dir;
    Bytes image(8000);
    for (int i = 0; i < 500; ++i) {
        CueRecord r{static_cast<int16_t>((i + 1) * 10), static_cast<int16_t>(i % 200), 20, -1, 20, 20, 0, 0};
        std::memcpy(image.data() + i * 16, &r, 16);
    }
    write_bytes(show_file_name(dir.folder(), ShowTable::kCues), image);
    auto show = fresh_show();
    EXPECT_EQ(read_table(*show, ShowTable::kCues, dir.folder()), 1);
    EXPECT_EQ(show->cues[499].scene, 499 % 200);
    EXPECT_TRUE(show->cues.is_used(499));
    for (int i = 500; i < kCues; ++i) {
        ASSERT_EQ(show->cues[i].number, (i + 1) * 10);
        ASSERT_FALSE(show->cues.is_used(i));
    }
    EXPECT_EQ(show->cues.last_used(), 499);
}

TEST(ShowFiles, RecordCutShortIsOverwrittenUpToTheEndOfTheFile) {
    TempDir dir;
    Bytes image(213 + 30, 0x11);
    write_bytes(show_file_name(dir.folder(), ShowTable::kScenes), image);
    auto show = fresh_show();
    show->scenes[1].colour[4] = 0x0177;  // bytes 29-30 of record 1: only 29 is in the file
    EXPECT_EQ(read_table(*show, ShowTable::kScenes, dir.folder()), 1);
    EXPECT_EQ(show->scenes[0].size[63], 0x11);
    EXPECT_EQ(int{show->scenes[1].colour[3]}, 0x1111);  // bytes 27-28: inside the file
    EXPECT_EQ(int{show->scenes[1].colour[4]}, 0x0111);
    EXPECT_EQ(int{show->scenes[1].colour[5]}, kNone);
    EXPECT_TRUE(show->scenes.is_empty(2));
}

TEST(ShowFiles, LongerFileIsReadAsFarAsTheTableReaches) {
    TempDir dir;
    Bytes image = random_image(ShowTable::kPatch, 7);
    Bytes longer = image;
    longer.resize(image.size() + 1000, 0x42);
    write_bytes(show_file_name(dir.folder(), ShowTable::kPatch), longer);
    auto show = fresh_show();
    EXPECT_EQ(read_table(*show, ShowTable::kPatch, dir.folder()), 1);
    EXPECT_EQ(std::memcmp(show->patch, image.data(), image.size()), 0);
}

TEST(ShowFiles, NamesWithoutTerminatorAreCutInTheirField) {
    TempDir dir;
    write_bytes(show_file_name(dir.folder(), ShowTable::kScenes), Bytes(file_size_of(ShowTable::kScenes), 'A'));
    write_bytes(show_file_name(dir.folder(), ShowTable::kColours), Bytes(file_size_of(ShowTable::kColours), 'B'));
    write_bytes(show_file_name(dir.folder(), ShowTable::kFkeys), Bytes(file_size_of(ShowTable::kFkeys), 'C'));
    auto show = fresh_show();
    read_all_tables(*show, dir.folder());
    EXPECT_EQ(std::strlen(show->scenes[199].name), 20u);
    EXPECT_EQ(std::strlen(show->colours.rec[0].name), 5u);
    EXPECT_EQ(std::strlen(show->fkeys[9].label), 7u);
}

// Untrusted references read from disk go through the table guards.
TEST(ShowFiles, CorruptedReferencesStayInsideTheTables) {
    TempDir dir;
    auto show = fresh_show();
    show->scenes[0].colour[0] = 650;
    show->scenes[0].colour[1] = -300;
    show->chases[0].step_count = 200;
    show->chases[0].steps[0] = 900;
    show->cues[0].scene = 300;
    show->patch[0].start = 700;
    show->patch[0].layout = 9;
    ASSERT_EQ(write_all_tables(*show, dir.folder()), 0);
    auto back = fresh_show();
    ASSERT_EQ(read_all_tables(*back, dir.folder()), 0);
    uint8_t y, m, c;
    EXPECT_FALSE(back->colours.levels(back->scenes[0].colour[0], y, m, c));
    EXPECT_FALSE(back->colours.levels(back->scenes[0].colour[1], y, m, c));
    EXPECT_EQ(back->colours.display_colour(back->scenes[0].colour[0]), 0u);
    EXPECT_EQ(step_count_of(back->chases[0]), kChaseSteps);
    EXPECT_FALSE(valid_scene(back->chases[0].steps[0]));
    EXPECT_FALSE(back->scenes.is_empty(back->cues[0].scene));
    EXPECT_FALSE(valid_scene(back->cues[0].scene));
    EXPECT_EQ(back->patch[0].start, 700);  // kept as read; its users limit it
}

TEST(WriteTable, FailureReportsZeroAndKeepsTheOldFile) {
    TempDir dir;
    write_default_show(dir.folder());
    const std::string scn = show_file_name(dir.folder(), ShowTable::kScenes);
    const Bytes before = read_bytes(scn);
    // A file-size limit makes the write fail part way, as a full disk would.
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        auto show = std::make_unique<ShowData>();
        std::strcpy(show->scenes[0].name, "NEW");
        _exit(write_table(*show, ShowTable::kScenes, dir.folder()) == 0 ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "write_table reported success";
    EXPECT_EQ(read_bytes(scn), before);
    EXPECT_FALSE(std::filesystem::exists(scn + ".tmp"));
}

TEST(WriteTable, UnwritableFolderOrTargetReportsZero) {
    TempDir dir;
    auto show = fresh_show();
    EXPECT_EQ(write_table(*show, ShowTable::kCues, dir.folder() + "no/such/"), 0);
    std::filesystem::create_directory(show_file_name(dir.folder(), ShowTable::kGroups));
    EXPECT_EQ(write_table(*show, ShowTable::kGroups, dir.folder()), 0);
    EXPECT_TRUE(std::filesystem::is_directory(show_file_name(dir.folder(), ShowTable::kGroups)));
}

TEST(TrailingSeparator, SlashOrBackslashCountButNotAShiftJisTrailByte) {
    EXPECT_EQ(with_trailing_separator("/a/"), "/a/");
    EXPECT_EQ(with_trailing_separator("C:\\data\\"), "C:\\data\\");
    EXPECT_EQ(with_trailing_separator("/a"), "/a/");
    for (const char* word : {"表", "ソ", "能", "十"}) {
        std::string folder = std::string("/a/") + sj(word);
        ASSERT_EQ(folder.back(), '\\');
        EXPECT_EQ(with_trailing_separator(folder), folder + "/") << word;
        EXPECT_EQ(with_trailing_separator(folder + "\\"), folder + "\\") << word;
    }
    std::string kana = std::string("/a/") + sj("ｿ") + "\\";  // half-width: one byte, then a real separator
    EXPECT_EQ(with_trailing_separator(kana), kana);
}

TEST(SaveShow, CopiesTheSevenFilesWithProgressMessages) {
    TempDir data, target;
    write_default_show(data.folder());
    auto show = fresh_show();
    std::strcpy(show->scenes[0].name, "MARKER");
    write_table(*show, ShowTable::kScenes, data.folder());
    RecordingLine line;
    std::string folder = target.path().string();  // without its separator
    EXPECT_EQ(save_show_to_folder(data.folder(), folder, &line), 7);
    ASSERT_EQ(line.texts.size(), 7u);
    EXPECT_EQ(line.texts[0], sj("データを保存中です... [PRSMDATA.COL]"));
    EXPECT_EQ(line.texts[6], sj("データを保存中です... [PRSMDATA.GRP]"));
    EXPECT_EQ(line.beeps, 0);
    for (ShowTable t : kShowTables)
        EXPECT_EQ(read_bytes(show_file_name(target.folder(), t)), read_bytes(show_file_name(data.folder(), t)));
    // With the separator: the same files, overwritten.
    EXPECT_EQ(save_show_to_folder(data.folder(), target.folder(), nullptr), 7);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(target.path()), {}), 7);
}

// The folder holds the old show, whole, whatever step of the copy fails.
TEST(SaveShow, AFailureAnywhereLeavesTheFolderAsItWas) {
    TempDir data, target;
    write_default_show(data.folder());
    for (ShowTable t : kShowTables) write_bytes(show_file_name(target.folder(), t), random_image(t, 9));
    struct Case {
        const char* what;
        int copy_fails, rename_fails;
    };
    // Seven copies, then for each file the old one aside and the new one in.
    const Case cases[] = {{"first copy", 0, -1},  {"last copy", 6, -1},     {"first aside", -1, 0},
                          {"fourth in", -1, 7},   {"last in", -1, 13}};
    for (const Case& c : cases) {
        test::FaultyFileSystem faulty;
        faulty.fail_copy_at = c.copy_fails;
        faulty.fail_rename_at = c.rename_fails;
        test::ScopedFileSystem installed(faulty);
        EXPECT_EQ(save_show_to_folder(data.folder(), target.folder(), nullptr), 0) << c.what;
        for (ShowTable t : kShowTables)
            EXPECT_EQ(read_bytes(show_file_name(target.folder(), t)), random_image(t, 9)) << c.what;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(target.path()), {}), 7) << c.what;
    }
    EXPECT_EQ(save_show_to_folder(data.folder(), "", nullptr), 0);
}

TEST(SaveShow, AMissingSourceFileCopiesNothing) {
    TempDir data, target;
    write_default_show(data.folder());
    std::filesystem::remove(show_file_name(data.folder(), ShowTable::kChases));
    EXPECT_EQ(save_show_to_folder(data.folder(), target.folder(), nullptr), 0);
    EXPECT_TRUE(std::filesystem::is_empty(target.path()));
}

TEST(LoadShow, AFailedCopyLeavesTheDataFolder) {
    TempDir data, source;
    write_default_show(data.folder());
    std::vector<Bytes> before;
    for (ShowTable t : kShowTables) before.push_back(read_bytes(show_file_name(data.folder(), t)));
    for (ShowTable t : kShowTables) write_bytes(show_file_name(source.folder(), t), random_image(t, 5));
    test::FaultyFileSystem faulty;
    faulty.fail_copy_at = 3;
    test::ScopedFileSystem installed(faulty);
    EXPECT_EQ(load_show_from_folder(data.folder(), source.folder(), nullptr), 0);
    for (int i = 0; i < kShowFiles; ++i) EXPECT_EQ(read_bytes(show_file_name(data.folder(), kShowTables[i])), before[i]);
}

TEST(LoadShow, CopiesFromTheFolderIntoTheDataFolder) {
    TempDir data, source;
    write_default_show(data.folder());
    for (ShowTable t : kShowTables) write_bytes(show_file_name(source.folder(), t), random_image(t, 5));
    RecordingLine line;
    EXPECT_EQ(load_show_from_folder(data.folder(), source.path().string(), &line), 7);
    ASSERT_EQ(line.texts.size(), 7u);
    EXPECT_EQ(line.texts[3], sj("データを読み込み中です... [PRSMDATA.CUE]"));
    for (ShowTable t : kShowTables)
        EXPECT_EQ(read_bytes(show_file_name(data.folder(), t)), random_image(t, 5));
}

}  // namespace
}  // namespace prismel
