// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace quillet
{

// How the favorites list box orders its rows and moves its selection.
namespace list_rules
{

// Rows sort alphabetically without regard to letter case.
bool RowSortsBefore(const QString& left, const QString& right);

// After the row at `deletedRow` is removed from a list box that now holds `rowsLeft` rows: the row that moved
// into its place, else the new last row; -1 when the list box is empty.
int RowToSelectAfterDelete(int deletedRow, int rowsLeft);

} // namespace list_rules

} // namespace quillet
