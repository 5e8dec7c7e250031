#pragma once

#include <QObject>
#include <QString>

#include <vector>

#include "docview/commandmap.h"

class DocTemplate;
class View;

/// The document half of the document/view framework: a path, a title, a
/// modified flag, the views that show it, and the standard Save, Save As and
/// Close commands with the question whether to save changes.
class Document : public QObject, public CommandTarget {
    Q_OBJECT

public:
    explicit Document(DocTemplate& docTemplate);
    ~Document() override;

    DocTemplate& docTemplate() const { return m_template; }

    const QString& pathName() const { return m_pathName; }
    /// Sets the path and the title from it; adds it to the recent-file list.
    void setPathName(const QString& path);
    const QString& title() const { return m_title; }
    void setTitle(const QString& title);

    bool isModified() const { return m_modified; }
    void setModifiedFlag(bool modified = true);

    const std::vector<View*>& views() const { return m_views; }
    void addView(View* view);
    void removeView(View* view);
    /// Asks every view to show the document anew.
    void updateAllViews();

    /// Fills a new document; false creates no window.
    virtual bool onNewDocument();
    /// Reads the file; false creates no window and keeps every other document.
    virtual bool onOpenDocument(const QString& path) = 0;
    /// Writes the file; false keeps the document modified.
    virtual bool onSaveDocument(const QString& path) = 0;
    /// Asks before the last window closes; false keeps the document open.
    virtual bool saveModified();
    /// Closes every window of the document after saveModified() agreed.
    bool closeDocument();
    /// Closes every window of the document without asking.
    void closeFrames();
    /// True once closeDocument() has agreed: the frames then close without asking again.
    bool isClosing() const { return m_closing; }

    /// Save: to the document's path, or as Save As when it has none.
    bool doFileSave();
    /// Save As: asks for a path and saves there.
    bool doSaveAs();

signals:
    void titleChanged();
    void modifiedChanged(bool modified);
    /// Something that command enabling depends on has changed.
    void commandStateChanged();
    /// A window on the document was opened or closed.
    void viewsChanged();
    /// The document is about to be destroyed.
    void closing();

protected:
    /// The framework's question whether to save changes, and its answer.
    bool askToSaveChanges();

private:
    bool saveTo(const QString& path);

    DocTemplate& m_template;
    QString m_pathName;
    QString m_title;
    bool m_modified = false;
    bool m_closing = false;
    std::vector<View*> m_views;
};
