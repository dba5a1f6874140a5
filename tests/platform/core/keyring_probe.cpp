// SPDX-License-Identifier: MIT
// For the keyring test: one request to the real keyring adapter, in a process of its own, since a process keeps
// the first session bus it talks to.
//   keyring_probe read|write|remove ACCOUNT [PASSWORD]
// Prints the outcome (Done, NotFound, NoKeyring or Failed) on the first line, a read's password on the second, and
// the keyring's reason on standard error.
#include "platform/core/qt_keyring.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

using Outcome = platform::KeyringAnswer::Outcome;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3)
        return 2;
    platform::QtKeyring keyring(QStringLiteral("Lastbell Quillet"));
    const auto print = [&app](const platform::KeyringAnswer& answer) {
        static constexpr const char* kNames[] = { "Done", "NotFound", "NoKeyring", "Failed", "Locked" };
        std::printf("%s\n%s\n", kNames[int(answer.outcome)], answer.password.toUtf8().constData());
        std::fprintf(stderr, "%s\n", answer.reason.toUtf8().constData());
        app.quit();
    };
    const QString& operation = arguments[1];
    if (operation == QLatin1String("read"))
        keyring.read(arguments[2], &app, print);
    else if (operation == QLatin1String("write") && arguments.size() == 4)
        keyring.write(arguments[2], arguments[3], &app, print);
    else if (operation == QLatin1String("remove"))
        keyring.remove(arguments[2], &app, print);
    else
        return 2;
    return app.exec();
}
