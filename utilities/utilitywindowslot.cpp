#include "utilities/utilitywindowslot.h"

#include <QDialog>
#include <QScreen>

#include <utility>

UtilityWindowSlot::UtilityWindowSlot(Factory factory, int screenDivisor, QWidget* owner)
    : QObject(owner)
    , m_factory(std::move(factory))
    , m_screenDivisor(screenDivisor)
    , m_owner(owner)
{
}

void UtilityWindowSlot::open()
{
    if (!m_window) {
        create();
        return;
    }
    m_window->raise();
    m_window->activateWindow();
}

void UtilityWindowSlot::create()
{
    QDialog* window = m_factory(m_owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowFlag(Qt::WindowStaysOnTopHint);
    // Every way of closing (Close, Escape, the title bar) ends in finished();
    // forget the window then, not only when its deferred deletion comes.
    connect(window, &QDialog::finished, this, [this] { m_window.clear(); });
    window->adjustSize();
    const QRect screen = m_owner->screen()->geometry();
    window->move(screen.topLeft() + QPoint(screen.width() / m_screenDivisor, screen.height() / m_screenDivisor));
    window->show();
    m_window = window;
}
