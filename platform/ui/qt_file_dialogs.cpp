// SPDX-License-Identifier: MIT
#include "platform/ui/qt_file_dialogs.h"

#include <QFileDialog>
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
    QFileDialog dialog(owner, request.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(request.suggestedPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace platform
