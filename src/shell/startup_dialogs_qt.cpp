#include "shell/startup_dialogs_qt.h"

#include <QMessageBox>
#include <QString>

#include "platform/text_codec.h"

namespace prismel {
namespace {

QString text_of(const char* cp932) { return QString::fromStdString(to_utf8(cp932 ? cp932 : "")); }

}  // namespace

bool QtStartupDialogs::ask_ok_cancel(const char* cp932_text, const char* cp932_caption) {
    QMessageBox box(QMessageBox::Warning, text_of(cp932_caption), text_of(cp932_text),
                    QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

void QtStartupDialogs::tell(const char* cp932_text, const char* cp932_caption, bool exclamation) {
    QMessageBox box(exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, text_of(cp932_caption),
                    text_of(cp932_text), QMessageBox::Ok);
    box.exec();
}

}  // namespace prismel
