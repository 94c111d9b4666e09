#include "shell/popup_menus_qt.h"

#include <QAction>
#include <QApplication>
#include <QPainter>
#include <QStyleOptionMenuItem>

#include <string>

#include "chwin/chw_canvas_qt.h"
#include "chwin/chw_screen.h"
#include "data/reports.h"
#include "data/show_data.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "screens/Diskop.h"
#include "screens/screen_ask.h"
#include "screens/show_reload.h"
#include "settings/env_settings.h"
#include "shell/main_form_qt.h"
#include "shell/main_menu.h"
#include "shell/popup_rules.h"

namespace prismel {

namespace {

QString text_of(const char* utf8) { return QString::fromUtf8(utf8); }

// The folder part of a path (with its separator) and the name after it.
std::string folder_part(const std::string& path) {
#ifdef _WIN32
    const std::size_t at = path.find_last_of("\\/");
#else
    const std::size_t at = path.find_last_of('/');
#endif
    return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}
std::string name_part(const std::string& path) { return path.substr(folder_part(path).size()); }

void status_text(const char* cp932) {
    if (g_screen) g_screen->set_message_line(cp932);
}

int font_size() { return g_screen ? g_screen->font_size() : ChwScreen::kDefaultFontSize; }

}  // namespace

// --- the owner-drawn items

PopupItemStyle::PopupItemStyle(std::function<int()> font_size, std::function<QPixmap()> check_mark)
    : font_size_(std::move(font_size)), check_mark_(std::move(check_mark)) {}

QSize PopupItemStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                       const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type == CT_MenuItem && item && item->menuItemType != QStyleOptionMenuItem::Separator) {
        const int fs = font_size_();
        return {17 * fs, fs + 8};
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void PopupItemStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !item || item->menuItemType == QStyleOptionMenuItem::Separator) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const int fs = font_size_();
    const QPalette& pal = item->palette;
    const bool selected = (item->state & State_Selected) != 0;
    const bool enabled = (item->state & State_Enabled) != 0;
    const QColor back = pal.color(QPalette::Active, selected ? QPalette::Highlight : QPalette::Window);
    const QColor text = !enabled ? pal.color(QPalette::Disabled, QPalette::WindowText)
                        : selected ? pal.color(QPalette::Active, QPalette::HighlightedText)
                                   : pal.color(QPalette::Active, QPalette::WindowText);
    const QRect r = item->rect;
    painter->save();
    painter->fillRect(r, back);
    if (item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked) {
        const QPixmap tick = check_mark_();
        if (!tick.isNull()) painter->drawPixmap(r.left() + 2, r.top() + 2, tick);
    }
    QFont f(chw_font_family());
    f.setPixelSize(fs);
    f.setStyleHint(QFont::TypeWriter);
    painter->setFont(f);
    painter->setPen(text);
    painter->drawText(r.adjusted(24, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, item->text);
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        QStyleOption arrow(*item);
        const int a = fs / 2;
        arrow.rect = QRect(r.right() - a - 4, r.top() + (r.height() - a) / 2, a, a);
        arrow.palette.setColor(QPalette::ButtonText, text);
        arrow.palette.setColor(QPalette::WindowText, text);
        QProxyStyle::drawPrimitive(PE_IndicatorArrowRight, &arrow, painter, widget);
    }
    painter->restore();
}

// --- the menus

PopupMenus::PopupMenus(TPrismelMainForm& form)
    : form_(form),
      style_(std::make_unique<PopupItemStyle>([] { return font_size(); },
                                              [&form] { return form.check_mark(); })) {
    for (QMenu* m : {&data_, &options_, &reports_, &colours_}) m->setStyle(style_.get());
    data_.setObjectName("PopupMenu1");
    options_.setObjectName("PopupMenu2");
    build_data_menu();
    build_options_menu();
    MainMenuActions& a = main_menu_actions();
    a.data_menu = [this] { show_data_menu(); };
    a.options_menu = [this] { show_options_menu(); };
}

