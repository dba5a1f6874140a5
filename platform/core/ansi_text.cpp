// SPDX-License-Identifier: MIT
#include "platform/core/ansi_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform
{

QByteArray toAnsi(const QString& text)
{
    QStringEncoder encoder(QStringConverter::System);
    return encoder.encode(text);
}

QString fromAnsi(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringConverter::System);
    return decoder.decode(bytes);
}

} // namespace platform
