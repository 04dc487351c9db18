#pragma once

#include <QWidget>

class QAbstractButton;
class QKeyEvent;

#include <functional>
#include <string>
#include <vector>

#include "platform/FormWindow.h"
#include "platform/RoutingTable.h"
#include "hosts/qt/form/BitsPanel.h"
#include "hosts/qt/form/DialogUnits.h"
#include "hosts/qt/form/FieldEdit.h"
#include "hosts/qt/form/TemplateWidgets.h"

namespace quibo {

// The calculator form on Qt: the controls of a template, their clicks and
// field notifications routed to a command target by control id, and the
// windowing operations the handlers call. The Bits panel, while shown,
// lies below the template's controls, and the form grows by its height.
class QtForm : public QWidget, public FormWindow {
public:
    QtForm(const DialogTemplate& dialog, const DialogUnits& units, QWidget* parent = nullptr);

    void SetTarget(CommandTarget* target) { m_pTarget = target; }

    void SetDlgItemText(ControlId id, std::string_view text) override;
    std::string GetDlgItemText(ControlId id) const override;
    void LimitText(ControlId id, int nMaxChars) override;
    void MessageBox(std::string_view text, std::string_view caption) override;
    void ResizeParentToFit() override;
    std::optional<ControlId> GetFocus() const override;
    void EditCommand(ControlId id, EditOperation operation) override;
    void SetBits(const PanelBits& bits) override;
    void ShowBitsPanel(bool show);
    bool IsBitsPanelShown() const { return m_bits && !m_bits->isHidden(); }
    BitsPanel& Bits();
    void SetFitParent(std::function<void()> fit) { m_fitParent = std::move(fit); }
    // What the display's and BINARY's context menus copy: the text, or the
    // value as code writes it.
    enum class Copy { Text, Code };
    void SetCopyResult(std::function<void(ControlId, Copy)> copy) { m_copyResult = std::move(copy); }
    // The same box with texts that need more than Latin-1 (a file's name).
    void MessageBox(const QString& text, const QString& caption);

    // Runs a modal window: a field that has the focus hears of losing it
    // first and of regaining it before this returns, as with a message box.
    void RunModal(const std::function<void()>& run);

    QWidget* Control(ControlId id) const;
    FieldEdit* Field(ControlId id) const;
    // The field with the keyboard focus, if any.
    FieldEdit* FocusedField() const;
    // Presses the keypad key that a keyboard key types, as a click does,
    // and leaves the keyboard focus where it is. Not while a field or
    // anything outside the form has the focus, nor with Ctrl, Alt or Meta
    // held. False when no key was pressed.
    bool PressKeyboardKey(const QKeyEvent& event);
    // Message boxes shown so far, for a driver that answers them.
    const std::vector<std::pair<std::string, std::string>>& Messages() const { return m_messages; }
    void ClearMessages() { m_messages.clear(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Notify(ControlId id, Notification code);
    // Shows a key pressed for a moment, as a click shows it.
    void ShowPressed(QAbstractButton& button);
    void ShowCopyMenu(ControlId id, const QPoint& at);
    void NameByteOrderKey(QAbstractButton& key);
    void ShowResultsMenu();
    // Tells a screen reader of a label's or key's new text once the event
    // that changed it is done.
    void Announce(ControlId id, const QString& before);

    std::vector<TemplateWidget> m_widgets;
    DialogUnits m_units;
    QFont m_templateFont;
    int m_bitsLeft;
    int m_templateHeight;
    BitsPanel* m_bits = nullptr;
    PanelBits m_shownBits;
    int m_bitsHeight = 0;  // what the form grows by when the panel shows
    CommandTarget* m_pTarget = nullptr;
    std::function<void()> m_fitParent;
    std::function<void(ControlId, Copy)> m_copyResult;
    std::vector<std::pair<std::string, std::string>> m_messages;
    // Texts changed since the event loop last ran, and what each showed.
    std::vector<std::pair<ControlId, QString>> m_announced;
};

}  // namespace quibo
