// SPDX-License-Identifier: MIT
#pragma once

#include <QHash>
#include <QString>
#include <memory>
#include <ranges>
#include <vector>

// One favourite marketplace user ID, exactly as entered or read.
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
    auto NewEnum() const
    {
        return m_entries
            | std::views::transform([](const std::unique_ptr<CUserID>& entry) -> const CUserID& { return *entry; });
    }

private:
    static QString keyOf(const QString& sUserID) { return sUserID.toCaseFolded(); }

    std::vector<std::unique_ptr<CUserID>> m_entries;
    QHash<QString, const CUserID*> m_byKey;
};
