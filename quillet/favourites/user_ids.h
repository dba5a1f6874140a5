// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace quillet
{

// One favorite marketplace user ID, exactly as entered or read.
class CUserID
{
public:
    const QString& UserID() const { return m_userID; }

private:
    friend class CUserIDs;
    explicit CUserID(QString userID)
        : m_userID(std::move(userID))
    {
    }

    QString m_userID;
};

// User IDs in the order they were added, keyed without regard to letter case.
class CUserIDs
{
public:
    // The new entry, or null when the ID is already listed in any letter case.
    const CUserID* Add(const QString& sUserID);
    // Removes the entry listed under that ID; an ID that is not listed changes nothing.
    void Remove(const QString& sUserID);
    qsizetype Count() const { return qsizetype(m_entries.size()); }

    // Every entry once, in list order.
    std::vector<std::reference_wrapper<const CUserID>> NewEnum() const
    {
        std::vector<std::reference_wrapper<const CUserID>> entries;
        entries.reserve(m_entries.size());
        for (const std::unique_ptr<CUserID>& entry : m_entries)
            entries.emplace_back(*entry);
        return entries;
    }

private:
    static QString keyOf(const QString& sUserID) { return sUserID.toCaseFolded(); }

    std::vector<std::unique_ptr<CUserID>> m_entries;
    QHash<QString, const CUserID*> m_byKey;
};

} // namespace quillet
