#include "prompt/statusmessage.h"

#include <QCoreApplication>
#include <QStatusTipEvent>
#include <QWidget>

namespace StatusMessage {

void show(QWidget* from, const QString& text)
{
    QStatusTipEvent tip(text);
    QCoreApplication::sendEvent(from, &tip);
}

}  // namespace StatusMessage
