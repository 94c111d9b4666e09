#include "shell/startup_dialogs_qt.h"

#include <QMessageBox>
#include <QString>

#include "platform/text_codec_qt.h"

namespace prismel {
int QtStartupDialogs::run(QMessageBox& box) {
    open_ = &box;
    const int result = box.exec();
    open_ = nullptr;
    return result;
}

bool QtStartupDialogs::ask_ok_cancel(const char* cp932_text, const char* cp932_caption) {
    if (abandoned_) return false;
    QMessageBox box(QMessageBox::Warning, qt_text(cp932_caption), qt_text(cp932_text),
                    QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
    return run(box) == QMessageBox::Ok && !abandoned_;
}

void QtStartupDialogs::tell(const char* cp932_text, const char* cp932_caption, bool exclamation) {
    if (abandoned_) return;
    QMessageBox box(exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, qt_text(cp932_caption),
                    qt_text(cp932_text), QMessageBox::Ok);
    run(box);
}

void QtStartupDialogs::abandon() {
    abandoned_ = true;
    if (open_) open_->done(QMessageBox::Cancel);
}

}  // namespace prismel
