// SPDX-License-Identifier: MIT
// Freshbolt's composition root: the one place where the real platform adapters are chosen.
#include "freshbolt/mod_start.h"
#include "platform/clock.h"
#include "platform/http_transfer.h"
#include "platform/local_files.h"
#include "platform/proxy_setup.h"
#include "platform/qt_message_boxes.h"
#include "platform/qt_shell.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    platform::useSystemProxy();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Freshbolt"));

    platform::QtHttpTransfer transfer;
    platform::SteadyClock clock;
    platform::QtLocalFiles files;
    platform::QtMessageBoxes messageBoxes;
    platform::QtShell shell;

    const std::unique_ptr<freshbolt::FRestart> restart
        = freshbolt::Main({ transfer, clock, files, messageBoxes, shell }, QCoreApplication::applicationDirPath());
    return restart ? app.exec() : 0;
}
