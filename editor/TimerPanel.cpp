#include "TimerPanel.h"

#include <QCoreApplication>
#include <algorithm>

#include "ColorCheckBox.h"
#include "ColorStatic.h"
#include "ControlIds.h"
#include "EditorEvents.h"
#include "IntervalEdit.h"
#include "SystemColors.h"
#include "TimerProgram.h"

namespace {

QString CaptionText(int timerNumber) {
    return QStringLiteral("Timer %1").arg(timerNumber);
}

template <typename Control>
void SetColors(Control* control, ColorRef background, ColorRef text) {
    control->SetBackgroundColor(background);
    control->SetTextColor(text);
    control->update();
}

}  // namespace

TimerPanel::TimerPanel(int timerNumber, int controlId, QWidget* parent, int y, int width,
                       QWidget* container)
    : QWidget(container != nullptr ? container : parent),
      timerNumber(timerNumber),
      controlId(controlId),
      y(y),
      width(width),
      parent(parent) {
    setProperty(ControlIds::kProperty, controlId);
    setAccessibleName(CaptionText(timerNumber));
    setGeometry(0, y, width, kRowHeight);

    caption = new ColorStatic(CaptionText(timerNumber), this);
    caption->setProperty(ControlIds::kProperty, ControlIds::kCaption);
    SetColors(caption, GetSysColor(SysColor::InactiveCaption),
              GetSysColor(SysColor::InactiveCaptionText));
    connect(caption, &ColorStatic::clicked, this, &TimerPanel::OnCaptionClicked);
    connect(caption, &ColorStatic::doubleClicked, this, &TimerPanel::captionDoubleClicked);
}

TimerPanel::~TimerPanel() = default;

ColorStatic* TimerPanel::GetLabel(int row) const {
    return IsRow(row) ? labels[static_cast<std::size_t>(row)] : nullptr;
}

IntervalEdit* TimerPanel::GetEdit(int row) const {
    return IsRow(row) ? edits[static_cast<std::size_t>(row)] : nullptr;
}

ColorCheckBox* TimerPanel::GetCheckBox(int row) const {
    return IsRow(row) ? checkBoxes[static_cast<std::size_t>(row)] : nullptr;
}

int TimerPanel::AddRow(bool on, std::uint32_t hours, std::uint32_t minutes, std::uint32_t seconds,
                       std::uint32_t ticks, bool blockStart) {
    if (rowCount >= kMaxRows) {
        return -1;
    }
    const int row = rowCount;
    const auto slot = static_cast<std::size_t>(row);

    auto* label = new ColorStatic(on ? QStringLiteral("ON") : QStringLiteral("OFF"), this);
    label->setProperty(ControlIds::kProperty, ControlIds::LabelId(row));
    connect(label, &ColorStatic::clicked, this,
            [this, id = ControlIds::LabelId(row)] { OnLabelClicked(id); });

    auto* edit = new IntervalEdit(this);
    edit->setProperty(ControlIds::kProperty, ControlIds::EditId(row));
    edit->setText(QString::fromStdString(FormatIntervalTime(hours, minutes, seconds, ticks)));
    edit->SetTypingLimit(kIntervalTypingLimit);
    connect(edit, &IntervalEdit::focusEntered, this,
            [this, id = ControlIds::EditId(row)] { OnEditSetFocus(id); });
    connect(edit, &IntervalEdit::textCommitted, this,
            [this, id = ControlIds::EditId(row)] { OnEditCommitted(id); });

    auto* box = new ColorCheckBox(this);
    box->setProperty(ControlIds::kProperty, ControlIds::BlockStartId(row));
    box->setChecked(blockStart);
    connect(box, &ColorCheckBox::clicked, this,
            [this, id = ControlIds::BlockStartId(row)] { OnBlockStartClicked(id); });

    labels[slot] = label;
    edits[slot] = edit;
    checkBoxes[slot] = box;
    rowCount = row + 1;
    ApplyBlockRule();
    return row;
}

