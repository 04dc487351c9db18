#include "hosts/qt/form/QtForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QToolTip>

#include <utility>
#include <vector>

#include "app/PastedText.h"
#include "hosts/qt/form/Accessibility.h"
#include "hosts/qt/form/FittedFont.h"
#include "hosts/qt/form/Latin1Text.h"
#include "res/KeyboardKeys.h"
#include "res/Texts.h"

namespace quibo {

QtForm::QtForm(const DialogTemplate& dialog, const DialogUnits& units, QWidget* parent)
    : QWidget(parent),
      m_units(units),
      m_templateFont(TemplateFont(dialog)),
      m_bitsLeft(units.X(dialog.controls.front().rect.x)),
      m_templateHeight(units.Y(dialog.cy))
{
    setFixedSize(units.X(dialog.cx), m_templateHeight);
    m_widgets = CreateTemplateWidgets(dialog, *this, units);
    for (const TemplateWidget& entry : m_widgets) {
        const ControlId id = entry.control->id;
        if (id == IDC_STATIC) {
            // A caption labels its control for a screen reader too.
            if (auto* label = qobject_cast<QLabel*>(entry.widget); label && entry.control->labels != IDC_STATIC)
                label->setBuddy(Control(entry.control->labels));
            continue;
        }
        if (auto* button = qobject_cast<QAbstractButton*>(entry.widget)) {
            connect(button, &QAbstractButton::clicked, this, [this, id] { Notify(id, BN_CLICKED); });
            button->installEventFilter(this);
            if (const char* keyName = KeyboardKeyName(id))
                button->setToolTip(QString("%1 [%2]").arg(ToQString(entry.control->accessibleName), keyName));
            if (id == IDC_KEY_BYTE_ORDER)
                NameByteOrderKey(*button);
        }
        else if (auto* field = dynamic_cast<FieldEdit*>(entry.widget)) {
            field->SetNotify([this, id](Notification code) { Notify(id, code); });
            // The text is in Latin-1 places already: one byte a character.
            field->SetPasteReader([id](const QString& text) {
                const std::string pasted = PastedText(id, text.toLatin1().toStdString());
                return QString::fromLatin1(pasted.data(), static_cast<qsizetype>(pasted.size()));
            });
        }
        else if (auto* label = qobject_cast<QLabel*>(entry.widget)) {
            // Results are there to be copied.
            label->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(label, &QWidget::customContextMenuRequested, this,
                    [this, id](const QPoint& at) { ShowCopyMenu(id, at); });
        }
    }
}

void QtForm::NameByteOrderKey(QAbstractButton& key)
{
    // Its spoken name and its tooltip say what the cryptic caption means.
    NameByCaption(key, {{kCaptionMot, kByteOrderNameMot}, {kCaptionInt, kByteOrderNameInt}});
    const QString before = key.toolTip();
    const QString name = ToQString(ByteOrderAccessibleName(FromQString(key.text())));
    key.setToolTip(name);
    // A tooltip open over the key says the new order, not the old.
    if (QToolTip::isVisible() && QToolTip::text() == before && before != name)
        QToolTip::showText(key.mapToGlobal(QPoint(0, key.height())), name, &key);
}

void QtForm::ShowCopyMenu(ControlId id, const QPoint& at)
{
    QWidget* label = Control(id);
    QMenu menu(label);
    // Qt's own text, so it speaks the desktop's language as a field's does.
    QAction* copy = menu.addAction(QLineEdit::tr("&Copy"));
    QAction* code = menu.addAction(kCopyAsCode);
    copy->setEnabled(!GetDlgItemText(id).empty());
    code->setEnabled(copy->isEnabled());
    // Ctrl+C copies the display while no field has the focus.
    if (id == IDC_DISPLAY)
        copy->setShortcut(QKeySequence::Copy);
    QAction* chosen = menu.exec(label->mapToGlobal(at));
    if (chosen && m_copyResult)
        m_copyResult(id, chosen == code ? Copy::Code : Copy::Text);
}

void QtForm::ShowResultsMenu()
{
    // The keyboard's way to what the display's and BINARY's context menus
    // copy: neither ever takes the focus.
    // Copy as Code copies the converter's value, as BINARY's does.
    QMenu menu(this);
    struct Item {
        ControlId id;
        const char* text;
        Copy copy;
    };
    const Item items[] = {{IDC_DISPLAY, "Copy &Display", Copy::Text},
                          {IDC_BINARY, "Copy &Binary", Copy::Text},
                          {IDC_BINARY, kCopyAsCode, Copy::Code}};
    std::vector<std::pair<QAction*, const Item*>> actions;
    for (const Item& item : items) {
        QAction* action = menu.addAction(item.text);
        action->setEnabled(!GetDlgItemText(item.id).empty());
        actions.emplace_back(action, &item);
    }
    QWidget* display = Control(IDC_DISPLAY);
    QAction* chosen = menu.exec(display->mapToGlobal(display->rect().bottomLeft()));
    for (const auto& [action, item] : actions) {
        if (action == chosen && m_copyResult)
            m_copyResult(item->id, item->copy);
    }
}

bool QtForm::eventFilter(QObject* watched, QEvent* event)
{
    // Enter is "=" as on any calculator, whichever key has the focus; Space
    // still presses the focused key.
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
            return PressKeyboardKey(key);
    }
    return QWidget::eventFilter(watched, event);
}

