#include "docview/doctemplate.h"

#include "docview/document.h"

DocTemplate::DocTemplate(const QString& typeString, DocumentFactory makeDocument, FrameFactory makeFrame)
    : m_parts(typeString.split(QLatin1Char('\n')))
    , m_makeDocument(std::move(makeDocument))
    , m_makeFrame(std::move(makeFrame))
{
}

DocTemplate::~DocTemplate() = default;

Document* DocTemplate::openDocumentFile(const QString& path)
{
    std::unique_ptr<Document> document = m_makeDocument(*this);
    if (path.isEmpty()) {
        // The number is taken only by a document that is really made.
        document->setTitle(fileNewName() + QString::number(m_untitledCount + 1));
        if (!document->onNewDocument())
            return nullptr;
        ++m_untitledCount;
    } else {
        if (!document->onOpenDocument(path))
            return nullptr;
        document->setPathName(path);
    }
    Document* made = document.get();
    m_documents.push_back(std::move(document));
    m_makeFrame(*made);
    return made;
}

void DocTemplate::closeDocument(Document* document)
{
    const auto it = std::find_if(m_documents.begin(), m_documents.end(),
                                 [document](const auto& owned) { return owned.get() == document; });
    if (it == m_documents.end())
        return;
    Document* closing = it->release();
    m_documents.erase(it);
    emit closing->closing();
    // The document may be deep in its own call stack (a command that closed it).
    closing->deleteLater();
}
