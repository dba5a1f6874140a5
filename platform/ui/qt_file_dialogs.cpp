// SPDX-License-Identifier: MIT
#include "platform/ui/qt_file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>

namespace platform
{

QString QtFileDialogs::openFile(QWidget* owner, const OpenFileRequest& request)
{
    QFileDialog dialog(owner, request.title, request.startFolder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(request.filterText);
    // The entry reads as given, but matches every pattern asked for (".htm" and ".html" alike).
    if (auto* model = dialog.findChild<QFileSystemModel*>()) {
        const auto match = [model, patterns = request.patterns] { model->setNameFilters(patterns); };
        match();
        QObject::connect(&dialog, &QFileDialog::filterSelected, model, match);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtFileDialogs::saveFile(QWidget* owner, const SaveFileRequest& request)
{
    // The folder opened and the name alone in the box: a whole path there reads as one relative to the folder.
    const QFileInfo suggested(request.suggestedPath);
    QFileDialog dialog(owner, request.title,
        QFileInfo(suggested.absolutePath()).isDir() ? suggested.absolutePath() : QDir::homePath());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(suggested.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace platform
