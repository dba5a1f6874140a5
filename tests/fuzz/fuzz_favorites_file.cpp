// SPDX-License-Identifier: MIT
// The favorites-file reader on any bytes: it must not crash, and what it reads must save and read back the same.
#include "quillet/favourites/favorites_file.h"
#include "quillet/favourites/user_ids.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > size_t(favorites_file::kMaxFileBytes)) // the loader refuses bigger files before reading them
        return 0;
    CUserIDs list;
    favorites_file::AddFileLines(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), list);
    const QByteArray saved = favorites_file::FileBytes(list);
    CUserIDs again;
    favorites_file::AddFileLines(saved, again);
    if (again.Count() != list.Count() || favorites_file::FileBytes(again) != saved)
        std::abort();
    return 0;
}
