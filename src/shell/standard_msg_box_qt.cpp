#include "shell/standard_msg_box_qt.h"

#include <QMessageBox>

#include "platform/text_codec.h"

namespace prismel {

int StandardMessageBox::ask(int kind, const char* line1, const char* line2) {
    QString text = QString::fromStdString(to_utf8(line1 ? line1 : ""));
    if (line2 && *line2) text += "\n" + QString::fromStdString(to_utf8(line2));
    if (kind == kMsgYesNo) {
        QMessageBox box(QMessageBox::Question, "Prismel", text, QMessageBox::Yes | QMessageBox::No, parent_);
        box.setDefaultButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? 1 : 2;
    }
    QMessageBox box(QMessageBox::NoIcon, "Prismel", text, QMessageBox::Ok, parent_);
    box.exec();
    return 1;
}

}  // namespace prismel
