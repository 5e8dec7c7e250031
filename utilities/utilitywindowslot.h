#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QDialog;
class QWidget;

/// Where the main window keeps one of its modeless utility windows. The
/// window opens on first use, above every other window, with its top-left
/// corner at a set fraction of the screen; while it is open, opening it again
/// only gives it the focus. When it closes the slot forgets it, so the next
/// use opens a fresh one.
class UtilityWindowSlot : public QObject {
    Q_OBJECT

public:
    using Factory = std::function<QDialog*(QWidget* owner)>;

    /// The window's top-left corner goes to 1/screenDivisor of the owner's
    /// screen width and height.
    UtilityWindowSlot(Factory factory, int screenDivisor, QWidget* owner);

    void open();

private:
    void create();

    Factory m_factory;
    int m_screenDivisor;
    QWidget* m_owner;
    QPointer<QDialog> m_window;
};
