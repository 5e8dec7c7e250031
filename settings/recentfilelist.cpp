#include "settings/recentfilelist.h"

#include "settings/settingsstore.h"

namespace {
const QString kGroup = QStringLiteral("Recent File List");
QString keyOf(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}
}  // namespace

RecentFileList& RecentFileList::instance()
{
    static RecentFileList list;
    return list;
}

void RecentFileList::add(const QString& path)
{
    RecentFileList& list = instance();
    list.m_files.removeAll(path);
    list.m_files.prepend(path);
    while (list.m_files.size() > kSize)
        list.m_files.removeLast();
    list.save();
}

void RecentFileList::remove(const QString& path)
{
    if (m_files.removeAll(path) > 0)
        save();
}

void RecentFileList::load()
{
    const auto settings = SettingsStore::open();
    settings->beginGroup(kGroup);
    m_files.clear();
    for (int i = 0; i < kSize; ++i) {
        const QString path = settings->value(keyOf(i)).toString();
        if (!path.isEmpty())
            m_files << path;
    }
    emit changed();
}

void RecentFileList::save()
{
    const auto settings = SettingsStore::open();
    settings->beginGroup(kGroup);
    for (int i = 0; i < kSize; ++i) {
        if (i < m_files.size())
            settings->setValue(keyOf(i), m_files.at(i));
        else
            settings->remove(keyOf(i));
    }
    emit changed();
}
