#include "data/show_startup.h"

#include "data/preset_reader.h"
#include "data/show_files.h"
#include "platform/text_codec.h"

namespace prismel {

namespace {
const char kCaption[] = "Prismel";
}

bool load_tables_at_startup(ShowData& show, const std::string& program_folder, StartupDialogs& dialogs,
                            const StartupActions& actions) {
    // The tables were constructed with their defaults; a failed read leaves them so.
    if (read_all_tables(show, program_folder) == 0) return true;
    if (!dialogs.ask_ok_cancel(sj("データファイルが読み込めません\nデータを初期化しますか?"), kCaption)) return false;
    if (!dialogs.ask_ok_cancel(sj("本当に初期化していいですか?"), kCaption)) return false;
    if (actions.initialise) actions.initialise();
    dialogs.tell(sj("データを初期化しました"), kCaption, false);
    return false;
}

int load_presets_at_startup(ShowData& show, std::string& preset_file, const std::string& program_folder,
                            StartupDialogs& dialogs, const StartupActions& actions) {
    if (!actions.read_presets) return 0;
    if (actions.read_presets(preset_file)) return 1;
    dialogs.tell(sj("ﾃﾞﾌｫﾙﾄのﾌﾟﾘｾｯﾄｶﾗｰ定義ﾌｧｲﾙを読み込みます"), sj("警告"), true);
    preset_file = preset_file_name(program_folder);
    if (actions.read_presets(preset_file)) return 1;
    dialogs.tell(show.colours.message, sj("ﾌﾟﾘｾｯﾄｶﾗｰ定義ﾌｧｲﾙの読込"), true);
    return 0;
}

void load_show_at_startup(ShowData& show, const std::string& program_folder, std::string& preset_file,
                          StartupDialogs& dialogs, const StartupActions& actions) {
    load_tables_at_startup(show, program_folder, dialogs, actions);
    load_presets_at_startup(show, preset_file, program_folder, dialogs, actions);
}

}  // namespace prismel
