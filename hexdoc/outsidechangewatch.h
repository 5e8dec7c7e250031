#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

#include "bytemodel/fileidentity.h"

/// Watches the file a document was opened from or saved to, and says once
/// when another program changed, truncated or replaced it: the bytes read
/// lazily from it may no longer be the ones shown.
class OutsideChangeWatch : public QObject {
    Q_OBJECT

public:
    explicit OutsideChangeWatch(QObject* parent = nullptr);

    /// Watches path as it is now, just opened or saved.
    void watch(const QString& path);
    /// True when the file is no longer what it was at the last watch().
    bool changedSince() const;

signals:
    /// Emitted once per watch() when the file changed.
    void changedOutside();

private:
    void check();

    QFileSystemWatcher m_watcher;
    QString m_path;
    FileIdentity m_identity;
    bool m_told = false;
};
