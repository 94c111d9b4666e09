#include "shell/console_journal.h"

#include "platform/text_codec.h"
#include "settings/env_settings.h"

namespace prismel {

std::string journal_path_in(const std::string& folder, const std::string& exe_path) {
    std::string path = settings_path_in(folder, exe_path);
    return path.substr(0, path.size() - 4) + ".JNL";  // the settings file's ".INI"
}

ConsoleJournal::ConsoleJournal(PlaybackEngine& engine, const ShowData& show, std::string path)
    : engine_(engine), show_(show), keeper_(engine, std::move(path)) {}

const JournalStart& ConsoleJournal::start(bool resume, int universe) {
    digest_.refresh(show_);
    if (resume) {
        start_ = read_journal_at_start(keeper_.path(), digest_.value());
        resume_from(engine_, start_);
    }
    keeper_.start(digest_.value(), this->universe(universe));
    return start_;
}

void ConsoleJournal::tick(int universe, MessageLine& line) {
    if (digest_.refresh(show_)) keeper_.set_show_digest(digest_.value());
    keeper_.set_universe(universe);
    const bool writing = keeper_.writing();
    if (!writing && !failure_said_) {
        static const char* text = sj("再生記録が書き込めません");
        line.set(text, true);
    }
    failure_said_ = !writing;
}

void ConsoleJournal::close_cleanly() {
    if (digest_.refresh(show_)) keeper_.set_show_digest(digest_.value());  // the editors' last writes
    keeper_.close_cleanly();
}

}  // namespace prismel