PopupMenus::~PopupMenus() {
    MainMenuActions& a = main_menu_actions();
    a.data_menu = nullptr;
    a.options_menu = nullptr;
}

QAction* PopupMenus::add(QMenu& menu, const char* name, const char* caption, void (PopupMenus::*command)()) {
    QAction* a = menu.addAction(text_of(caption));
    a->setObjectName(name);
    if (command) connect(a, &QAction::triggered, this, [this, command] { (this->*command)(); });
    return a;
}

void PopupMenus::build_data_menu() {
    add(data_, "PopDataRWItem", "データの保存/読み込み", &PopupMenus::PopDataRWItemClick);
    add(data_, "PopPreRdItem", "プリセットカラー定義の読込", &PopupMenus::PopPreRdItemClick);
    data_.addSeparator()->setObjectName("N1");
    reports_.setTitle(text_of("レポート出力"));
    reports_.menuAction()->setObjectName("PopReportItem");
    data_.addMenu(&reports_);
    const char* names[] = {"PopRepScnItem", "PopRepChsItem", "PopRepCueItem"};
    const char* captions[] = {"シーン名一覧", "チェイス名一覧", "キューデータ"};
    for (int i = 0; i < 3; ++i) {
        QAction* a = add(reports_, names[i], captions[i], nullptr);
        connect(a, &QAction::triggered, this, [this, i] { report(i); });
    }
    data_.addSeparator()->setObjectName("N2");
    add(data_, "PopDatIniItem", "データの初期化", &PopupMenus::PopDatIniItemClick);
}

void PopupMenus::build_options_menu() {
    add(options_, "PopFontBigItem", "表示フォントを大きくする (&U)", &PopupMenus::PopFontBigItemClick);
    add(options_, "PopFontSmallItem", "表示フォントを小さくする (&D)", &PopupMenus::PopFontSmallItemClick);
    options_.addSeparator()->setObjectName("N3");
    build_colour_menu();
    options_.addMenu(&colours_);
    add(options_, "PopWallItem", "背景画像(&G)...", &PopupMenus::PopWallItemClick);
    options_.addSeparator()->setObjectName("N6");
    add(options_, "PopRunSwItem", "実行画面でマウス有効(&M)", &PopupMenus::PopRunSwItemClick)->setCheckable(true);
    add(options_, "PopHideSwItem", "通常時はタイトルを隠す(&T)", &PopupMenus::PopHideSwItemClick)->setCheckable(true);
    add(options_, "PopBeepSwItem", "警告音", &PopupMenus::PopBeepSwItemClick)->setCheckable(true);
    options_.addSeparator()->setObjectName("N7");
    add(options_, "DmxOptItem", "DMXインターフェイスの設定(&I)", &PopupMenus::DmxOptItemClick);
}

void PopupMenus::build_colour_menu() {
    colours_.setTitle(text_of("表示色(&C)"));
    colours_.menuAction()->setObjectName("PopColorItem");
    struct Entry {
        const char* name;
        int tag;
        const char* caption;
    };
    static const Entry entries[] = {
        {"PopColWbgItem", 0, "ウィンドウの背景..."},
        {"PopColWfgItem", 1, "ウィンドウの文字..."},
        {"PopColHfgItem", 2, "ウィンドウの強調文字..."},
        {"N4", -1, nullptr},
        {"PopColTitActItem", 5, "ｱｸﾃｨﾌﾞｳｨﾝﾄﾞｳのタイトルバー..."},
        {"PopColFrmActItem", 6, "ｱｸﾃｨﾌﾞｳｨﾝﾄﾞｳの枠..."},
        {"PopColTitNegItem", 7, "非ｱｸﾃｨﾌﾞｳｨﾝﾄﾞｳのタイトルバー..."},
        {"PopColFrmNegItem", 8, "非ｱｸﾃｨﾌﾞｳｨﾝﾄﾞｳの枠..."},
        {"PopColTitFgItem", 9, "タイトルバーの文字..."},
        {"N5", -1, nullptr},
        {"PopColSbgItem", 20, "画面の背景..."},
    };
    for (const Entry& e : entries) {
        if (e.tag < 0) {
            colours_.addSeparator()->setObjectName(e.name);
            continue;
        }
        QAction* a = add(colours_, e.name, e.caption, nullptr);
        a->setData(e.tag);
        const int tag = e.tag;
        connect(a, &QAction::triggered, this, [this, tag] { colour(tag); });
    }
}

