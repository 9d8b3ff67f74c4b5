#include "gui/editor/TimerPanel.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QStyle>
#include <algorithm>

#include "core/TimerProgram.h"
#include "gui/common/SystemColors.h"
#include "gui/editor/ColorCheckBox.h"
#include "gui/editor/ColorStatic.h"
#include "gui/editor/IntervalEdit.h"
#include "res/ControlIds.h"

namespace {

QString CaptionText(int timerNumber) {
    return QString::fromStdString(TimerName(timerNumber));
}

// Set while a screen reader is active, as the activation observer hears it.
bool namesWanted = false;

bool NamesWanted() {
    return namesWanted || QAccessible::isActive();
}

QString OnOffText(bool on) {
    return on ? TimerPanel::tr("ON") : TimerPanel::tr("OFF");
}

// People count intervals from 1.
QString RowName(int timerNumber, int row) {
    return TimerPanel::tr("Timer %1, interval %2").arg(timerNumber).arg(row + 1);
}

QString LabelName(int timerNumber, int row, bool on) {
    return (on ? TimerPanel::tr("Timer %1, interval %2, ON")
               : TimerPanel::tr("Timer %1, interval %2, OFF"))
        .arg(timerNumber)
        .arg(row + 1);
}

// Up is -1, Down +1; 0 for any other key, or either with a modifier (Alt moves rows).
int ArrowDirection(const QKeyEvent& key) {
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        return 0;
    }
    if (key.key() == Qt::Key_Up) {
        return -1;
    }
    return key.key() == Qt::Key_Down ? 1 : 0;
}

// Shift+Up is -1, Shift+Down +1; 0 for any other key.
int ShiftArrowDirection(const QKeyEvent& key) {
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::ShiftModifier) {
        return 0;
    }
    if (key.key() == Qt::Key_Up) {
        return -1;
    }
    return key.key() == Qt::Key_Down ? 1 : 0;
}

bool IsKeyboardReason(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::ShortcutFocusReason;
}

template <typename Control>
void SetColors(Control* control, ColorRef background, ColorRef text) {
    control->SetBackgroundColor(background);
    control->SetTextColor(text);
    control->update();
}

}  // namespace

int RowHeightFor(const QFontMetrics& metrics) {
    // A line of text inside the controls' one-pixel frames and one pixel of margin each side.
    return std::max(kMinRowHeight, metrics.height() + 4);
}

int LabelWidthFor(const QFontMetrics& metrics) {
    const int longer = std::max(metrics.horizontalAdvance(OnOffText(true)),
                                metrics.horizontalAdvance(OnOffText(false)));
    return std::max(kMinLabelWidth, longer + metrics.height());
}

int CheckBoxWidthFor(int indicatorWidth) {
    return std::max(kMinCheckBoxWidth, indicatorWidth + 4);
}

TimerPanel::TimerPanel(int timerNumber, int controlId, QWidget* parent, int y, int width,
                       QWidget* container)
    : QWidget(container != nullptr ? container : parent),
      timerNumber(timerNumber),
      controlId(controlId),
      y(y),
      width(width) {
    WatchForScreenReaders();
    setProperty(ControlIds::kProperty, controlId);
    setAccessibleName(CaptionText(timerNumber));
    UpdateMetrics();
    setGeometry(0, y, width, rowHeight);

    caption = new ColorStatic(CaptionText(timerNumber), this);
    caption->setProperty(ControlIds::kProperty, ControlIds::kCaption);
    caption->setAccessibleName(CaptionText(timerNumber));
    caption->installEventFilter(this);
    connect(caption, &ColorStatic::activated, this, &TimerPanel::OnCaptionClicked);
    SetColors(caption, GetSysColor(SysColor::InactiveCaption),
              GetSysColor(SysColor::InactiveCaptionText));
    connect(caption, &ColorStatic::clicked, this, &TimerPanel::OnCaptionClicked);
    connect(caption, &ColorStatic::doubleClicked, this, &TimerPanel::captionDoubleClicked);
}

