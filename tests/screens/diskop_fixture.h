#pragma once
// The data folder screen over the fixture's program folder: scripted
// dialogs, the system's file system (a test may install a faulty one), no
// pause and no pointer changes.
#include <filesystem>
#include <string>
#include <vector>

#include "chwin/chw_keys.h"
#include "data/show_files.h"
#include "platform/dialogs_scripted.h"
#include "platform/file_system.h"
#include "screen_fixture.h"
#include "screens/Diskop.h"
#include "screens/Usrfunc.h"
#include "screens/diskop_seams.h"
#include "support/faulty_file_system.h"

namespace prismel::test {

class DiskopTest : public ScreenTest {
protected:
    DiskopTest() {
        diskop_set_data_location("");
        diskop_seams() = DiskopSeams{};
        diskop_seams().wait = [this](int ms) { waited_ms += ms; };
        set_dialogs(&dialogs_);
        screen_.beep_option = true;
    }
    ~DiskopTest() override {
        diskop_close();
        diskop_seams() = DiskopSeams{};
        set_dialogs(nullptr);
        set_file_system(nullptr);
        diskop_set_data_location("");
    }

    void open() { ASSERT_EQ(diskop_open(backdrop_), 1); }
    std::string data_location() const { return folder_.folder() + "DATA/"; }
    // Window rows: location 1, labels 2, folders from 3; the window starts at column 4.
    std::string folder_row(int i) const { return row(i + 3, 6, 16); }
    std::string date_row(int i) const { return row(i + 3, 24, 26); }
    int cursor_row() const {
        for (int i = 0; i < 20; ++i)
            if (cell(6, i + 3).bg == colour(Cursor)) return i;
        return -1;
    }
    void make_folders(const std::vector<std::string>& names) {
        for (const std::string& n : names) std::filesystem::create_directories(data_location() + n);
    }
    // The labels of the data location's folders in the order the system lists them.
    std::vector<std::string> listed() const {
        std::vector<std::string> names;
        for (const SaveFolder& f : scan_save_folders(diskop_data_location())) names.push_back(to_utf8(f.label));
        return names;
    }
    // A show whose scene 0 carries the name, written to the folder.
    static void write_show_named(const std::string& folder, const char* name) {
        auto show = std::make_unique<ShowData>();
        std::snprintf(show->scenes[0].name, sizeof show->scenes[0].name, "%s", name);
        ASSERT_EQ(write_all_tables(*show, folder), 0);
    }
    static std::vector<std::vector<unsigned char>> files_of(const std::string& folder) {
        std::vector<std::vector<unsigned char>> files;
        for (ShowTable t : kShowTables) files.push_back(read_bytes(show_file_name(folder, t)));
        return files;
    }
    std::string told() const { return box_.asked.empty() ? "" : to_utf8(box_.asked.back().line1); }

    ScriptedDialogSeam dialogs_;
    int waited_ms = 0;
};

}  // namespace prismel::test
