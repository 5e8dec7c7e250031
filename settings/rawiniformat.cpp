#include "settings/rawiniformat.h"

#include <QIODevice>
#include <QUrl>

#include "safewrite/systempath.h"

namespace {

/// Section and key names as Qt's INI format wrote them, "%20" for a space.
QString unescapedName(QByteArrayView name)
{
    return QUrl::fromPercentEncoding(name.trimmed().toByteArray());
}

QString keyInSection(const QString& section, const QString& key)
{
    return section.isEmpty() ? key : section + QLatin1Char('/') + key;
}

/// A value with a line break would split into a bogus key; only a strange path can hold one.
bool fitsOnOneLine(const QString& text)
{
    return !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'));
}

}  // namespace

namespace RawIniFormat {

bool read(QIODevice& device, QSettings::SettingsMap& map)
{
    QString section;
    for (const QByteArray& rawLine : device.readAll().split('\n')) {
        const QByteArray line = rawLine.endsWith('\r') ? rawLine.chopped(1) : rawLine;
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(';') || trimmed.startsWith('#'))
            continue;
        if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
            section = unescapedName(trimmed.sliced(1, trimmed.size() - 2));
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            map.insert(keyInSection(section, unescapedName(line.first(equals))),
                       SystemPath::decode(line.sliced(equals + 1)));
    }
    return true;
}

bool write(QIODevice& device, const QSettings::SettingsMap& map)
{
    // Keys outside any section come first, where no section header claims them.
    QMap<QString, QByteArray> sections;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const QString value = it.value().toString();
        if (!fitsOnOneLine(value))
            continue;
        const qsizetype slash = it.key().lastIndexOf(QLatin1Char('/'));
        sections[slash < 0 ? QString() : it.key().first(slash)] +=
            it.key().sliced(slash + 1).toUtf8() + '=' + SystemPath::encode(value) + '\n';
    }
    QByteArray text;
    for (auto it = sections.cbegin(); it != sections.cend(); ++it) {
        if (!it.key().isEmpty())
            text += (text.isEmpty() ? "[" : "\n[") + it.key().toUtf8() + "]\n";
        text += it.value();
    }
    return device.write(text) == text.size();
}

}  // namespace RawIniFormat
