#pragma once
// The platform's standard message boxes for the questions and warnings of
// start-up, before the character screen exists.
#include <QPointer>

#include "data/startup_dialogs.h"

class QMessageBox;

namespace prismel {

class QtStartupDialogs : public StartupDialogs {
public:
    bool ask_ok_cancel(const char* cp932_text, const char* cp932_caption) override;
    void tell(const char* cp932_text, const char* cp932_caption, bool exclamation) override;
    // A stop signal during start-up: the open box ends as cancelled and no
    // further box is shown, so start-up runs through to an orderly shutdown
    // without writing anything the operator did not agree to.
    void abandon();
    bool abandoned() const { return abandoned_; }

private:
    int run(QMessageBox& box);

    QPointer<QMessageBox> open_;
    bool abandoned_ = false;
};

}  // namespace prismel
