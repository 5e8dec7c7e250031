#include "prompt/filedialogfilters.h"

#include <QRegularExpression>

namespace FileDialogFilters {

namespace {

QString matchedPatterns(const QString& filter)
{
    static const QRegularExpression trailingPatterns(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    const QRegularExpressionMatch match = trailingPatterns.match(filter);
    QStringList patterns = (match.hasMatch() ? match.captured(1) : filter).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString& pattern : patterns)
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
    return patterns.join(QLatin1Char(' '));
}

}  // namespace

QStringList forDialog(const QString& filter)
{
    QStringList filters;
    for (const QString& text : filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts))
        filters << QStringLiteral("%1 (%2)").arg(text.trimmed(), matchedPatterns(text));
    return filters;
}

}  // namespace FileDialogFilters
