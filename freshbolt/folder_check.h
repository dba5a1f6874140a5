// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/local_files.h"

#include <optional>

namespace freshbolt
{

// Whether a file can be created and renamed in the folder, as every update of a file there needs; the system's
// reason when not. Leaves nothing behind.
std::optional<platform::FileFailure> CheckFolderWritable(platform::LocalFiles& files, const QString& folder);

} // namespace freshbolt
