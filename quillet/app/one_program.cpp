// SPDX-License-Identifier: MIT
#include "quillet/app/one_program.h"

#include "platform/core/message_boxes.h"
#include "platform/core/product.h"
#include "platform/core/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace quillet
{

std::unique_ptr<platform::SingleInstance> UserInstance()
{
    // Where QSettings keeps the settings file; with its own XDG_CONFIG_HOME, a test's program is a user of its own.
    const QString settingsFolder = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                                       .filePath(QLatin1String(product::kTitle));
    return std::make_unique<platform::SingleInstance>(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
        platform::SingleInstance::NameFor(settingsFolder));
}

QString NoAnswerText()
{
    return QStringLiteral("Lastbell Quillet is already running, but it does not answer. Wait until it responds, or "
                          "end it, then start Lastbell Quillet again.");
}

void TellNoAnswer(platform::MessageBoxes& messages)
{
    messages.ask(nullptr, QLatin1String(product::kTitle), NoAnswerText(), platform::MessageIcon::Warning,
        platform::MessageButtons::Ok);
}

} // namespace quillet