QAction* PopupMenus::item(const char* name) const {
    for (const QMenu* m : {&data_, &options_, &reports_, &colours_}) {
        for (QAction* a : m->actions())
            if (a->objectName() == QLatin1String(name)) return a;
    }
    return nullptr;
}

void PopupMenus::run(QMenu& menu, MenuPlace (*place)(int form_left, int form_top, int form_height, int fs)) {
    const QRect frame = form_.frameGeometry();
    const MenuPlace p = place(frame.x(), frame.y(), frame.height(), font_size());
    const QPoint at(p.x, p.y);
    if (run_menu)
        run_menu(menu, at);
    else
        menu.exec(at);
}

void PopupMenus::show_data_menu() {
    const QRect frame = form_.frameGeometry();
    const MenuPlace p = data_menu_place(frame.x(), frame.y(), frame.height(), font_size(), int(data_.actions().size()));
    if (run_menu)
        run_menu(data_, QPoint(p.x, p.y));
    else
        data_.exec(QPoint(p.x, p.y));
}

void PopupMenus::offer_primary_show() {
    if (item("PopBackupShowItem")) return;
    data_.addSeparator()->setObjectName("N8");
    add(data_, "PopBackupShowItem", "主機のショーを取り込む", &PopupMenus::PopBackupShowItemClick);
}

void PopupMenus::show_options_menu() {
    PopupMenu2Popup();
    run(options_, options_menu_place);
}

void PopupMenus::PopupMenu2Popup() {
    const int fs = font_size();
    const int display = form_.display_width();
    item("PopFontBigItem")->setEnabled(font_can_grow(fs, display));
    item("PopFontSmallItem")->setEnabled(font_can_shrink(fs, display));
    item("PopRunSwItem")->setChecked(g_env && g_env->run_mouse);
    item("PopHideSwItem")->setChecked(g_env && g_env->hide_title);
    item("PopBeepSwItem")->setChecked(g_env && g_env->beep);
}

// --- data menu commands

void PopupMenus::PopDataRWItemClick() { diskop_open(g_main_menu); }

void PopupMenus::PopPreRdItemClick() {
    if (!g_env) return;
    FileDialogRequest r;
    r.title = sj("プリセットカラー定義の読込");
    r.folder = folder_part(g_env->preset_file);
    r.file_name = name_part(g_env->preset_file);
    r.filter = sj("プリセットカラー定義ファイル (*.def)|*.DEF");
    r.default_extension = "DEF";
    const std::optional<std::string> path = dialogs().open_file(r);
    if (!path) return;
    if (reload_preset_colours(g_show, *path)) {
        g_env->preset_file = *path;
        tell(sj("プリセットカラー定義を読み込みました"));
    } else {
        tell(g_show.colours.message);
    }
}

void PopupMenus::report(int which) {
    if (!g_env) return;
    static const char* titles[] = {"シーン名一覧のレポート出力", "チェイス名一覧のレポート出力",
                                   "キューデータのレポート出力"};
    if (which < 0 || which > 2) return;
    FileDialogRequest r;
    r.title = sj(titles[which]);
    r.folder = g_env->program_folder;
    r.filter = sj("レポートファイル (*.txt)|*.TXT");
    r.default_extension = "TXT";
    const std::optional<std::string> path = dialogs().open_file(r);
    if (!path) return;
    // The writer's paths hold 255 bytes: a longer one is refused whole
    // rather than cut into the name of some other file.
    if (!report_path_fits(*path)) {
        if (g_screen) g_screen->show_message(sj("ファイル名が長すぎます(255バイトまで)"));
        return;
    }
    using Writer = int (*)(const ShowData&, const std::string&);
    static const Writer writers[] = {write_scene_name_list, write_chase_name_list, write_cue_program_list};
    if (!writers[which](g_show, *path)) return;
    status_text(sj("レポートファイルを出力しました"));
#ifdef _WIN32
    const std::string opener = report_opener(g_env->editor, true);
#else
    const std::string opener = report_opener(g_env->editor, false);
#endif
    if (opener.empty() || dialogs().open_with(opener, *path)) return;
    char text[160];
    std::snprintf(text, sizeof text, sj("レポートを開けません: %sを起動できません"), opener.c_str());
    if (g_screen) g_screen->show_message(text);
}

