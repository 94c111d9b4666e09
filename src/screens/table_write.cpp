#include "screens/table_write.h"

#include <cstdio>

#include "platform/text_codec.h"
#include "screens/screen_ask.h"
#include "settings/env_settings.h"

namespace prismel {

std::string show_folder() { return g_env ? g_env->program_folder : std::string(); }

int write_show_table(ShowTable t) {
    if (write_table(g_show, t, show_folder())) return 1;
    static const char* format = sj("[%s.%s]が書き込めません");
    char text[96];
    std::snprintf(text, sizeof text, format, kShowBaseName, extension_of(t));
    say(text);
    return 0;
}

}  // namespace prismel
