#pragma once

#include "compare/ccomparefilesdoc.h"
#include "hexdoc/hexview.h"

/// A pane of the comparison window: a full hex view on one file of the
/// comparison document, whose commands wait for the comparison, whose edits
/// set only that file's changed flag, and which steps through the differing
/// bytes of both files.
class CComparedFileView : public HexView {
    Q_OBJECT

public:
    CComparedFileView(CCompareFilesDoc* document, CompareSide side, QWidget* parent = nullptr);
    ~CComparedFileView() override;

    CCompareFilesDoc* GetDocument() const { return m_doc; }
    CompareSide side() const { return m_side; }
    /// The text of the pane's label bar: " File1: " and the path.
    QString paneLabel() const;

    EndPosition& endPosition() override;
    MarkState& markState() override;
    void syncModifiedFlag() override;
    EditHistory& history() override;
    void setBytesChanged(bool changed) override;
    bool canChangeBytes() const override;

private:
    enum class Search { Next, Previous, First, Last };
    void addEnablingRules();
    bool paneCommandsAllowed() const;
    void findDifference(Search search);
    /// Colours and selects offset in both panes and remembers it.
    void showDifference(ByteOffset offset);

    CCompareFilesDoc* m_doc;
    CompareSide m_side;
};

/// The upper pane, showing File1.
class CComparedFile1View : public CComparedFileView {
    Q_OBJECT

public:
    explicit CComparedFile1View(CCompareFilesDoc* document, QWidget* parent = nullptr)
        : CComparedFileView(document, CompareSide::File1, parent)
    {
    }
};

/// The lower pane, showing File2.
class CComparedFile2View : public CComparedFileView {
    Q_OBJECT

public:
    explicit CComparedFile2View(CCompareFilesDoc* document, QWidget* parent = nullptr)
        : CComparedFileView(document, CompareSide::File2, parent)
    {
    }
};
