#include "hosts/qt/form/FieldEdit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>

#include <algorithm>
#include <cmath>

#include "hosts/qt/form/FittedFont.h"
#include "hosts/qt/form/Latin1Text.h"

namespace quibo {

namespace {

// Keeps, of the text a change inserted, at most limit - (length - replaced)
// characters, as an edit's text limit does; a change that keeps none of
// its text and replaces nothing changes nothing. The field may already hold more
// than its limit (a program-set text, or a paste before the first limit), so
// a change that does not make the text longer is checked too; a typed
// character that does not fit is refused, even over a selection.
// QLineEdit::setMaxLength would also cut texts the program sets, so it is
// not used. The line edit validates after it changed its text, so the
// text and selection before the change are the field's own copies.
class LimitValidator : public QValidator {
public:
    explicit LimitValidator(FieldEdit& edit) : QValidator(&edit), m_edit(edit) {}

    State validate(QString& input, int& pos) const override
    {
        // A field holds what the form reads: one place a character, and
        // '?' for one beyond Latin-1, as it enters.
        qsizetype position = pos;
        input = InLatin1Places(input, &position);
        pos = static_cast<int>(position);
        // Undo and redo bring back a text the field held, as an edit's undo
        // does whatever its limit.
        if (m_edit.IsProgramSetting() || m_edit.IsUndoing() || input.size() <= m_edit.Limit())
            return Acceptable;
        const QString& old = m_edit.TextBeforeChange();
        const auto [prefix, replaced] = ReplacedRange(old, input);
        const qsizetype suffix = old.size() - prefix - replaced;
        const qsizetype inserted = input.size() - prefix - suffix;
        const qsizetype kept = std::clamp<qsizetype>(m_edit.Limit() - (old.size() - replaced), 0, inserted);
        // A typed character goes in whole or not at all. Qt takes a keystroke
        // back itself; any other change that keeps nothing gets the old text
        // back, since Qt keeps a refused undo or setText (an assistive
        // technology's edit) and then lets every later change through.
        const bool typedCharacter = m_edit.IsTyping() && inserted > 0;
        if (kept == 0 && typedCharacter)
            return Invalid;
        if (kept == 0 && replaced == 0) {
            input = old;
            pos = static_cast<int>(prefix);
            return Acceptable;
        }
        input = old.left(prefix) + input.mid(prefix, kept) + old.right(suffix);
        pos = static_cast<int>(prefix + kept);
        return Acceptable;
    }

private:
    // Where the change replaced old text: the selection (or the caret) it
    // was made over, when input is old with that range replaced; otherwise
    // (an undo, say) the range outside the common prefix and suffix.
    std::pair<qsizetype, qsizetype> ReplacedRange(const QString& old, const QString& input) const
    {
        const qsizetype start = m_edit.SelectionBeforeChange().start;
        const qsizetype length = m_edit.SelectionBeforeChange().length;
        const qsizetype rest = old.size() - start - length;
        if (start >= 0 && rest >= 0 && input.size() >= start + rest &&
            QStringView(input).left(start) == QStringView(old).left(start) &&
            QStringView(input).right(rest) == QStringView(old).right(rest))
            return {start, length};
        qsizetype prefix = 0;
        while (prefix < old.size() && prefix < input.size() && old[prefix] == input[prefix])
            ++prefix;
        qsizetype suffix = 0;
        while (suffix < old.size() - prefix && suffix < input.size() - prefix &&
               old[old.size() - 1 - suffix] == input[input.size() - 1 - suffix])
            ++suffix;
        return {prefix, old.size() - prefix - suffix};
    }

