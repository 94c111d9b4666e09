#pragma once
// The data folder screen's seams on Qt: the wait cursor, painting the main
// window and its status line at once, and a plain sleep before a copy.
class QWidget;

namespace prismel {

void install_diskop_qt_seams(QWidget* main_window);

}  // namespace prismel
