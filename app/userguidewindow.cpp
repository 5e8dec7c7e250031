#include "app/userguidewindow.h"

#include <QIcon>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr int kWidth = 640;
constexpr int kHeight = 560;
}

UserGuideWindow::UserGuideWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("userGuideWindow"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setWindowIcon(QIcon(QStringLiteral(":/icons/vellmar.svg")));
    setAccessibleName(QString::fromLatin1(kTitle));

    auto* browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("userGuideBrowser"));
    browser->setAccessibleName(tr("User guide text"));
    browser->setOpenExternalLinks(false);
    browser->setSource(QUrl(QString::fromLatin1(kSource)));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    resize(kWidth, kHeight);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
}
