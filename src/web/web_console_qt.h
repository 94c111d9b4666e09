#pragma once
// The console's browser remote: started from the settings (section "Option":
// WebPort, 0 = off, and WebPin) once the output runs, on the window thread.
// The PIN goes to the message line and the node dialog; an action a browser
// asks for that plays nothing says why in the message line.
namespace prismel {

class ChwScreen;
struct EnvSettings;

namespace web {

void start_console_web_remote(const EnvSettings& env, ChwScreen& screen);
void stop_console_web_remote();

}  // namespace web
}  // namespace prismel