    FieldEdit& m_edit;
};

bool IsRealFocusChange(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace

FieldEdit::FieldEdit(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new LimitValidator(*this));
    // What the next change starts from. These signals come after each
    // change is validated, so during validation they still hold the state
    // before it.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_textBeforeChange = text;
        // What the user types or pastes is in the form's font, and scrolls;
        // only the program's texts are fitted.
        if (!m_programSetting) {
            m_programText = false;
            if (testAttribute(Qt::WA_SetFont))
                setFont(QFont());
        }
    });
    const auto keepSelection = [this] {
        m_selectionBeforeChange = hasSelectedText() ? Selection{selectionStart(), selectionLength()}
                                                    : Selection{cursorPosition(), 0};
    };
    connect(this, &QLineEdit::selectionChanged, this, keepSelection);
    connect(this, &QLineEdit::cursorPositionChanged, this, keepSelection);
    // Every change that is not the program's notifies when it changed the
    // text: typing, pasting, undo, and an assistive technology's edit
    // (which Qt makes with setText, so it is no "textEdited"). Pasting the
    // same text over itself does not notify.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_programSetting || text == m_textNotified)
            return;
        m_textNotified = text;
        Notify(EN_UPDATE);
    });
}

void FieldEdit::SetLimit(int limit)
{
    m_limit = limit > 0 ? limit : kDefaultEditLimit;
}

void FieldEdit::SetProgramText(const QString& text)
{
    m_programSetting = true;
    setText(text);
    m_programSetting = false;
    m_programText = true;
    FitFont();
    m_textNotified = text;
    Notify(EN_UPDATE);
}

void FieldEdit::Notify(Notification code)
{
    if (m_notify)
        m_notify(code);
}

int FieldEdit::TextRoom() const
{
    // QLineEdit keeps a margin of two pixels on each side of its text.
    constexpr int kHorizontalMargin = 2;
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return contents.marginsRemoved(textMargins()).width() - 2 * kHorizontalMargin;
}

void FieldEdit::FitFont()
{
    const QFont base = parentWidget() ? parentWidget()->font() : font();
    const QString shown = text();
    const int room = TextRoom();
    // QLineEdit scrolls once the text and one pixel for the caret are wider.
    const QFont fitted = FittedFont(
        base, [&](const QFontMetricsF& metrics) { return std::ceil(metrics.horizontalAdvance(shown)) + 1 <= room; });
    if (fitted == base) {
        if (testAttribute(Qt::WA_SetFont))
            setFont(QFont());  // the parent's again
    } else if (fitted != font()) {
        setFont(fitted);
    }
}

void FieldEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    if (m_programText)
        FitFont();
}

void FieldEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        Paste();
        return;
    }
    // Shift+F10 opens the field's menu at the caret, as the Menu key does.
    if (event->key() == Qt::Key_F10 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier) {
        const QPoint caret = cursorRect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, caret, mapToGlobal(caret));
        contextMenuEvent(&menu);
        return;
    }
    // A character beyond Latin-1 goes in as the '?' it reads as, before the
    // line edit sees it (the validator would have to replace the whole
    // text, and with it the undo steps).
    const QString text = event->text();
    const QString places = InLatin1Places(text);
    // Text that a key types, as opposed to what a shortcut pastes; an
    // emoji's surrogates are not printable, its '?' is.
    m_typing = !places.isEmpty() &&
               std::all_of(places.begin(), places.end(), [](QChar c) { return c.isPrint(); }) &&
               !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    m_undoing = event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo);
    if (places != text) {
        QKeyEvent converted(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                            event->nativeVirtualKey(), event->nativeModifiers(), places, event->isAutoRepeat(),
                            static_cast<quint16>(event->count()));
        QLineEdit::keyPressEvent(&converted);
        event->setAccepted(converted.isAccepted());
    } else {
        QLineEdit::keyPressEvent(event);
    }
    m_typing = false;
    m_undoing = false;
}

void FieldEdit::Undo()
{
    m_undoing = true;
    undo();
    m_undoing = false;
}

void FieldEdit::Redo()
{
    m_undoing = true;
    redo();
    m_undoing = false;
}

