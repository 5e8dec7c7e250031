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
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("userGuideWindow"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setWindowIcon(QIcon(QStringLiteral(":/icons/vellmar.svg")));
    setAccessibleName(QString::fromLatin1(kTitle));

    m_browser->setObjectName(QStringLiteral("userGuideBrowser"));
    m_browser->setAccessibleName(tr("User guide text"));
    m_browser->setOpenExternalLinks(false);
    m_browser->setSource(QUrl(QString::fromLatin1(kSource)));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(kWidth, kHeight);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
}

void UserGuideWindow::showSection(const QString& anchor)
{
    QUrl url(QString::fromLatin1(kSource));
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    m_browser->setSource(url);
}
