#include "hosts/qt/form/Accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QWindow>

#include <algorithm>

#include "hosts/qt/form/Latin1Text.h"
#include "res/Templates.h"

namespace quibo {

namespace {

// Which of the interfaces below an object gets, as a dynamic property.
constexpr char kKindProperty[] = "quiboAccessible";
constexpr char kNamesProperty[] = "quiboNamesByCaption";
enum class Kind { ReadOut = 1, CaptionedKey, Choice };

// Read-only text over what a control shows: no caret, no selection.
class ReadOnlyText : public QAccessibleTextInterface {
public:
    virtual QString Shown() const = 0;

    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override
    {
        const QString shown = Shown();
        const int size = static_cast<int>(shown.size());
        end = end < 0 ? size : std::min(end, size);
        start = std::clamp(start, 0, end);
        return shown.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(Shown().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }
};

class AccessibleReadOut : public QAccessibleWidget, public ReadOnlyText {
public:
    explicit AccessibleReadOut(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString Shown() const override { return static_cast<QLabel*>(widget())->text(); }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
};

class AccessibleCaptionedKey : public QAccessibleWidget, public ReadOnlyText {
public:
    explicit AccessibleCaptionedKey(QAbstractButton* key) : QAccessibleWidget(key, QAccessible::Button) {}

    QString Shown() const override
    {
        // "&&" shows as "&", as the template means.
        return ToQString(quibo::ShownText(FromQString(Key()->text())));
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = Key()->isDown();
        if (auto* button = qobject_cast<QPushButton*>(Key()))
            state.defaultButton = button->isDefault();
        return state;
    }
    using ReadOnlyText::text;
    QString text(QAccessible::Text kind) const override
    {
        // A key named after its caption: the name changes with the caption,
        // in the one name-change event the new caption sends.
        const QVariantMap names = Key()->property(kNamesProperty).toMap();
        if (kind == QAccessible::Name && names.contains(Key()->text()))
            return names.value(Key()->text()).toString();
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override { return QStringList(pressAction()) + QAccessibleWidget::actionNames(); }
    void doAction(const QString& name) override
    {
        // As Qt's own keys: the click comes from the event loop, so a
        // message box it opens does not hold up the caller.
        if (name == pressAction())
            Key()->animateClick();
        else
            QAccessibleWidget::doAction(name);
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

private:
    QAbstractButton* Key() const { return static_cast<QAbstractButton*>(widget()); }
};

// A menu item is not a widget: this says what Qt's own menu item says, in
// the role of a radio item.
class AccessibleChoice : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit AccessibleChoice(QAction* item) : m_item(item) {}

    bool isValid() const override { return m_item && Menu(); }
    QObject* object() const override { return m_item; }
    QWindow* window() const override
    {
        QMenu* menu = Menu();
        return menu && menu->window()->windowHandle() ? menu->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(Menu()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text kind) const override
    {
        if (!m_item)
            return {};
        if (kind == QAccessible::Name)
            return m_item->iconText();  // without the mnemonic's "&"
        if (kind == QAccessible::Accelerator)
            return m_item->shortcut().toString(QKeySequence::NativeText);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::RadioButton; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        QMenu* menu = Menu();
        if (!m_item || !menu || !menu->isVisible() || !m_item->isVisible())
            state.invisible = true;
        if (!m_item)
            return state;
        if (menu && menu->activeAction() == m_item)
            state.focused = true;
        state.disabled = !m_item->isEnabled();
        state.checkable = m_item->isCheckable();
        state.checked = m_item->isChecked();
        return state;
    }
    QRect rect() const override
    {
        QMenu* menu = Menu();
        if (!menu)
            return {};
        const QRect item = menu->actionGeometry(m_item);
        return QRect(menu->mapToGlobal(item.topLeft()), item.size());
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        // From the event loop, as a key's press: a message box the command
        // opens does not hold up the caller.
        if (name == pressAction() && m_item && m_item->isEnabled())
            QMetaObject::invokeMethod(m_item, &QAction::trigger, Qt::QueuedConnection);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QMenu* Menu() const
    {
        if (!m_item)
            return nullptr;
        for (QObject* owner : m_item->associatedObjects()) {
            if (auto* menu = qobject_cast<QMenu*>(owner))
                return menu;
        }
        return nullptr;
    }

    QPointer<QAction> m_item;
};

QAccessibleInterface* Factory(const QString&, QObject* object)
{
    const QVariant kind = object ? object->property(kKindProperty) : QVariant();
    if (!kind.isValid())
        return nullptr;
    switch (static_cast<Kind>(kind.toInt())) {
    case Kind::ReadOut:
        if (auto* label = qobject_cast<QLabel*>(object))
            return new AccessibleReadOut(label);
        break;
    case Kind::CaptionedKey:
        if (auto* key = qobject_cast<QAbstractButton*>(object))
            return new AccessibleCaptionedKey(key);
        break;
    case Kind::Choice:
        if (auto* item = qobject_cast<QAction*>(object))
            return new AccessibleChoice(item);
        break;
    }
    return nullptr;
}

void Mark(QObject& object, Kind kind)
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
    object.setProperty(kKindProperty, static_cast<int>(kind));
}

}  // namespace

void MarkReadOut(QLabel& label)
{
    Mark(label, Kind::ReadOut);
}

void MarkCaptionedKey(QAbstractButton& key)
{
    Mark(key, Kind::CaptionedKey);
}

void NameByCaption(QAbstractButton& key, const QVariantMap& names)
{
    key.setProperty(kNamesProperty, names);
}

void MarkChoice(QAction& item)
{
    Mark(item, Kind::Choice);
}

void AnnounceTextChange(QObject& object, const QString& before, const QString& after)
{
    if (before == after)
        return;
    if (before.isEmpty()) {
        QAccessibleTextInsertEvent event(&object, 0, after);
        QAccessible::updateAccessibility(&event);
    } else if (after.isEmpty()) {
        QAccessibleTextRemoveEvent event(&object, 0, before);
        QAccessible::updateAccessibility(&event);
    } else {
        QAccessibleTextUpdateEvent event(&object, 0, before, after);
        QAccessible::updateAccessibility(&event);
    }
}

void AnnounceFocus(QWidget& widget)
{
    QAccessibleEvent event(&widget, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

void AnnounceChecked(QAction& item)
{
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(&item, changed);
    QAccessible::updateAccessibility(&event);
}

}  // namespace quibo
