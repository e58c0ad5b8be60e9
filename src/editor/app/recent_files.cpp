#include "editor/app/recent_files.h"

#include <QSettings>

namespace plk {
namespace {

constexpr const char* kGroup = "Recent File List";

QString KeyOf(int index) {
    return QStringLiteral("File%1").arg(index + 1);
}

}  // namespace

void RecentFileList::Add(const QString& path) {
    m_entries.removeAll(path);
    m_entries.prepend(path);
    while (m_entries.size() > kMaxEntries) {
        m_entries.removeLast();
    }
}

void RecentFileList::Remove(const QString& path) {
    m_entries.removeAll(path);
}

void RecentFileList::Load(QSettings& settings) {
    m_entries.clear();
    settings.beginGroup(kGroup);
    for (int i = 0; i < kMaxEntries; ++i) {
        QString path = settings.value(KeyOf(i)).toString();
        if (!path.isEmpty() && !m_entries.contains(path)) {
            m_entries.append(path);
        }
    }
    settings.endGroup();
}

void RecentFileList::Save(QSettings& settings) const {
    settings.beginGroup(kGroup);
    for (int i = 0; i < kMaxEntries; ++i) {
        if (i < m_entries.size()) {
            settings.setValue(KeyOf(i), m_entries[i]);
        } else {
            settings.remove(KeyOf(i));
        }
    }
    settings.endGroup();
    settings.sync();
}

}  // namespace plk
