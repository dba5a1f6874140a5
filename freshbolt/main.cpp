// SPDX-License-Identifier: MIT
// Freshbolt's composition root: the one place where the real platform adapters are chosen.
#include "freshbolt/event_pump.h"
#include "freshbolt/mod_start.h"
#include "platform/core/clock.h"
#include "platform/core/http_transfer.h"
#include "platform/core/instance_lock.h"
#include "platform/core/local_files.h"
#include "platform/core/proxy_credentials.h"
#include "platform/core/proxy_setup.h"
#include "platform/core/termination_signal.h"
#include "platform/ui/qt_message_boxes.h"
#include "platform/ui/qt_page_prompts.h"
#include "platform/ui/qt_shell.h"
#include "platform/ui/session_end.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    platform::IgnoreClosedOutput();
    platform::useSystemProxy();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Freshbolt"));

    platform::QtHttpTransfer transfer;
    // A proxy that asks for a password: the proxy setting's, else asked once this run; Cancel ends in the
    // connection message.
    platform::ProxyCredentials proxyCredentials(&platform::ProxyCredentials::FromProxySetting);
    platform::QtPagePrompts prompts;
    transfer.answerProxyWith([&proxyCredentials, &prompts](const QString& proxyHost) {
        return platform::AnswerProxy(proxyCredentials, prompts, nullptr, proxyHost);
    });
    platform::SteadyClock clock;
    platform::QtLocalFiles files;
    platform::QtMessageBoxes messageBoxes;
    platform::QtShell shell;
    platform::TerminationSignal termination;
    freshbolt::NestedEventLoop events;
    // Held from here until the process ends.
    platform::InstanceLock updateLock(QCoreApplication::applicationDirPath(), platform::LockHolder::Updater);

    const std::unique_ptr<freshbolt::FRestart> restart
        = freshbolt::Main({ transfer, clock, files, messageBoxes, shell, termination, events },
            QCoreApplication::applicationDirPath(), updateLock);
    if (!restart)
        return 0;
    platform::OnSessionEnd(termination, &app, &QCoreApplication::quit);
    return app.exec();
}
