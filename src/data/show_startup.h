#pragma once
// Loading the show when the program starts: the seven tables from their
// files, the offer to initialise the data when one cannot be read, and the
// preset colours with their fall-back to the default definition file.
#include <functional>
#include <string>

#include "data/show_data.h"
#include "data/startup_dialogs.h"

namespace prismel {

struct StartupActions {
    // Data initialisation of the whole show (writes the seven files).
    std::function<int()> initialise;
    // Reads a preset colour definition file into the colour table: 1 or 0,
    // leaving its error text in the colour table's message.
    std::function<int(const std::string& path)> read_presets;
};

// Reads every table over its defaults and, when any read failed, asks the
// two questions and initialises on OK, OK. Result: true when all seven
// tables were read.
bool load_tables_at_startup(ShowData& show, const std::string& program_folder, StartupDialogs& dialogs,
                            const StartupActions& actions);

// Reads the preset file; when that fails, warns, switches preset_file to the
// default file in the program folder and reads that; when that fails too,
// shows the reader's message. Result: 1 when a file was read.
int load_presets_at_startup(ShowData& show, std::string& preset_file, const std::string& program_folder,
                            StartupDialogs& dialogs, const StartupActions& actions);

// Both, in that order.
void load_show_at_startup(ShowData& show, const std::string& program_folder, std::string& preset_file,
                          StartupDialogs& dialogs, const StartupActions& actions);

}  // namespace prismel
