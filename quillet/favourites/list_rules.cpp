// SPDX-License-Identifier: MIT
#include "quillet/favourites/list_rules.h"

#include <QtGlobal>

namespace quillet
{

namespace list_rules
{

bool RowSortsBefore(const QString& left, const QString& right)
{
    return QString::compare(left, right, Qt::CaseInsensitive) < 0;
}

int RowToSelectAfterDelete(int deletedRow, int rowsLeft)
{
    return deletedRow < rowsLeft ? deletedRow : rowsLeft - 1;
}

} // namespace list_rules

} // namespace quillet