bool TimerPanel::DeleteRow(int row) {
    if (!IsRow(row)) {
        return false;
    }
    const int last = rowCount - 1;
    for (int i = row; i < last; ++i) {
        const auto to = static_cast<std::size_t>(i);
        const auto from = to + 1;
        labels[to]->setText(labels[from]->text());
        edits[to]->setText(edits[from]->text());
        checkBoxes[to]->setChecked(checkBoxes[from]->isChecked());
    }
    const auto gone = static_cast<std::size_t>(last);
    rowCount = last;
    // Deleting a control that holds the focus leaves the focus nowhere; it does not move it to
    // another row, so no handler runs while the panel is half changed.
    delete labels[gone];
    delete edits[gone];
    delete checkBoxes[gone];
    labels[gone] = nullptr;
    edits[gone] = nullptr;
    checkBoxes[gone] = nullptr;
    placedRows = std::min(placedRows, rowCount);

    if (selectedRow >= rowCount) {
        selectedRow = -1;  // the highlighted controls were the ones just deleted
    }
    ApplyBlockRule();
    return true;
}

void TimerPanel::SetRow(int row, bool on, const QString& text, bool blockStart) {
    if (!IsRow(row)) {
        return;
    }
    const auto slot = static_cast<std::size_t>(row);
    const QString label = on ? QStringLiteral("ON") : QStringLiteral("OFF");
    if (labels[slot]->text() != label) {
        labels[slot]->setText(label);
    }
    if (edits[slot]->text() != text) {
        edits[slot]->SetProgramText(text);
    }
    checkBoxes[slot]->setChecked(blockStart);
}

QString TimerPanel::GetRowText(int row) const {
    return IsRow(row) ? edits[static_cast<std::size_t>(row)]->text() : QString();
}

bool TimerPanel::IsRowOn(int row) const {
    return IsRow(row) && labels[static_cast<std::size_t>(row)]->text() == QLatin1String("ON");
}

void TimerPanel::SetTimerNumber(int number) {
    timerNumber = number;
    caption->setText(CaptionText(number));
    setAccessibleName(CaptionText(number));
}

void TimerPanel::PlaceRow(int row) {
    const auto slot = static_cast<std::size_t>(row);
    const int top = kRowHeight * (row + 1);
    labels[slot]->setGeometry(0, top, kLabelWidth, kRowHeight);
    edits[slot]->setGeometry(kLabelWidth, top, width - kEditRoom, kRowHeight);
    checkBoxes[slot]->setGeometry(width - kCheckBoxWidth, top, kCheckBoxWidth, kRowHeight);
}

void TimerPanel::Move(int newY, int newWidth) {
    y = newY;
    width = newWidth;
    setGeometry(0, y, width, (rowCount + 1) * kRowHeight);

    const int shownBefore = placedRows;
    int from = placedRows;
    if (width != placedWidth) {
        caption->setGeometry(0, 0, width, kRowHeight);
        placedWidth = width;
        from = 0;
    }
    for (int row = from; row < rowCount; ++row) {
        PlaceRow(row);
    }
    placedRows = rowCount;

    if (isHidden()) {
        show();  // the first layout shows the panel with everything made so far
    } else {
        // Controls made inside a panel already on screen wait for their first placing.
        for (int row = shownBefore; row < rowCount; ++row) {
            const auto slot = static_cast<std::size_t>(row);
            labels[slot]->setVisible(true);
            edits[slot]->setVisible(true);
            checkBoxes[slot]->setVisible(true);
        }
    }
}

void TimerPanel::ColorRow(int row, bool selected) {
    const auto slot = static_cast<std::size_t>(row);
    const ColorRef background = selected ? GetSysColor(SysColor::ActiveCaption) : kWhite;
    const ColorRef text = selected ? GetSysColor(SysColor::HighlightText) : kBlack;
    SetColors(labels[slot], background, text);
    SetColors(edits[slot], background, text);
    SetColors(checkBoxes[slot], background, text);
}

void TimerPanel::Activate() {
    SetColors(caption, GetSysColor(SysColor::ActiveCaption), GetSysColor(SysColor::HighlightText));
    active = true;
}

void TimerPanel::Deactivate() {
    UnselectRow();
    SetColors(caption, GetSysColor(SysColor::InactiveCaption),
              GetSysColor(SysColor::InactiveCaptionText));
    active = false;
}

