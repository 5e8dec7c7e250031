#pragma once

#include <QtGlobal>

#include "docview/commandmap.h"

class Document;
class QWidget;

/// A window that shows a document. Commands reach the active view first.
class View : public CommandTarget {
public:
    explicit View(Document* document);
    ~View() override;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    Document* document() const { return m_document; }
    virtual QWidget* widget() = 0;
    /// The document window (MDI child) the view lives in.
    QWidget* frameWindow();
    /// Called once, after the view's frame is made and before it is shown.
    virtual void onInitialUpdate() = 0;
    /// Called when the document asks its views to show its contents anew.
    virtual void onUpdate() = 0;
    /// Called when the view becomes the active view (true) or stops being it (false).
    virtual void onActivateView(bool active) { Q_UNUSED(active); }

private:
    Document* m_document;
};
