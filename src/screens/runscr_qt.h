#pragma once
// The run screen's seams on the window system: the not-allowed pointer over
// the application, the output monitor on Shift+Esc, and FkeyTime / RunMouse
// from the environment settings.
class QWidget;

namespace prismel {

class TOutMonForm;

// main_window: gets the keyboard back after the monitor shows. monitor: the
// output monitor (nullptr: Shift+Esc shows nothing). Call once at start-up,
// after the environment settings are loaded.
void install_runscr_qt_seams(QWidget* main_window, TOutMonForm* monitor);

}  // namespace prismel
