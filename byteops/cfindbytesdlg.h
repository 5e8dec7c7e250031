#pragma once

#include <functional>

#include "bytemodel/bytebuffer.h"
#include "byteops/rangedialog.h"

class ByteModel;
class QCheckBox;
class QComboBox;

/// The modeless "Find Bytes (in Hex)" window of one hex view. Find Next
/// checks the fields, searches the view's bytes forward from the start
/// address and, on a match, advances the start address past it; then it
/// tells the view, which selects and marks what was found. The window is a
/// child of its view, so it never outlives it.
class CFindBytesDlg : public RangeDialog {
    Q_OBJECT

public:
    /// Makes the colour list; the default offers the eight mark colours by name.
    using ColorBoxFactory = std::function<QComboBox*(QWidget* parent)>;

    /// What one Find Next searched for and found.
    struct Search {
        ByteOffset start = 0;
        QString findWhat;
        QString colorName;
        bool autoMark = true;
        ByteOffset foundAt = kNoOffset;  // kNoOffset: nothing found, nothing changes
        qint64 length = 0;               // bytes in the pattern
    };

    CFindBytesDlg(const ByteModel& model, QWidget* view, const ColorBoxFactory& colorBox = {});

    /// Shows the window on top of the others, its top-left corner at the centre of the screen.
    void showAtScreenCentre();

    ByteOffset nextStart() const { return m_nextStart; }
    QString findWhat() const { return m_findWhat; }
    QString colorName() const { return m_colorName; }
    bool autoMark() const { return m_autoMark; }

signals:
    /// Find Next passed its checks and searched.
    void findNext(const CFindBytesDlg::Search& search);
    /// Mark Select: colour the view's selection.
    void markSelection(const QString& colorName);
    /// Cancel or Escape: the window is going away.
    void closing();

public slots:
    void reject() override;

private:
    void runFindNext();
    void runMarkSelect();
    /// Copies the colour list's choice and the check box into the kept values.
    void keepChoices();

    const ByteModel& m_model;
    QComboBox* m_colorBox;
    QCheckBox* m_autoMarkBox;
    ByteOffset m_nextStart = 0;
    QString m_findWhat;
    QString m_colorName = QStringLiteral("Black");
    bool m_autoMark = true;
};

Q_DECLARE_METATYPE(CFindBytesDlg::Search)
