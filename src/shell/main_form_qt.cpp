#include "shell/main_form_qt.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <thread>

#include "chwin/chw_keys.h"
#include "chwin/chw_scheme_io.h"
#include "chwin/msg_box.h"
#include "data/preset_reader.h"
#include "data/show_init.h"
#include "data/show_startup.h"
#include "engine/playback_engine.h"
#include "platform/text_codec_qt.h"
#include "remote/show_control.h"
#include "screens/screen_exits.h"
#include "settings/env_settings.h"
#include "shell/main_layout.h"
#include "shell/main_menu.h"
#include "shell/popup_menus_qt.h"
#include "shell/startup_dialogs_qt.h"
#include "shell/title_sequence.h"
#include "web/web_console_qt.h"

static void init_shell_resources() { Q_INIT_RESOURCE(shell_resources); }

namespace prismel {

TPrismelMainForm* g_main_form = nullptr;

namespace {

QImage load_bitmap(const std::string& cp932_path) {
    QString path = QString::fromLocal8Bit(cp932_path.c_str());
    QImage img;
    if (QFile::exists(path)) img.load(path);
    return img;
}

// The check mark, transparent where it has the colour of its bottom-left
// pixel (the automatic transparent colour of bitmaps).
QPixmap load_check_mark() {
    init_shell_resources();
    QImage img(":/CHECK_MARK");
    if (img.isNull()) return {};
    img = img.convertToFormat(QImage::Format_ARGB32);
    const QRgb clear = img.pixel(0, img.height() - 1);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == clear) img.setPixel(x, y, qRgba(0, 0, 0, 0));
    return QPixmap::fromImage(img);
}

}  // namespace

TPrismelMainForm::TPrismelMainForm(MainFormOptions options) : options_(std::move(options)) {
    setObjectName("PrismelMainForm");
    // No close button and no Close in the window menu: the console is left
    // through the main menu's F12 only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint);
    setWindowTitle("Prismel");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    status_ = new StatusPanels(this);
    timer_.setInterval(50);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { Timer1Timer(); });
    g_main_form = this;
    form_create();
}

