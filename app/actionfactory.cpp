#include "app/actionfactory.h"

#include "app/commandtable.h"
#include "app/menudefinitions.h"

#include <QAction>

namespace {

// The menu text as plain words: no accelerator text, mnemonic markers removed, "&&" kept as "&".
QString plainText(const QString& menuText)
{
    QString text = menuText.section(QLatin1Char('\t'), 0, 0);
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        else if (text[i] == QLatin1Char('&'))
            continue;
        plain.append(text[i]);
    }
    return plain;
}

}  // namespace

QAction* makeCommandAction(CommandId id, const QString& text, QObject* parent)
{
    auto* action = new QAction(text, parent);
    const QString prompt = statusPrompt(id);
    const QString tip = toolTipText(id);
    action->setStatusTip(prompt);
    action->setWhatsThis(prompt);
    action->setToolTip(tip.isEmpty() ? plainText(text) : tip);
    action->setObjectName(QStringLiteral("command_%1").arg(static_cast<int>(id)));
    action->setData(static_cast<int>(id));
    action->setIcon(commandIcon(id));
    return action;
}

QIcon commandIcon(CommandId id)
{
    const QString name = commandIconName(id);
    return name.isEmpty() ? QIcon() : QIcon(name);
}

QString numberedMenuText(int number, const QString& name)
{
    return QStringLiteral("&%1 %2").arg(number).arg(QString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
}
