#pragma once
// The output monitor: a small window that stays on top and shows, 20 times a
// second, the levels the engine gives each of the 64 fixtures in the channel
// order of its patch layout, and a status line with the layers being played.
// It remembers where the operator left it (OutMonitorLeft / OutMonitorTop).
#include <QLabel>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QWidget>

#include "data/show_data.h"
#include "engine/playback_engine.h"
#include "platform/profile.h"

namespace prismel {

class TOutMonForm : public QWidget {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 977;
    static constexpr int kClientHeight = 230;

    // settings: the settings file the position is kept in (may be nullptr:
    // the window then opens at the default place and remembers nothing).
    TOutMonForm(PlaybackEngine& engine, const ShowData& show, Profile* settings, QWidget* parent = nullptr);

    QTableWidget* StringGrid1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QTimer* Timer1 = nullptr;

    // Refreshes the 64 cells and the status line (the timer's tick).
    void Timer1Timer();
    QString status_text() const;

protected:
    void showEvent(QShowEvent* e) override;  // FormShow
    void hideEvent(QHideEvent* e) override;  // FormHide
    void closeEvent(QCloseEvent* e) override;  // FormClose
    // Esc closes it when it has the keyboard (as its close button does).
    void keyPressEvent(QKeyEvent* e) override;

private:
    PlaybackEngine& engine_;
    const ShowData& show_;
    Profile* settings_;
    QLabel* panel0_ = nullptr;
    QLabel* panel1_ = nullptr;
};

}  // namespace prismel