void TimerPanel::SelectRow(int row) {
    UnselectRow();
    if (!IsRow(row)) {
        return;
    }
    ColorRow(row, true);
    selectedRow = row;
}

void TimerPanel::UnselectRow() {
    if (selectedRow == -1) {
        return;
    }
    ColorRow(selectedRow, false);
    selectedRow = -1;
}

void TimerPanel::ApplyBlockRule() {
    int run = 1;
    for (int row = 0; row < rowCount; ++row) {
        ColorCheckBox* box = checkBoxes[static_cast<std::size_t>(row)];
        if (row == 0 && !box->isChecked()) {
            box->setChecked(true);
        }
        if (box->isChecked()) {
            run = 1;
        } else if (run > kRowsPerBlock) {
            box->setChecked(true);
            run = 1;
        }
        ++run;
    }
}

bool TimerPanel::ReadRow(int row, bool& on, std::uint32_t& hours, std::uint32_t& minutes,
                         std::uint32_t& seconds, std::uint32_t& ticks) const {
    if (!IsRow(row)) {
        return false;
    }
    const auto slot = static_cast<std::size_t>(row);
    on = labels[slot]->text() == QLatin1String("ON");
    // Numbers the text does not give read as 0, never as whatever the caller had.
    hours = 0;
    minutes = 0;
    seconds = 0;
    edits[slot]->ReadInterval(hours, minutes, seconds, ticks);
    return true;
}

bool TimerPanel::IsRowReadable(int row) const {
    return IsRow(row) && ReadsAsInterval(edits[static_cast<std::size_t>(row)]->text());
}

bool TimerPanel::IsBlockStart(int row) const {
    return IsRow(row) && checkBoxes[static_cast<std::size_t>(row)]->isChecked();
}

int TimerPanel::GetMemoryBytes() const {
    int bytes = 3 * rowCount;
    for (int row = 0; row < rowCount; ++row) {
        if (checkBoxes[static_cast<std::size_t>(row)]->isChecked()) {
            ++bytes;
        }
    }
    return bytes;
}

void TimerPanel::Notify(QEvent::Type type) {
    if (parent != nullptr) {
        QEvent event(type);
        QCoreApplication::sendEvent(parent, &event);
    }
}

void TimerPanel::Claim() {
    if (!active) {
        Notify(WMU_PANEL_ACTIVATING);
        Activate();
    }
}

void TimerPanel::OnCaptionClicked() {
    Claim();
    UnselectRow();
    caption->setFocus(Qt::MouseFocusReason);
}

void TimerPanel::OnLabelClicked(int id) {
    const int row = id - ControlIds::LabelId(0);
    if (!IsRow(row)) {
        return;
    }
    ColorStatic* label = labels[static_cast<std::size_t>(row)];
    Claim();
    if (row != selectedRow) {
        SelectRow(row);
        label->setFocus(Qt::MouseFocusReason);
        return;  // the first click on a row only selects it
    }
    // The focus moves first, so a text being typed elsewhere is committed as its own change.
    label->setFocus(Qt::MouseFocusReason);
    label->setText(label->text() == QLatin1String("ON") ? QStringLiteral("OFF")
                                                        : QStringLiteral("ON"));
    Notify(WMU_PROGRAM_MODIFIED);
}

void TimerPanel::OnEditSetFocus(int id) {
    const int row = id - ControlIds::EditId(0);
    if (!IsRow(row)) {
        return;
    }
    Claim();
    SelectRow(row);
}

void TimerPanel::OnEditCommitted(int id) {
    if (IsRow(id - ControlIds::EditId(0))) {
        Notify(WMU_PROGRAM_MODIFIED);
    }
}

void TimerPanel::OnBlockStartClicked(int id) {
    const int row = id - ControlIds::BlockStartId(0);
    if (!IsRow(row)) {
        return;
    }
    Claim();
    SelectRow(row);
    // The box has already toggled itself; the rule undoes an unchecking it does not allow.
    ApplyBlockRule();
    checkBoxes[static_cast<std::size_t>(row)]->setFocus(Qt::MouseFocusReason);
    Notify(WMU_PROGRAM_MODIFIED);
}
