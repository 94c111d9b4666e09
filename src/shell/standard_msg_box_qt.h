#pragma once
// The message box questions on the platform's standard dialog. The entry
// installs it when the console's own painted box is not available.
#include "chwin/msg_box.h"

class QWidget;

namespace prismel {

class StandardMessageBox : public MessageBoxSeam {
public:
    explicit StandardMessageBox(QWidget* parent) : parent_(parent) {}
    int ask(int kind, const char* line1, const char* line2) override;

private:
    QWidget* parent_;
};

}  // namespace prismel
