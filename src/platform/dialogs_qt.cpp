#include "platform/dialogs_qt.h"

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QProcess>
#include <QStringList>

#include "platform/text_codec.h"
#include "platform/text_codec_qt.h"

namespace prismel {
namespace {

QString from_native(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }
std::string to_native(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The description without the pattern it shows in brackets.
QString bare_description(QString d) {
    const int open = d.lastIndexOf('(');
    if (open > 0 && d.trimmed().endsWith(')')) d = d.left(open);
    return d.trimmed();
}

void prepare(QFileDialog& dlg, const FileDialogRequest& r) {
    dlg.setWindowTitle(qt_text(r.title));
    dlg.setDirectory(from_native(r.folder));
    dlg.setNameFilter(qt_name_filter(r.filter));
    dlg.setDefaultSuffix(QString::fromStdString(r.default_extension));
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!r.file_name.empty()) dlg.selectFile(from_native(r.file_name));
}

std::optional<std::string> chosen(QFileDialog& dlg) {
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return to_native(dlg.selectedFiles().first());
}

}  // namespace

QString qt_name_filter(const std::string& cp932_filter) {
    const QStringList parts = qt_text(cp932_filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            for (const QString& v : {p.trimmed(), p.trimmed().toUpper(), p.trimmed().toLower()})
                if (!patterns.contains(v)) patterns << v;
        }
        filters << bare_description(parts[i]) + " (" + patterns.join(' ') + ")";
    }
    return filters.join(";;");
}

std::optional<std::string> QtDialogs::open_file(const FileDialogRequest& request) {
    QFileDialog dlg(owner_);
    prepare(dlg, request);
    return chosen(dlg);
}

std::optional<std::string> QtDialogs::open_picture(const FileDialogRequest& request) {
    QFileDialog dlg(owner_);
    // The preview needs the dialog's own widgets.
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    prepare(dlg, request);
    auto* preview = new QLabel(&dlg);
    preview->setFixedSize(200, 200);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    if (auto* grid = qobject_cast<QGridLayout*>(dlg.layout()))
        grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(&dlg, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
        const QPixmap p(path);
        if (p.isNull())
            preview->clear();
        else
            preview->setPixmap(p.scaled(preview->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    });
    return chosen(dlg);
}

std::optional<uint32_t> QtDialogs::choose_colour(uint32_t initial) {
    const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    const QColor c = QColorDialog::getColor(start, owner_);
    if (!c.isValid()) return std::nullopt;
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
           static_cast<uint32_t>(c.blue()) << 16;
}

std::optional<std::string> QtDialogs::choose_folder(const std::string& title, const std::string& initial) {
    const QString dir = QFileDialog::getExistingDirectory(owner_, qt_text(title), from_native(initial),
                                                          QFileDialog::ShowDirsOnly);
    if (dir.isEmpty()) return std::nullopt;
    return to_native(dir);
}

bool QtDialogs::open_with(const std::string& program, const std::string& argument) {
    return QProcess::startDetached(from_native(program), {from_native(argument)});
}

}  // namespace prismel
