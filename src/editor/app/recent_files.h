#pragma once

#include <QString>
#include <QStringList>

class QSettings;

namespace plk {

// The list of recently used project files, newest first, at most four entries. Kept in the
// editor's settings under "Recent File List" as File1..File4.
class RecentFileList {
public:
    static constexpr int kMaxEntries = 4;

    const QStringList& Entries() const { return m_entries; }

    // Moves `path` to the front, dropping the oldest entry beyond four.
    void Add(const QString& path);
    void Remove(const QString& path);

    void Load(QSettings& settings);
    void Save(QSettings& settings) const;

private:
    QStringList m_entries;
};

}  // namespace plk
