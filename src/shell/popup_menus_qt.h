#pragma once
// The main window's two pop-up menus: the data menu (F10) and the options
// menu (F7), their owner-drawn items, and every command on them. Dialogs
// go through the installed dialog seam (platform/dialogs.h), questions
// through the message box, so tests script both.
#include <QMenu>
#include <QPoint>
#include <QProxyStyle>

#include <functional>
#include <memory>

#include "shell/popup_rules.h"

namespace prismel {

class TPrismelMainForm;

// Every item but the separators is 17 fs wide and fs + 8 high, drawn in the
// system's menu colours with the console's font at fs pixels, a tick as the
// check-mark bitmap at (left + 2, top + 2) and the caption 24 pixels in.
class PopupItemStyle : public QProxyStyle {
public:
    PopupItemStyle(std::function<int()> font_size, std::function<QPixmap()> check_mark);
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

private:
    std::function<int()> font_size_;
    std::function<QPixmap()> check_mark_;
};

class PopupMenus : public QObject {
    Q_OBJECT
public:
    explicit PopupMenus(TPrismelMainForm& form);
    ~PopupMenus() override;

    QMenu* data_menu() { return &data_; }        // PopupMenu1
    QMenu* options_menu() { return &options_; }  // PopupMenu2
    QMenu* colour_menu() { return &colours_; }
    // An item by its name (PopDataRWItem, PopFontBigItem, PopColWbgItem...).
    QAction* item(const char* name) const;

    // Opened by the main menu: at their place above the bar; they return
    // when the menu has closed and a chosen command has run.
    void show_data_menu();
    void show_options_menu();
    // Just before the options menu opens: the font items' enabled states and
    // the ticks of the three switches.
    void PopupMenu2Popup();

    // "DMXインターフェイスの設定": the Art-Net node dialog, shown modally; unset: nothing.
    std::function<void()> show_node_dialog;
    // How a menu runs at its place; unset: the menu's own modal loop. Tests
    // record the place and trigger an item.
    std::function<void(QMenu& menu, QPoint at)> run_menu;

    // On a backup console: the data menu copies the primary's show.
    void offer_primary_show();

    // --- the commands
    void PopDataRWItemClick();
    void PopBackupShowItemClick();
    void PopPreRdItemClick();
    void report(int which);  // 0 scene names, 1 chase names, 2 cue program
    void PopDatIniItemClick();
    void PopFontBigItemClick();
    void PopFontSmallItemClick();
    void colour(int tag);
    void PopWallItemClick();
    void PopRunSwItemClick();
    void PopHideSwItemClick();
    void PopBeepSwItemClick();
    void DmxOptItemClick();

private:
    QAction* add(QMenu& menu, const char* name, const char* caption, void (PopupMenus::*command)());
    void build_data_menu();
    void build_options_menu();
    void build_colour_menu();
    // Runs the menu at the place the rule gives for the window's frame.
    void run(QMenu& menu, MenuPlace (*place)(int form_left, int form_top, int form_height, int fs));
    void set_font_size(int fs);
    void redraw_main_menu();

    TPrismelMainForm& form_;
    std::unique_ptr<PopupItemStyle> style_;
    QMenu data_;
    QMenu options_;
    QMenu reports_;
    QMenu colours_;
};

}  // namespace prismel
