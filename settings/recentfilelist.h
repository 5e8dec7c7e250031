#pragma once

#include <QObject>
#include <QStringList>

/// The recent-file list (4 entries, newest first), kept in the settings file
/// under "Recent File List" as File1 to File4.
class RecentFileList : public QObject {
    Q_OBJECT

public:
    static constexpr int kSize = 4;

    static RecentFileList& instance();
    /// Puts a path first (moving it up if listed) and saves the list.
    static void add(const QString& path);

    QStringList files() const { return m_files; }
    void remove(const QString& path);
    /// Reads the list from the settings file.
    void load();

signals:
    void changed();

private:
    void save();

    QStringList m_files;
};
