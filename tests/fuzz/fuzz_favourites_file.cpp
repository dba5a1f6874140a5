// SPDX-License-Identifier: MIT
// The favourites-file reader on any bytes: it must not crash, and what it reads must save and read back the same.
#include "quillet/favourites/favorites_file.h"
#include "quillet/favourites/user_ids.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > size_t(favourites::kMaxFileBytes)) // the loader refuses bigger files before reading them
        return 0;
    CUserIDs list;
    favourites::AddFileLines(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), list);
    const QByteArray saved = favourites::FileBytes(list);
    CUserIDs again;
    favourites::AddFileLines(saved, again);
    if (again.Count() != list.Count() || favourites::FileBytes(again) != saved)
        std::abort();
    return 0;
}