void TPrismelMainForm::form_create() {
    // 1-3: the settings file, its version, the environment settings.
    const std::string folder =
        options_.program_folder.empty() ? folder_of(options_.exe_path) : options_.program_folder;
    ini_ = std::make_unique<IniProfile>(settings_path_in(folder, options_.exe_path));
    check_settings_version(*ini_);
    g_env = new EnvSettings;
    g_env->load(*ini_, folder);
    EnvSettings& env = *g_env;
    if (env.cid_created) {
        env.save_output(*ini_);
        ini_->save();
    }

    // 4-6: the bitmaps.
    title_bitmap_ = load_bitmap(env.title_image);
    title_aspect_ = !title_bitmap_.isNull() && title_bitmap_.height() > 0
                        ? static_cast<double>(title_bitmap_.width()) / title_bitmap_.height()
                        : kDefaultTitleAspect;
    wallpaper_bitmap_ = load_bitmap(env.wall_image);
    check_mark_ = load_check_mark();

    // 7: the help file's name (no help is shown).
    help_file_ = env.in_folder("PRISHL.HLP");

    // 8-11: the preset file name, the show tables and the preset colours.
    env.preset_file = ini_->read_string(kSectionGeneral, "PresetFile", env.in_folder("PRSMDATA.DEF"));
    StartupDialogs* dialogs = options_.dialogs;
    if (!dialogs) {
        own_dialogs_ = std::make_unique<QtStartupDialogs>();
        dialogs = own_dialogs_.get();
    }
    StartupActions actions;
    actions.initialise = [&env] { return data_initialise(g_show, env.program_folder, env.preset_file); };
    actions.read_presets = [](const std::string& path) { return read_preset_colours(g_show.colours, path); };
    load_show_at_startup(g_show, env.program_folder, env.preset_file, *dialogs, actions);

    // 12: the engine, held until the output thread may run it.
    g_engine.initialise();

    // 13-15: the character screen, its scheme and font, the beep option, the status line.
    screen_ = std::make_unique<ChwScreen>(this);
    g_screen = screen_.get();
    int desktop = options_.desktop_width;
    if (desktop <= 0 && QGuiApplication::primaryScreen())
        desktop = QGuiApplication::primaryScreen()->geometry().width();
    if (desktop <= 0) desktop = 1280;
    display_width_ = desktop;
    load_scheme(*screen_, *ini_, desktop);
    screen_->beep_option = env.beep;
    status_->set_font_size(screen_->font_size());

    // 16: the main menu at the bottom of the stack, and its pop-up menus.
    create_main_menu(*screen_);
    popup_menus_ = std::make_unique<PopupMenus>(*this);

    // 17-18: the output thread, created suspended with the engine step as
    // its hook; the engine is released just before the thread starts.
    // A hot backup's sACN sends all the time under its primary's priority.
    uint32_t primary = 0;
    if (env.backup.hot && backup_of_address(env.backup, primary)) env.output.sacn_priority = kHotBackupPriority;
    output_ = options_.make_output ? options_.make_output() : make_artnet_output(env.output);
    output_->set_step_hook([](DmxFrame& frame) { engine_step(frame); });
    // After an unexpected end the last run's look is restored here, so the
    // thread's first frame carries it.
    const int universe = ini_->read_int(kSectionGeneral, "TxUniverse", 0);
    journal_ = std::make_unique<ConsoleJournal>(g_engine, g_show, journal_path_in(folder, options_.exe_path));
    const JournalStart& restart = journal_->start(env.resume_after_crash, universe);
    output_->set_universe(journal_->universe(universe));
    if (journal_->resumed()) output_->step_before_first_frame();
    // The link to a primary or backup console, before the first frame: a
    // backup holds its outputs from the start.
    std::string link_note;
    if (options_.show_control) {
        backup_ = std::make_unique<ConsoleBackup>(g_engine, g_show, *output_, env.backup, env.program_folder);
        link_note = backup_->start(journal_->show_digest(), journal_->backup_followed());
        if (backup_->is_backup()) popup_menus_->offer_primary_show();
    }
    while (g_engine.hold_count() > 0) g_engine.release();
    output_->start();
    // The show-control remotes (OSC, MSC), acting on the running engine; what
    // could not start is said once (the output's own word below goes over it).
    if (options_.show_control) {
        const std::string note = start_show_control(env.remote);
        if (!note.empty()) screen_->show_message(note.c_str());
    }
    // Said once: a user without the right to add addresses still has an
    // output, from the address the machine has (the README says what to do).
    if (output_->alias_refused()) {
        static const char* refused = sj("2.x.x.xを追加できません: 今のアドレスで送信");
        screen_->show_message(refused);
    }
    if (!link_note.empty()) screen_->show_message(link_note.c_str());
    web::start_console_web_remote(env, *screen_);
    // What a start after an unexpected end restored, or why it could not,
    // is the last word (the browser remote's PIN stays in the node dialog).
    if (const char* text = journal_start_message(restart))
        screen_->set(text, restart.kind == JournalStart::Kind::refused);
}

void TPrismelMainForm::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (shown_once_) return;
    shown_once_ = true;
    form_show();
}

void TPrismelMainForm::set_background(uint32_t colour) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, to_qcolor(colour));
    setPalette(pal);
}

void TPrismelMainForm::load_wallpaper(const std::string& path) { wallpaper_bitmap_ = load_bitmap(path); }

void TPrismelMainForm::form_show() {
    set_background(screen_->colour_of(WinBg));
    setWindowTitle("Prismel");
    restore_geometry();
    FormResize();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
    title_countdown_ = kTitleTicks;
    timer_.start();
}

void TPrismelMainForm::restore_geometry() {
    const int w = ini_->read_int(kSectionGeneral, "WinWidth", 800);
    const int h = ini_->read_int(kSectionGeneral, "WinHeight", 600);
    const int x = ini_->read_int(kSectionGeneral, "WinLeft", 0);
    const int y = ini_->read_int(kSectionGeneral, "WinTop", 0);
    const int state = ini_->read_int(kSectionGeneral, "WinState", 0);
    const int fs = screen_->font_size();
    setMinimumSize(kMinColumns * fs / 2, kMinRows * (fs + 4) + 2);
    move(x, y);
    resize(FormCanResize(QSize(w, h)));
    if (state == 1) setWindowState(windowState() | Qt::WindowMinimized);
    else if (state == 2) setWindowState(windowState() | Qt::WindowMaximized);
}

void TPrismelMainForm::request_close() {
    close_requested_ = true;
    close();
    close_requested_ = false;
}

void TPrismelMainForm::stop_by_signal() {
    // A question or input open inside a screen's handler is cancelled first;
    // the end goes on once that handler has returned to the main loop (a
    // second or so at most, in case a handler asks again).
    QWidget* open = QApplication::activePopupWidget();
    if (!open) open = QApplication::activeModalWidget();
    if (!closed_ && (open || QThread::currentThread()->loopLevel() > 1) && stop_waits_++ < 100) {
        if (open) open->close();
        QTimer::singleShot(10, this, [this] { stop_by_signal(); });
        return;
    }
    if (!closed_) {
        close_screens_for_end();
        form_close();
    }
    QCoreApplication::exit(0);
}