TimerPanel::~TimerPanel() = default;

void TimerPanel::UpdateMetrics() {
    const QFontMetrics metrics = fontMetrics();
    rowHeight = RowHeightFor(metrics);
    labelWidth = LabelWidthFor(metrics);
    checkBoxWidth =
        CheckBoxWidthFor(style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this));
}

void TimerPanel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::FontChange && event->type() != QEvent::StyleChange) {
        return;
    }
    UpdateMetrics();
    if (placedWidth == -1) {
        return;  // nothing placed yet; the first Move uses the new figures
    }
    // Re-placed where the panel stands now, scrolled or not; the list restacks the panels.
    resize(width, (rowCount + 1) * rowHeight);
    caption->setGeometry(0, 0, width, rowHeight);
    for (int row = 0; row < placedRows; ++row) {
        PlaceRow(row);
    }
}

ColorStatic* TimerPanel::GetLabel(int row) const {
    return IsRow(row) ? labels[static_cast<std::size_t>(row)] : nullptr;
}

IntervalEdit* TimerPanel::GetEdit(int row) const {
    return IsRow(row) ? edits[static_cast<std::size_t>(row)] : nullptr;
}

ColorCheckBox* TimerPanel::GetCheckBox(int row) const {
    return IsRow(row) ? checkBoxes[static_cast<std::size_t>(row)] : nullptr;
}

QWidget* TimerPanel::GetPart(RowPart part, int row) const {
    switch (part) {
        case RowPart::Caption:
            return caption;
        case RowPart::Label:
            return GetLabel(row);
        case RowPart::Edit:
            return GetEdit(row);
        case RowPart::CheckBox:
            return GetCheckBox(row);
    }
    return nullptr;
}

bool TimerPanel::FindPart(const QWidget* widget, RowPart& part, int& row) const {
    if (widget == nullptr || widget->parentWidget() != this) {
        return false;
    }
    if (widget == caption) {
        part = RowPart::Caption;
        row = -1;
        return true;
    }
    // The control ids say which row and kind a control is.
    const int id = widget->property(ControlIds::kProperty).toInt();
    for (RowPart kind : {RowPart::Label, RowPart::Edit, RowPart::CheckBox}) {
        const int first = kind == RowPart::Label  ? ControlIds::LabelId(0)
                          : kind == RowPart::Edit ? ControlIds::EditId(0)
                                                  : ControlIds::BlockStartId(0);
        if (id >= first && id - first < rowCount && GetPart(kind, id - first) == widget) {
            part = kind;
            row = id - first;
            return true;
        }
    }
    return false;
}

bool TimerPanel::FocusPart(RowPart part, int row) {
    QWidget* control = GetPart(part, row);
    if (control == nullptr) {
        return false;
    }
    Claim();
    if (part == RowPart::Caption) {
        UnselectRow();
    } else {
        SelectRow(row);
    }
    control->setFocus(Qt::TabFocusReason);
    return true;
}

bool TimerPanel::MoveFocus(QWidget* from, int direction) {
    RowPart part = RowPart::Caption;
    int row = -1;
    if (!FindPart(from, part, row)) {
        return false;
    }
    if (part == RowPart::Caption || !IsRow(row + direction)) {
        emit focusLeaving(part, direction);
    } else {
        FocusPart(part, row + direction);
    }
    return true;
}

