#include "shell/startup_dialogs_qt.h"

#include <QMessageBox>
#include <QString>

#include "platform/text_codec.h"

namespace prismel {
namespace {

QString text_of(const char* cp932) { return QString::fromStdString(to_utf8(cp932 ? cp932 : "")); }

}  // namespace

int QtStartupDialogs::run(QMessageBox& box) {
    open_ = &box;
    const int result = box.exec();
    open_ = nullptr;
    return result;
}

bool QtStartupDialogs::ask_ok_cancel(const char* cp932_text, const char* cp932_caption) {
    if (abandoned_) return false;
    QMessageBox box(QMessageBox::Warning, text_of(cp932_caption), text_of(cp932_text),
                    QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
    return run(box) == QMessageBox::Ok && !abandoned_;
}

void QtStartupDialogs::tell(const char* cp932_text, const char* cp932_caption, bool exclamation) {
    if (abandoned_) return;
    QMessageBox box(exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, text_of(cp932_caption),
                    text_of(cp932_text), QMessageBox::Ok);
    run(box);
}

void QtStartupDialogs::abandon() {
    abandoned_ = true;
    if (open_) open_->done(QMessageBox::Cancel);
}

}  // namespace prismel
