#pragma once

#include <QLineEdit>

#include <functional>

#include "platform/FormWindow.h"
#include "platform/Notification.h"

namespace quibo {

// An edit field as the form's handlers expect it: the length limit binds
// typing and pasting only; every change a user makes, and every text the
// program sets, notifies; focus notifications follow the real focus inside
// the window, not window activation or popup menus; a text too wide for the
// field is shown in a smaller font rather than scrolled.
class FieldEdit : public QLineEdit {
public:
    explicit FieldEdit(QWidget* parent);

    void SetNotify(std::function<void(Notification)> notify) { m_notify = std::move(notify); }
    void SetLimit(int limit);
    int Limit() const { return m_limit; }
    // Sets the text as the program does: never cut, always notifies.
    void SetProgramText(const QString& text);
    // While set, focus changes notify nothing (a modal box reports its own).
    void SetFocusNotificationsHeld(bool held) { m_held = held; }
    void Notify(Notification code);

    // For the length limit, which sees the text only after a change.
    struct Selection {
        qsizetype start = 0;
        qsizetype length = 0;
    };
    const QString& TextBeforeChange() const { return m_textBeforeChange; }
    const Selection& SelectionBeforeChange() const { return m_selectionBeforeChange; }
    bool IsProgramSetting() const { return m_programSetting; }
    bool IsTyping() const { return m_typing; }
    bool IsUndoing() const { return m_undoing; }

    // Undo and redo, which the length limit lets through.
    void Undo();
    void Redo();
    // What a paste or a drop inserts of a text already in Latin-1 places
    // (a number as code writes it, as its digits); unset, the text itself.
    void SetPasteReader(std::function<QString(const QString&)> reader) { m_pasteReader = std::move(reader); }
    // Pastes the clipboard's text with its characters in Latin-1 places, as
    // one step that Undo takes back. Keys, the field's menu, a middle click
    // and a drop all paste through here.
    void Paste();
    void PasteText(const QString& pasted);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The width QLineEdit gives its text before it scrolls it.
    int TextRoom() const;
    void FitFont();
    // Ends the undo step that typing was adding to.
    void SeparateUndoStep();

    std::function<void(Notification)> m_notify;
    std::function<QString(const QString&)> m_pasteReader;
    int m_limit = kDefaultEditLimit;
    bool m_held = false;
    bool m_programSetting = false;
    bool m_programText = true;  // the text shown is the program's, not the user's
    bool m_typing = false;
    bool m_undoing = false;
    QString m_textBeforeChange;
    Selection m_selectionBeforeChange;
    QString m_textNotified;
};

}  // namespace quibo
