#include "hexdoc/outsidechangewatch.h"

#include <QFileInfo>

OutsideChangeWatch::OutsideChangeWatch(QObject* parent)
    : QObject(parent)
{
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &OutsideChangeWatch::check);
    // A file replaced by a rename drops out of the file watch; its folder still tells.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &OutsideChangeWatch::check);
}

void OutsideChangeWatch::watch(const QString& path)
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_path = path;
    m_identity = FileIdentity::of(path);
    m_told = false;
    m_watcher.addPath(path);
    m_watcher.addPath(QFileInfo(path).absolutePath());
}

bool OutsideChangeWatch::changedSince() const
{
    return !m_path.isEmpty() && FileIdentity::of(m_path) != m_identity;
}

void OutsideChangeWatch::check()
{
    if (m_told || !changedSince())
        return;
    m_told = true;
    emit changedOutside();
}