void PopupMenus::PopBackupShowItemClick() {
    ConsoleBackup* backup = form_.backup();
    if (!backup || !backup->is_backup()) return;
    if (!ask_yes_no(sj("主機のショーで今のショーを置き換えますか?"))) return;
    backup->copy_primary_show();
}

void PopupMenus::PopDatIniItemClick() {
    if (!g_env) return;
    if (!ask_yes_no(sj("現在のデータを全て初期化しますか?"))) return;
    if (!ask_yes_no(sj("本当に初期化していいですか?"))) return;
    initialise_show(g_show, g_env->program_folder, g_env->preset_file);
    status_text(sj("データを初期化しました"));
}

// --- options menu commands

void PopupMenus::set_font_size(int fs) {
    if (!g_screen) return;
    g_screen->set_font_size(fs);
    form_.fit_to_font();
}

void PopupMenus::PopFontBigItemClick() {
    if (g_screen) set_font_size(grown_font(g_screen->font_size(), form_.display_width()));
}

void PopupMenus::PopFontSmallItemClick() {
    if (g_screen) set_font_size(shrunk_font(g_screen->font_size(), form_.display_width()));
}

// The main menu window shown again rewrites every cell, and its labels
// with it, in the current colours.
void PopupMenus::redraw_main_menu() {
    if (!g_screen || !g_main_menu) return;
    ChwScreen& s = *g_screen;
    if (s.top_window() != g_main_menu) return;
    s.show_window(g_main_menu);
    draw_main_menu_labels(s);
    form_.update();
}

void PopupMenus::colour(int tag) {
    const int index = colour_of_tag(tag);
    if (!g_screen || index == 0) return;
    ChwScreen& s = *g_screen;
    const std::optional<uint32_t> chosen = dialogs().choose_colour(s.colour_of(index));
    if (!chosen) return;
    s.scheme().value[index] = *chosen;
    form_.set_background(s.colour_of(WinBg));
    redraw_main_menu();
}

void PopupMenus::PopWallItemClick() {
    if (!g_env) return;
    FileDialogRequest r;
    r.title = sj("背景画像の指定");
    r.folder = g_env->program_folder;
    r.filter = sj("背景画像ファイル (*.bmp)|*.BMP");
    r.default_extension = "bmp";
    const std::optional<std::string> path = dialogs().open_picture(r);
    if (!path) return;
    form_.set_wallpaper(QImage());
    // Without the file the console goes on without wallpaper; the setting
    // keeps the old file for the next start.
    if (!file_system().exists(*path)) {
        form_.update();
        return;
    }
    g_env->wall_image = *path;
    form_.load_wallpaper(*path);
    redraw_main_menu();
    form_.update();
}

void PopupMenus::PopRunSwItemClick() {
    if (g_env) g_env->run_mouse = !g_env->run_mouse;
}

void PopupMenus::PopHideSwItemClick() {
    if (!g_env) return;
    g_env->hide_title = !g_env->hide_title;
    form_.update();
}

// The warning sound follows the copy taken at start-up: the change is heard
// from the next start.
void PopupMenus::PopBeepSwItemClick() {
    if (g_env) g_env->beep = !g_env->beep;
}

void PopupMenus::DmxOptItemClick() {
    if (show_node_dialog) show_node_dialog();
}

}  // namespace prismel