bool QtForm::PressKeyboardKey(const QKeyEvent& event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    // A key or a bit has the focus, or nothing in the window has it.
    QWidget* focus = QApplication::focusWidget();
    const bool keyFocused = focus && (focus->parentWidget() == this || (m_bits && focus->parentWidget() == m_bits)) &&
                            qobject_cast<QAbstractButton*>(focus);
    if (focus && !keyFocused && focus != window())
        return false;
    if (event.key() == Qt::Key_Menu || (event.key() == Qt::Key_F10 && (event.modifiers() & Qt::ShiftModifier))) {
        ShowResultsMenu();
        return true;
    }
    QString text = event.text();
    if (event.key() == Qt::Key_Escape)
        text = QChar(kEscapeCharacter);
    else if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        text = QChar(kEnterCharacter);
    if (text.size() != 1)
        return false;
    const std::optional<ControlId> id = KeypadKeyForCharacter(text.front().unicode());
    auto* button = id ? qobject_cast<QAbstractButton*>(Control(*id)) : nullptr;
    if (!button)
        return false;
    // The click's own signal, so the key runs what a click runs.
    const std::size_t boxes = m_messages.size();
    button->click();
    // Not after a box it opened has closed: that would be late.
    if (m_messages.size() == boxes)
        ShowPressed(*button);
    return true;
}

void QtForm::Announce(ControlId id, const QString& before)
{
    // A handler may set a text more than once (the display is emptied
    // before a result): a screen reader hears what it shows in the end.
    for (const auto& [changed, was] : m_announced) {
        if (changed == id)
            return;
    }
    if (m_announced.empty())
        QTimer::singleShot(0, this, [this] {
            for (const auto& [changed, was] : std::exchange(m_announced, {}))
                AnnounceTextChange(*Control(changed), was, ToQString(GetDlgItemText(changed)));
        });
    m_announced.emplace_back(id, before);
}

void QtForm::ShowPressed(QAbstractButton& button)
{
    constexpr int kPressedMilliseconds = 100;
    button.setDown(true);
    QTimer::singleShot(kPressedMilliseconds, &button, [&button] {
        // Not under a mouse button that holds it down meanwhile: its click
        // would be lost.
        if (!(button.underMouse() && (QGuiApplication::mouseButtons() & Qt::LeftButton)))
            button.setDown(false);
    });
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
        const QString before = button->text();
        button->setText(qtext);
        if (id == IDC_KEY_BYTE_ORDER && qtext != before) {
            NameByteOrderKey(*button);
            Announce(id, before);
        }
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        const QString before = label->text();
        label->setText(qtext);
        FitLabelFont(*label);
        Announce(id, before);
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
    if (const std::optional<int> bit = m_bits ? m_bits->FocusedBit() : std::nullopt)
        return BitControl(*bit);
    return std::nullopt;
}

BitsPanel& QtForm::Bits()
{
    // Made when first needed: a session that never shows it starts sooner.
    if (!m_bits) {
        m_bits = new BitsPanel(m_templateFont, m_units, this);
        // Lined up with the form's first group box, one unit below the
        // last, as the form's group boxes are one unit apart; the form's
        // margin below. Made last, it is last in the tab order.
        m_bits->move(m_bitsLeft, m_templateHeight - m_units.Y(2));
        m_bitsHeight = m_bits->height() + m_units.Y(1);
        m_bits->hide();
        m_bits->ShowBits(m_shownBits);
        m_bits->SetClicked([this](int bit) {
            // The bit takes the focus as a click gives it (a screen reader's
            // toggle too). Where the window is not active, Qt moves it
            // without focus events: the field that had it hears all the same.
            auto* field = dynamic_cast<FieldEdit*>(window()->focusWidget());
            m_bits->Box(bit).setFocus(Qt::MouseFocusReason);
            if (field && window()->focusWidget() != field && !isActiveWindow())
                field->Notify(EN_KILLFOCUS);
            Notify(BitControl(bit), BN_CLICKED);
        });
        for (int bit = 0; bit < kPanelBits; ++bit)
            m_bits->Box(bit).installEventFilter(this);
    }
    return *m_bits;
}

void QtForm::SetBits(const PanelBits& bits)
{
    m_shownBits = bits;
    if (m_bits)
        m_bits->ShowBits(bits);
}

void QtForm::ShowBitsPanel(bool show)
{
    if (!show && !m_bits)
        return;
    BitsPanel& panel = Bits();
    if (!show)
        panel.ReleaseFocus();
    panel.setVisible(show);
    setFixedSize(width(), m_templateHeight + (show ? m_bitsHeight : 0));
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
    case EditOperation::Paste: field->Paste(); break;
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
