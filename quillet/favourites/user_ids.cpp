// SPDX-License-Identifier: MIT
#include "quillet/favourites/user_ids.h"

#include <algorithm>

namespace quillet
{

const CUserID* CUserIDs::Add(const QString& sUserID)
{
    const QString key = keyOf(sUserID);
    if (m_byKey.contains(key))
        return nullptr;
    m_entries.push_back(std::unique_ptr<CUserID>(new CUserID(sUserID)));
    const CUserID* entry = m_entries.back().get();
    m_byKey.insert(key, entry);
    return entry;
}

void CUserIDs::Remove(const QString& sUserID)
{
    const CUserID* entry = m_byKey.take(keyOf(sUserID));
    if (!entry)
        return;
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
        [entry](const std::unique_ptr<CUserID>& candidate) { return candidate.get() == entry; });
    m_entries.erase(found);
}

} // namespace quillet
