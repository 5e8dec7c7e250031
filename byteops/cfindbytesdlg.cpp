#include "byteops/cfindbytesdlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "bytemodel/bytemodel.h"
#include "byteops/fieldids.h"
#include "byteops/fieldtext.h"
#include "byteops/findbytes.h"
#include "byteops/hexbytestring.h"
#include "byteops/hexfield.h"

namespace {

/// Until the owner-drawn colour list takes its place: the names, sorted as that list sorts them.
QComboBox* namedColorBox(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->addItems({QStringLiteral("Black"), QStringLiteral("Blue"), QStringLiteral("Cyan"), QStringLiteral("Green"),
                   QStringLiteral("Magenta"), QStringLiteral("Red"), QStringLiteral("Yellow"),
                   QStringLiteral("Brown")});
    box->model()->sort(0);
    return box;
}

}  // namespace

CFindBytesDlg::CFindBytesDlg(const ByteModel& model, QWidget* view, const ColorBoxFactory& colorBox)
    : RangeDialog(RangeDialogKind::FindBytes, 0, view)
    , m_model(model)
    , m_colorBox(colorBox ? colorBox(this) : namedColorBox(this))
    , m_autoMarkBox(new QCheckBox(QStringLiteral("Automatically Mark the Found Bytes"), this))
{
    qRegisterMetaType<CFindBytesDlg::Search>();
    setModal(false);
    QFormLayout* form = addForm();
    addHexField(form, FieldId::FindWhat, QStringLiteral("Find What:"), 8);
    addLabelledRow(form, QStringLiteral("Mark Color:"), m_colorBox);
    form->addRow(m_autoMarkBox);
    addHexField(form, FieldId::StartAddress, QStringLiteral("Next Search Start Address:"), 8, QStringLiteral("(in Hex)"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* findNextButton = buttons->addButton(QStringLiteral("Find Next"), QDialogButtonBox::ActionRole);
    QPushButton* markSelectButton = buttons->addButton(QStringLiteral("Mark Select"), QDialogButtonBox::ActionRole);
    QPushButton* cancelButton = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    findNextButton->setDefault(true);
    connect(findNextButton, &QPushButton::clicked, this, &CFindBytesDlg::runFindNext);
    connect(markSelectButton, &QPushButton::clicked, this, &CFindBytesDlg::runMarkSelect);
    connect(cancelButton, &QPushButton::clicked, this, &CFindBytesDlg::reject);
    finishLayout(buttons);

    showAddress(FieldId::StartAddress, m_nextStart);
    field(FieldId::FindWhat)->setText(m_findWhat);
    m_colorBox->setCurrentIndex(m_colorBox->findText(m_colorName, Qt::MatchExactly | Qt::MatchCaseSensitive));
    m_autoMarkBox->setChecked(m_autoMark);
}

void CFindBytesDlg::showAtScreenCentre()
{
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    const QRect screenArea = (parentWidget() ? parentWidget()->screen() : screen())->geometry();
    move(screenArea.x() + screenArea.width() / 2, screenArea.y() + screenArea.height() / 2);
    show();
}

void CFindBytesDlg::keepChoices()
{
    if (m_colorBox->currentIndex() >= 0)
        m_colorName = m_colorBox->currentText();
    m_autoMark = m_autoMarkBox->isChecked();
}

void CFindBytesDlg::runFindNext()
{
    if (!fieldsPass())
        return;
    Search search;
    search.start = hexValue(FieldId::StartAddress);
    m_findWhat = field(FieldId::FindWhat)->text();
    keepChoices();
    search.findWhat = m_findWhat;
    search.colorName = m_colorName;
    search.autoMark = m_autoMark;
    m_nextStart = search.start;
    const ByteBuffer pattern = ParseHexValue(m_findWhat);
    search.length = qint64(pattern.size());
    search.foundAt = FindBytes(m_model, pattern, search.start);
    if (search.foundAt != kNoOffset) {
        m_nextStart = search.foundAt + search.length;
        showAddress(FieldId::StartAddress, m_nextStart);
    }
    emit findNext(search);
}

void CFindBytesDlg::runMarkSelect()
{
    keepChoices();
    emit markSelection(m_colorName);
}

void CFindBytesDlg::reject()
{
    emit closing();
    RangeDialog::reject();
    deleteLater();
}