bool TimerPanel::ExtendFocus(QWidget* from, int direction) {
    RowPart part = RowPart::Caption;
    int row = -1;
    if (!FindPart(from, part, row) || part == RowPart::Caption || row != selectedRow) {
        return false;
    }
    if (IsRow(row + direction)) {
        SelectRows(anchorRow == -1 ? row : anchorRow, row + direction);
        // Not a keyboard reason: the label taking the focus must not select its row alone.
        labels[static_cast<std::size_t>(row + direction)]->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

bool TimerPanel::eventFilter(QObject* watched, QEvent* event) {
    auto* control = qobject_cast<QWidget*>(watched);
    if (control != nullptr && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int direction = ArrowDirection(*key);
        // Up and Down stay in a field whose typing does not read, as Tab does.
        auto* edit = qobject_cast<IntervalEdit*>(control);
        if (direction != 0 && edit != nullptr && !edit->CommitPendingChange()) {
            return true;
        }
        if (direction != 0 && MoveFocus(control, direction)) {
            return true;
        }
        const int extend = ShiftArrowDirection(*key);
        if (extend != 0 && ExtendFocus(control, extend)) {
            return true;
        }
    }
    // Tab into a label, a box or the caption selects as a click would; a click selects through
    // its own handler, and the edits report their focus themselves.
    if (control != nullptr && event->type() == QEvent::FocusIn &&
        IsKeyboardReason(static_cast<QFocusEvent*>(event)->reason())) {
        RowPart part = RowPart::Caption;
        int row = -1;
        if (FindPart(control, part, row) && part != RowPart::Edit) {
            Claim();
            if (part == RowPart::Caption) {
                UnselectRow();
            } else {
                SelectRow(row);
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TimerPanel::SetLabelOn(int row, bool on) {
    rowOn[static_cast<std::size_t>(row)] = on;
    ColorStatic* label = labels[static_cast<std::size_t>(row)];
    if (label->text() != OnOffText(on)) {
        label->setText(OnOffText(on));
    }
    if (!NamesWanted()) {
        return;  // named all at once when a screen reader comes
    }
    const QString name = LabelName(timerNumber, row, on);
    if (label->accessibleName() != name) {
        label->setAccessibleName(name);
    }
}

void TimerPanel::NameRow(int row) {
    // A name set on a control makes Qt build and keep its accessible interface at once; with
    // thousands of rows that doubles the memory and the load time, so names wait for a reader.
    if (!NamesWanted()) {
        return;
    }
    const auto slot = static_cast<std::size_t>(row);
    const QString name = RowName(timerNumber, row);
    edits[slot]->setAccessibleName(name);
    checkBoxes[slot]->setAccessibleName(
        tr("Timer %1, interval %2 starts a block").arg(timerNumber).arg(row + 1));
    SetLabelOn(row, IsRowOn(row));
}

void TimerPanel::NameRows() {
    for (int row = 0; row < rowCount; ++row) {
        NameRow(row);
    }
}

namespace {

// Names every row of every panel when a screen reader starts after the rows were made.
class RowNamer : public QAccessible::ActivationObserver {
public:
    void accessibilityActiveChanged(bool active) override {
        namesWanted = active;
        if (!active) {
            return;
        }
        for (QWidget* widget : QApplication::allWidgets()) {
            if (auto* panel = qobject_cast<TimerPanel*>(widget)) {
                panel->NameRows();
            }
        }
    }
};

}  // namespace

void TimerPanel::WatchForScreenReaders() {
    static RowNamer namer;
    static const bool installed = [] {
        QAccessible::installActivationObserver(&namer);
        return true;
    }();
    (void)installed;
}

int TimerPanel::AddRow(bool on, std::uint32_t hours, std::uint32_t minutes, std::uint32_t seconds,
                       std::uint32_t ticks, bool blockStart) {
    return AddRow(on, QString::fromStdString(FormatIntervalTime(hours, minutes, seconds, ticks)),
                  blockStart);
}

int TimerPanel::AddRow(bool on, const QString& text, bool blockStart) {
    if (rowCount >= kMaxRows) {
        return -1;
    }
    const int row = rowCount;
    const auto slot = static_cast<std::size_t>(row);

    auto* label = new ColorStatic(OnOffText(on), this);
    label->setProperty(ControlIds::kProperty, ControlIds::LabelId(row));
    label->setToolTip(tr("Click or press Space to switch between ON and OFF"));
    label->installEventFilter(this);
    connect(label, &ColorStatic::clicked, this,
            [this, id = ControlIds::LabelId(row)] { OnLabelClicked(id); });
    connect(label, &ColorStatic::activated, this,
            [this, id = ControlIds::LabelId(row)] { OnLabelActivated(id); });

    auto* edit = new IntervalEdit(this);
    edit->setProperty(ControlIds::kProperty, ControlIds::EditId(row));
    edit->setText(text);
    edit->SetTypingLimit(kIntervalTypingLimit);
    edit->installEventFilter(this);
    connect(edit, &IntervalEdit::focusEntered, this,
            [this, id = ControlIds::EditId(row)] { OnEditSetFocus(id); });
    connect(edit, &IntervalEdit::textCommitted, this,
            [this, id = ControlIds::EditId(row)] { OnEditCommitted(id); });
    connect(edit, &IntervalEdit::unreadableChanged, this, &TimerPanel::unreadableChanged);

    auto* box = new ColorCheckBox(this);
    box->setProperty(ControlIds::kProperty, ControlIds::BlockStartId(row));
    box->setChecked(blockStart);
    box->setToolTip(
        tr("Starts a new block of this timer in the device (at most 8 intervals a block, 1 byte "
           "each)"));
    box->installEventFilter(this);
    connect(box, &ColorCheckBox::clicked, this,
            [this, id = ControlIds::BlockStartId(row)] { OnBlockStartClicked(id); });

    labels[slot] = label;
    rowOn[slot] = on;
    edits[slot] = edit;
    checkBoxes[slot] = box;
    rowCount = row + 1;
    NameRow(row);
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
        SetLabelOn(i, IsRowOn(i + 1));
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

    if (selectedRow >= rowCount || anchorRow >= rowCount) {
        // The highlighted controls were the ones just deleted; the rest lose their colour.
        UnselectRow();
    }
    return true;
}

void TimerPanel::SetRow(int row, bool on, const QString& text, bool blockStart) {
    if (!IsRow(row)) {
        return;
    }
    const auto slot = static_cast<std::size_t>(row);
    SetLabelOn(row, on);
    IntervalEdit* edit = edits[slot];
    // Typing that does not read stays for correction while the row keeps its last good text.
    if (edit->text() != text && !(edit->IsUnreadable() && edit->GetSavedText() == text)) {
        edit->SetProgramText(text);
    }
    checkBoxes[slot]->setChecked(blockStart);
}

void TimerPanel::SetRowProblem(int row, const QString& why) {
    if (IsRow(row)) {
        edits[static_cast<std::size_t>(row)]->SetLimitProblem(why);
    }
}

int TimerPanel::FindUnreadableRow() const {
    for (int row = 0; row < rowCount; ++row) {
        if (edits[static_cast<std::size_t>(row)]->IsUnreadable()) {
            return row;
        }
    }
    return -1;
}

QString TimerPanel::GetRowText(int row) const {
    return IsRow(row) ? edits[static_cast<std::size_t>(row)]->text() : QString();
}

bool TimerPanel::IsRowOn(int row) const {
    return IsRow(row) && rowOn[static_cast<std::size_t>(row)];
}

void TimerPanel::SetTimerNumber(int number) {
    timerNumber = number;
    caption->setText(CaptionText(number));
    caption->setAccessibleName(CaptionText(number));
    setAccessibleName(CaptionText(number));
    NameRows();
}

void TimerPanel::PlaceRow(int row) {
    const auto slot = static_cast<std::size_t>(row);
    const int top = rowHeight * (row + 1);
    labels[slot]->setGeometry(0, top, labelWidth, rowHeight);
    edits[slot]->setGeometry(labelWidth, top, width - labelWidth - checkBoxWidth, rowHeight);
    checkBoxes[slot]->setGeometry(width - checkBoxWidth, top, checkBoxWidth, rowHeight);
}

void TimerPanel::Move(int newY, int newWidth) {
    y = newY;
    width = newWidth;
    setGeometry(0, y, width, (rowCount + 1) * rowHeight);

    const int shownBefore = placedRows;
    int from = placedRows;
    if (width != placedWidth) {
        caption->setGeometry(0, 0, width, rowHeight);
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
    const bool changed = !active;
    active = true;
    if (changed) {
        emit selectionChanged();
    }
}

void TimerPanel::Deactivate() {
    UnselectRow();
    SetColors(caption, GetSysColor(SysColor::InactiveCaption),
              GetSysColor(SysColor::InactiveCaptionText));
    const bool changed = active;
    active = false;
    if (changed) {
        emit selectionChanged();
    }
}

void TimerPanel::SelectRow(int row) {
    UnselectRow();
    if (!IsRow(row)) {
        return;
    }
    ColorRow(row, true);
    selectedRow = row;
    emit selectionChanged();
}

void TimerPanel::SelectRows(int anchor, int row) {
    if (anchor == -1 || anchor == row || !IsRow(anchor)) {
        SelectRow(row);
        return;
    }
    UnselectRow();
    if (!IsRow(row)) {
        return;
    }
    for (int i = std::min(anchor, row); i <= std::max(anchor, row); ++i) {
        ColorRow(i, true);
    }
    selectedRow = row;
    anchorRow = anchor;
    emit selectionChanged();
}

void TimerPanel::UnselectRow() {
    if (selectedRow == -1) {
        return;
    }
    const int first = anchorRow == -1 ? selectedRow : std::min(anchorRow, selectedRow);
    const int last = anchorRow == -1 ? selectedRow : std::max(anchorRow, selectedRow);
    for (int i = first; i <= std::min(last, rowCount - 1); ++i) {
        ColorRow(i, false);
    }
    selectedRow = -1;
    anchorRow = -1;
    emit selectionChanged();
}

bool TimerPanel::IsBlockStart(int row) const {
    return IsRow(row) && checkBoxes[static_cast<std::size_t>(row)]->isChecked();
}

void TimerPanel::Claim() {
    if (!active) {
        emit activating();
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
    // Shift+click selects the rows from the one selected to this one.
    if (active && selectedRow != -1 &&
        (QApplication::keyboardModifiers() & Qt::ShiftModifier) != 0) {
        SelectRows(anchorRow == -1 ? selectedRow : anchorRow, row);
        label->setFocus(Qt::OtherFocusReason);
        return;
    }
    Claim();
    if (row != selectedRow || anchorRow != -1) {
        SelectRow(row);
        label->setFocus(Qt::MouseFocusReason);
        return;  // the first click on a row only selects it
    }
    ToggleRow(row);
}

void TimerPanel::OnLabelActivated(int id) {
    const int row = id - ControlIds::LabelId(0);
    if (IsRow(row)) {
        ToggleRow(row);
    }
}

void TimerPanel::ToggleRow(int row) {
    ColorStatic* label = labels[static_cast<std::size_t>(row)];
    Claim();
    if (row != selectedRow) {
        SelectRow(row);
    }
    // The focus moves first, so a text being typed elsewhere is committed as its own change.
    if (!label->hasFocus()) {
        label->setFocus(Qt::MouseFocusReason);
    }
    emit rowSwitched(row);
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
    const int row = id - ControlIds::EditId(0);
    if (IsRow(row)) {
        emit rowTextCommitted(row, edits[static_cast<std::size_t>(row)]->text());
    }
}

void TimerPanel::OnBlockStartClicked(int id) {
    const int row = id - ControlIds::BlockStartId(0);
    if (!IsRow(row)) {
        return;
    }
    Claim();
    SelectRow(row);
    checkBoxes[static_cast<std::size_t>(row)]->setFocus(Qt::MouseFocusReason);
    emit blockStartClicked(row);
}
