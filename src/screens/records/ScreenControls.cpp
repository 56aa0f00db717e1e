#include "screens/records/ScreenControls.h"

#include "core/FormUtilities.h"
#include "core/qt/FormWidgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>

QGroupBox* MakeFrame(QWidget* parent, const char* name, const char* caption)
{
    auto* frame = new QGroupBox(QLatin1String(caption), parent);
    frame->setObjectName(QLatin1String(name));
    return frame;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption)
{
    auto* label = new QLabel(QLatin1String(caption), parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(QLatin1String(caption), parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

void MakeBold(QWidget& widget)
{
    QFont font = widget.font();
    font.setBold(true);
    widget.setFont(font);
}

QLineEdit* MakeBoldBox(QWidget* parent, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    MakeBold(*box);
    return box;
}

QLineEdit* AddLabelledBox(QGroupBox* frame, const char* boxName, const char* labelName, const char* caption,
                          int column)
{
    auto* grid = qobject_cast<QGridLayout*>(frame->layout());
    if (!grid)
        grid = new QGridLayout(frame);
    QLineEdit* box = MakeBoldBox(frame, boxName);
    QLabel* label = MakeLabel(frame, labelName, caption);
    label->setBuddy(box);
    int row = 0;
    while (grid->itemAtPosition(row, column))
        ++row;
    grid->addWidget(label, row, column);
    grid->addWidget(box, row, column + 1);
    return box;
}

void MakeDaysBox(QLineEdit& box)
{
    box.setMaxLength(3);
    KeyFilter::Install(box, [](int16_t keyCode) { return FilterNumericKey(keyCode, false); });
    // A pasted sign or letter would limit the list to today without a word.
    static const QRegularExpression digits(QStringLiteral("\\d{0,3}"));
    box.setValidator(new QRegularExpressionValidator(digits, &box));
}

void ApplyReadOnlyLook(QWidget& window)
{
    for (QWidget* box : window.findChildren<QWidget*>()) {
        if ((qobject_cast<QLineEdit*>(box) || qobject_cast<QPlainTextEdit*>(box)) && box->font().bold())
            SetTextBoxLocked(false, *box);
    }
}

void SetUpRecordGrid(QTableView& grid, QAbstractItemModel* model, const char* name)
{
    grid.setObjectName(QLatin1String(name));
    grid.setModel(model);
    grid.setSelectionBehavior(QAbstractItemView::SelectRows);
    grid.setSelectionMode(QAbstractItemView::SingleSelection);
    grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid.verticalHeader()->setVisible(false);
    grid.verticalHeader()->setDefaultSectionSize(18);
    grid.horizontalHeader()->setSectionsClickable(true);
    grid.horizontalHeader()->setHighlightSections(false);
    grid.horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid.setColumnHidden(0, true);
}
