// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/hosts.h"

#include <QList>
#include <QString>

namespace freshbolt
{

// The program file as it stands in the program folder and in the maker's update folder.
inline const QString kProgramFileName = QStringLiteral("Quillet");

struct UpdateFile {
    QString url;
    QString destination; // under the program folder
    bool program = false;
};

// The files of an update, in the order they are fetched.
inline QList<UpdateFile> UpdateFiles()
{
    const QString folder = u"http://" + QLatin1String(hosts::kMakerServer) + QLatin1String(hosts::kUpdateFolderPath);
    return { { folder + u"Quillet_help.htm", QStringLiteral("help/Quillet_help.htm"), false },
        { folder + kProgramFileName, kProgramFileName, true } };
}

} // namespace freshbolt