void FieldEdit::Paste()
{
    // A text that goes in as it stands goes in by Qt's own paste. (It reads
    // the clipboard again; a text changed in between goes in as it stands,
    // as it would have a moment later.)
    const QString clipboard = QGuiApplication::clipboard()->text();
    const QString text = m_pasteReader ? m_pasteReader(InLatin1Places(clipboard)) : InLatin1Places(clipboard);
    if (text == clipboard) {
        QLineEdit::paste();
        return;
    }
    PasteText(clipboard);
}

void FieldEdit::PasteText(const QString& pasted)
{
    QString text = InLatin1Places(pasted);
    if (m_pasteReader)
        text = m_pasteReader(text);
    if (text.isEmpty() && !hasSelectedText())
        return;
    // As Qt's own paste: an undo step of its own, not one with the typing
    // before or after it, and the caret after what went in.
    SeparateUndoStep();
    insert(text);
    SeparateUndoStep();
}

void FieldEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // X11's middle click pastes the selection, as the line edit would.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && !isReadOnly()) {
        deselect();
        PasteText(clipboard->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FieldEdit::dropEvent(QDropEvent* event)
{
    // A drag inside the field moves its own text, as the line edit does.
    if (event->source() == this || !event->mimeData()->hasText() || isReadOnly()) {
        QLineEdit::dropEvent(event);
        return;
    }
    deselect();
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    event->acceptProposedAction();
    PasteText(event->mimeData()->text());
    // The drop caret the drag showed goes, as after the line edit's drop.
    QDragLeaveEvent leave;
    QLineEdit::dragLeaveEvent(&leave);
}

void FieldEdit::SeparateUndoStep()
{
    // The line edit starts a new undo step when the caret moves: move it
    // away and put it and the selection back. In an empty field the caret
    // cannot move, but clearing it, which changes nothing there, ends the
    // step all the same.
    if (text().isEmpty()) {
        clear();
        return;
    }
    const int caret = cursorPosition();
    const int start = selectionStart();
    const int length = static_cast<int>(selectedText().size());
    setCursorPosition(caret == 0 ? static_cast<int>(text().size()) : 0);
    if (length == 0)
        setCursorPosition(caret);
    else if (caret == start)
        setSelection(start + length, -length);
    else
        setSelection(start, length);
}

void FieldEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // The standard menu, with its Undo, Redo and Paste going through this
    // field's. Each is known by the line edit's slot it runs, whose
    // connection is taken over: by slot name, as Qt 6.4 connects them, or
    // by member.
    struct Own {
        const char* lineEditSlot;
        void (QLineEdit::*lineEditMember)();
        void (FieldEdit::*member)();
    };
    static const Own kOwn[] = {{SLOT(undo()), &QLineEdit::undo, &FieldEdit::Undo},
                               {SLOT(redo()), &QLineEdit::redo, &FieldEdit::Redo},
                               {SLOT(paste()), &QLineEdit::paste, &FieldEdit::Paste}};
    QMenu* menu = createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        for (const Own& own : kOwn) {
            if (disconnect(action, SIGNAL(triggered()), this, own.lineEditSlot) ||
                disconnect(action, &QAction::triggered, this, own.lineEditMember))
                connect(action, &QAction::triggered, this, own.member);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void FieldEdit::inputMethodEvent(QInputMethodEvent* event)
{
    m_typing = true;
    const QString places = InLatin1Places(event->commitString());
    if (places != event->commitString()) {
        QInputMethodEvent converted(event->preeditString(), event->attributes());
        converted.setCommitString(places, event->replacementStart(), event->replacementLength());
        QLineEdit::inputMethodEvent(&converted);
    } else {
        QLineEdit::inputMethodEvent(event);
    }
    m_typing = false;
}

void FieldEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (!m_held && IsRealFocusChange(event->reason()))
        Notify(EN_SETFOCUS);
}

void FieldEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (!m_held && IsRealFocusChange(event->reason()))
        Notify(EN_KILLFOCUS);
}

}  // namespace quibo