// Every open screen closes as its own exit would, top first: the editors
// write their tables and give the live show back.
void TPrismelMainForm::close_screens_for_end() {
    if (screen_) close_open_screens(*screen_);
}

bool TPrismelMainForm::FormCloseQuery() {
    if (!screen_ || screen_->top_window() != g_main_menu) return false;
    return ask_quit();
}

bool TPrismelMainForm::ask_quit() {
    static const char* question = sj("Prismel を終了しますか?");
    const bool yes = ask_message(kMsgYesNo, question) == 1;
    update();
    return yes;
}

void TPrismelMainForm::closeEvent(QCloseEvent* e) {
    // The main menu's quit key asks as it always has. The window manager's
    // close (Alt+F4, a session ending) asks the same question over whatever
    // screen is open, never while another question is; on yes the open
    // screens close in order before the end.
    const bool by_window = !close_requested_;
    if (closed_ || !(by_window ? !QApplication::activeModalWidget() && ask_quit() : FormCloseQuery())) {
        e->ignore();
        return;
    }
    if (by_window) close_screens_for_end();
    form_close();
    e->accept();
}

void TPrismelMainForm::form_close() {
    stop_show_control();
    if (backup_) backup_->stop();
    web::stop_console_web_remote();
    g_engine.hold();
    timer_.stop();
    ini_->write_int(kSectionGeneral, "TxUniverse", output_->universe());
    output_->request_terminate();
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    journal_->close_cleanly();
    g_engine.shut_down();
    save_geometry();
    save_scheme(*screen_, *ini_);
    g_env->save(*ini_);
    closed_ = true;
}

void TPrismelMainForm::save_geometry() {
    const Qt::WindowStates s = windowState();
    const int state = (s & Qt::WindowMinimized) ? 1 : (s & Qt::WindowMaximized) ? 2 : 0;
    ini_->write_int(kSectionGeneral, "WinState", state);
    // The normal (restored) place, so a maximised window keeps its own size.
    const QRect normal = state == 0 ? geometry() : normalGeometry();
    if (normal.isValid()) {
        const QRect frame = frameGeometry();
        const QRect client = geometry();
        ini_->write_int(kSectionGeneral, "WinLeft", normal.left() - (client.left() - frame.left()));
        ini_->write_int(kSectionGeneral, "WinTop", normal.top() - (client.top() - frame.top()));
        ini_->write_int(kSectionGeneral, "WinWidth", normal.width());
        ini_->write_int(kSectionGeneral, "WinHeight", normal.height());
    }
}

// Without a close (an exception ended the message loop, or a test drops the
// window) the output thread and the engine are still stopped in order; the
// settings are then left as they were in the file.
void TPrismelMainForm::release_subsystems() {
    web::stop_console_web_remote();
    if (!closed_) {
        stop_show_control();
        if (backup_) backup_->stop();
        g_engine.hold();
        timer_.stop();
        if (output_) output_->request_terminate();
        journal_.reset();  // its record stays open: the next start plays on
        g_engine.shut_down();
    }
    backup_.reset();  // it holds the output
    output_.reset();
}

TPrismelMainForm::~TPrismelMainForm() {
    release_subsystems();
    popup_menus_.reset();
    // The show tables are process-wide and stay; then the main menu window,
    // the screen, the bitmaps, the settings and the settings file.
    if (g_main_menu) {
        delete g_main_menu;
        g_main_menu = nullptr;
    }
    g_screen = nullptr;
    screen_.reset();
    title_bitmap_ = QImage();
    wallpaper_bitmap_ = QImage();
    check_mark_ = QPixmap();
    delete g_env;
    g_env = nullptr;
    ini_.reset();
    if (g_main_form == this) g_main_form = nullptr;
}

// --- ChwHost

void TPrismelMainForm::invalidate(const ChwRect& r, bool) {
    if (!r.empty()) update(QRect(r.left, r.top, r.width(), r.height()));
}

void TPrismelMainForm::repaint_now(const ChwRect& r) {
    if (!r.empty()) repaint(QRect(r.left, r.top, r.width(), r.height()));
}

void TPrismelMainForm::set_message_line(const char* cp932) {
    status_->set_text(0, qt_text(cp932));
}

void TPrismelMainForm::beep() { QApplication::beep(); }

}  // namespace prismel
