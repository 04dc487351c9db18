#include "shell/qt/QtForm.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>

#include "shell/qt/FittedFont.h"
#include "shell/qt/Latin1Text.h"

namespace quibo {

QtForm::QtForm(const DialogTemplate& dialog, const DialogUnits& units, QWidget* parent) : QWidget(parent)
{
    setFixedSize(units.X(dialog.cx), units.Y(dialog.cy));
    m_widgets = CreateTemplateWidgets(dialog, *this, units);
    for (const TemplateWidget& entry : m_widgets) {
        const ControlId id = entry.control->id;
        if (id == IDC_STATIC)
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(entry.widget)) {
            connect(button, &QAbstractButton::clicked, this, [this, id] { Notify(id, BN_CLICKED); });
            button->installEventFilter(this);
        }
        else if (auto* field = dynamic_cast<FieldEdit*>(entry.widget))
            field->SetNotify([this, id](Notification code) { Notify(id, code); });
    }
}

bool QtForm::eventFilter(QObject* watched, QEvent* event)
{
    // As in a dialog, Enter presses the focused key (Space does already).
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            static_cast<QAbstractButton*>(watched)->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QtForm::Notify(ControlId id, Notification code)
{
    if (m_pTarget)
        m_pTarget->OnCmdMsg(id, code);
}

QWidget* QtForm::Control(ControlId id) const
{
    for (const TemplateWidget& entry : m_widgets) {
        if (entry.control->id == id && id != IDC_STATIC)
            return entry.widget;
    }
    return nullptr;
}

FieldEdit* QtForm::Field(ControlId id) const
{
    return dynamic_cast<FieldEdit*>(Control(id));
}

FieldEdit* QtForm::FocusedField() const
{
    for (const TemplateWidget& entry : m_widgets) {
        if (auto* field = dynamic_cast<FieldEdit*>(entry.widget); field && field->hasFocus())
            return field;
    }
    return nullptr;
}

void QtForm::SetDlgItemText(ControlId id, std::string_view text)
{
    QWidget* control = Control(id);
    const QString qtext = ToQString(text);
    if (auto* field = dynamic_cast<FieldEdit*>(control)) {
        field->SetProgramText(qtext);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(qtext);
        // The byte-order key's spoken name follows its caption.
        if (id == IDC_KEY_BYTE_ORDER)
            button->setAccessibleName(ToQString(ByteOrderAccessibleName(text)));
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(qtext);
        FitLabelFont(*label);
        // The display and BINARY are named by their text: announce it.
        QAccessibleEvent changed(label, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

std::string QtForm::GetDlgItemText(ControlId id) const
{
    QWidget* control = Control(id);
    if (auto* field = dynamic_cast<FieldEdit*>(control))
        return FromQString(field->text());
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return FromQString(button->text());
    if (auto* label = qobject_cast<QLabel*>(control))
        return FromQString(label->text());
    return {};
}

void QtForm::LimitText(ControlId id, int nMaxChars)
{
    if (FieldEdit* field = Field(id))
        field->SetLimit(nMaxChars);
}

std::optional<ControlId> QtForm::GetFocus() const
{
    for (const TemplateWidget& entry : m_widgets) {
        if (entry.control->id != IDC_STATIC && entry.widget->hasFocus())
            return entry.control->id;
    }
    return std::nullopt;
}

void QtForm::EditCommand(ControlId id, EditOperation operation)
{
    FieldEdit* field = Field(id);
    if (!field)
        return;
    switch (operation) {
    case EditOperation::Undo: field->Undo(); break;
    case EditOperation::Cut: field->cut(); break;
    case EditOperation::Copy: field->copy(); break;
    case EditOperation::Paste: field->paste(); break;
    }
}

void QtForm::ResizeParentToFit()
{
    if (m_fitParent)
        m_fitParent();
}

void QtForm::RunModal(const std::function<void()>& run)
{
    FieldEdit* field = FocusedField();
    if (field) {
        field->SetFocusNotificationsHeld(true);
        field->Notify(EN_KILLFOCUS);
    }
    run();
    if (field) {
        field->setFocus(Qt::OtherFocusReason);
        field->Notify(EN_SETFOCUS);
        field->SetFocusNotificationsHeld(false);
    }
}

void QtForm::MessageBox(std::string_view text, std::string_view caption)
{
    MessageBox(ToQString(text), ToQString(caption));
}

void QtForm::MessageBox(const QString& text, const QString& caption)
{
    m_messages.emplace_back(FromQString(caption), FromQString(text));
    RunModal([&] {
        QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, window());
        box.exec();
    });
}

}  // namespace quibo
