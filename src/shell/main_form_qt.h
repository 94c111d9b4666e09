#pragma once
// The main window: host of the character screen, owner of the status line,
// the 50 ms timer and the title sequence, and the place where every key and
// mouse event enters the console. Its life cycle brings the settings, the
// show, the engine, the screen, the main menu and the output thread up in a
// fixed order and takes them down again.
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "chwin/chw_canvas_qt.h"
#include "chwin/chw_hold_repeat.h"
#include "chwin/chw_host.h"
#include "chwin/chw_keys.h"
#include "chwin/chw_screen.h"
#include "data/startup_dialogs.h"
#include "platform/ini_profile.h"
#include "shell/console_backup.h"
#include "shell/console_journal.h"
#include "shell/output_link.h"
#include "shell/status_panels_qt.h"

namespace prismel {

struct MainFormOptions {
    // The settings file is named after it.
    std::string exe_path;
    // Where the show, the settings and the data folders live, ending in '/';
    // empty: beside the executable.
    std::string program_folder;
    // The start-up questions; nullptr: the platform's message boxes.
    StartupDialogs* dialogs = nullptr;
    // The output thread; unset: the Art-Net thread.
    std::function<std::unique_ptr<OutputLink>()> make_output;
    // For the font-size limit; 0: the primary screen's width.
    int desktop_width = 0;
    // The show-control remotes (OSC, MSC, the MIDI input) and the link to a
    // primary or backup console as the settings ask.
    bool show_control = true;
};

class PopupMenus;

class TPrismelMainForm : public QWidget, public ChwHost {
    Q_OBJECT
public:
    explicit TPrismelMainForm(MainFormOptions options);  // FormCreate
    ~TPrismelMainForm() override;                         // FormDestroy

    // --- the Part events, public so that tests can drive them directly
    void Timer1Timer();
    void FormKeyDown(int key, int flags);
    void FormKeyUp(int key, int flags);
    void FormMouseDown(int button, int flags, int x, int y);
    void FormMouseMove(int flags, int x, int y);
    void FormMouseUp(int button, int flags, int x, int y);
    void FormDblClick();
    void FormMouseWheel(int flags, int delta);
    void FormResize();
    // After a font size change: the window grows to what the grid needs at
    // the new size (and may shrink to its new minimum), kept on the desktop
    // and within its free area; then FormResize.
    void fit_to_font();
    // The largest client size the desktop's free area leaves the window.
    QSize largest_client() const;
    // The client size that a proposed one becomes (the resize rules).
    QSize FormCanResize(QSize proposed) const;
    bool FormCloseQuery();
    // A close asked for by the operator (F12 in the main menu).
    void request_close();
    // SIGINT or SIGTERM: shut down in order without asking (the output
    // thread ends and removes its address, settings are written), then end
    // the message loop.
    void stop_by_signal();

    struct PaintRegions {
        QRegion text;        // character windows and the bottom strip, painted from the cells
        QRegion title;       // the title image outside them
        QRegion background;  // ScreenBg or the wallpaper
        QRect title_rect;    // where the image is drawn (empty: not drawn)
    };
    PaintRegions paint_regions() const;

    // --- state for tests and the other screens
    int title_countdown() const { return title_countdown_; }
    int mouse_hold_count() const { return hold_repeat_.hold_count(); }
    double title_aspect() const { return title_aspect_; }
    const QImage& title_bitmap() const { return title_bitmap_; }
    const QImage& wallpaper_bitmap() const { return wallpaper_bitmap_; }
    const QPixmap& check_mark() const { return check_mark_; }
    PopupMenus* popup_menus() const { return popup_menus_.get(); }
    // The display's width in pixels, for the font-size limits.
    int display_width() const { return display_width_; }

    // --- what the pop-up commands change
    // The form's own background colour (0x00BBGGRR): WinBg of the scheme.
    void set_background(uint32_t colour);
    // The wallpaper for this run; an empty image removes it.
    void set_wallpaper(const QImage& image) { wallpaper_bitmap_ = image; }
    void load_wallpaper(const std::string& path);
    const std::string& help_file() const { return help_file_; }
    StatusPanels* status_bar() const { return status_; }
    QTimer* timer() { return &timer_; }
    OutputLink* output() const { return output_.get(); }
    IniProfile* settings_file() const { return ini_.get(); }
    bool closed() const { return closed_; }
    ConsoleJournal* journal() const { return journal_.get(); }
    // The link to a primary or backup console; nullptr without one.
    ConsoleBackup* backup() const { return backup_.get(); }

    // --- ChwHost
    void invalidate(const ChwRect& r, bool erase) override;
    void repaint_now(const ChwRect& r) override;
    void set_message_line(const char* cp932) override;
    void beep() override;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    // Tab and Backtab are keys of the console, not focus moves.
    bool focusNextPrevChild(bool) override { return false; }

private:
    void form_create();
    void form_show();
    void form_close();
    void close_screens_for_end();
    bool ask_quit();
    void release_subsystems();
    void restore_geometry();
    void save_geometry();
    void draw_title_step(int step, int width);
    void end_title_sequence_by_input();
    void act_on_key_result(int result);
    bool mouse_ignored() const;
    QSize form_size() const;
    QFont title_font() const;
    QString title_qstring() const;
    struct TitleLine {
        QString text;
        int width = 0, height = 0;
    };
    TitleLine title_line(QPainter& painter) const;
    void update_outline(const ChwRect& r);

    MainFormOptions options_;
    std::unique_ptr<IniProfile> ini_;
    std::unique_ptr<ChwScreen> screen_;
    std::unique_ptr<OutputLink> output_;
    std::unique_ptr<ConsoleJournal> journal_;
    std::unique_ptr<ConsoleBackup> backup_;
    std::unique_ptr<StartupDialogs> own_dialogs_;
    std::unique_ptr<PopupMenus> popup_menus_;
    int display_width_ = 1280;
    StatusPanels* status_ = nullptr;
    QTimer timer_;
    ChwGlyphCache glyphs_;

    int title_countdown_ = 0;
    ChwHoldRepeat hold_repeat_;
    double title_aspect_ = 32.0 / 15.0;
    QImage title_bitmap_;
    QImage wallpaper_bitmap_;
    QPixmap check_mark_;
    std::string help_file_;

    // What the clock and DMX panels show (-1, empty: nothing yet).
    std::time_t clock_shown_ = -1;
    std::optional<artnet::OutputStatus> dmx_shown_;
    std::string role_shown_;  // the role panel's text (CP932)

    // The title text while the sequence draws it (drawn over the image).
    int title_step_ = 0;  // 0 none, 1 reveal, 2 full
    int title_reveal_width_ = 0;

    bool shown_once_ = false;
    bool close_requested_ = false;
    int stop_waits_ = 0;  // ticks a stop has waited for an open question to end
    bool closed_ = false;
    QRect confine_;  // the pointer stays inside while a frame selection runs
};

// The running main window, or nullptr.
extern TPrismelMainForm* g_main_form;

}  // namespace prismel
