#include "docview/document.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "docview/doctemplate.h"
#include "prompt/prompter.h"
#include "settings/recentfilelist.h"
#include "docview/view.h"

Document::Document(DocTemplate& docTemplate)
    : m_template(docTemplate)
{
    commands().onCommand(CommandId::FileSave, [this] { doFileSave(); });
    commands().onCommand(CommandId::FileSaveAs, [this] { doSaveAs(); });
    commands().onCommand(CommandId::FileClose, [this] { closeDocument(); });
}

Document::~Document() = default;

void Document::setPathName(const QString& path)
{
    m_pathName = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    setTitle(QFileInfo(m_pathName).fileName());
    RecentFileList::add(m_pathName);
}

void Document::setTitle(const QString& title)
{
    if (m_title == title)
        return;
    m_title = title;
    emit titleChanged();
}

void Document::setModifiedFlag(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void Document::addView(View* view)
{
    m_views.push_back(view);
    emit viewsChanged();
}

void Document::removeView(View* view)
{
    std::erase(m_views, view);
    emit viewsChanged();
    if (m_views.empty())
        m_template.closeDocument(this);
}

void Document::updateAllViews()
{
    for (View* view : m_views)
        view->onUpdate();
}

bool Document::onNewDocument()
{
    m_pathName.clear();
    setModifiedFlag(false);
    return true;
}

bool Document::saveModified()
{
    return askToSaveChanges();
}

bool Document::askToSaveChanges()
{
    if (!m_modified)
        return true;
    const QString name = m_pathName.isEmpty() ? m_title : m_pathName;
    QWidget* parent = m_views.empty() ? nullptr : m_views.front()->widget();
    switch (Prompter::instance().message(parent, QStringLiteral("Vellmar"), QStringLiteral("Save changes to %1?").arg(name),
                                         Prompter::Icon::Warning, Prompter::Buttons::YesNoCancel)) {
    case Prompter::Answer::Yes: return doFileSave();
    case Prompter::Answer::No: return true;
    default: return false;
    }
}

bool Document::closeDocument()
{
    if (!saveModified())
        return false;
    closeFrames();
    return true;
}

void Document::closeFrames()
{
    // Closing the frames destroys the views; the last one destroys the document.
    m_closing = true;
    const std::vector<View*> views = m_views;
    for (View* view : views)
        view->frameWindow()->close();
}

bool Document::doFileSave()
{
    if (m_pathName.isEmpty())
        return doSaveAs();
    return saveTo(m_pathName);
}

bool Document::doSaveAs()
{
    Prompter::FileRequest request;
    request.title = QStringLiteral("Save As");
    request.filter = QStringLiteral("All Files (*)");
    request.directory = m_pathName.isEmpty() ? m_title : m_pathName;
    const QString path = Prompter::instance().saveFileName(m_views.empty() ? nullptr : m_views.front()->widget(), request);
    if (path.isEmpty())
        return false;
    if (!saveTo(path))
        return false;
    setPathName(path);
    return true;
}

bool Document::saveTo(const QString& path)
{
    if (!onSaveDocument(path))
        return false;
    setModifiedFlag(false);
    return true;
}
