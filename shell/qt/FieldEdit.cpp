#include "shell/qt/FieldEdit.h"

#include <QFocusEvent>
#include <QValidator>

#include <algorithm>

namespace quibo {

namespace {

// Refuses what would take the text over the limit, keeping as much of a
// paste as fits, as an edit's text limit does. QLineEdit::setMaxLength
// would also cut texts the program sets, so it is not used. The line edit
// validates after it changed its text, so the text before the change is
// the field's own copy.
class LimitValidator : public QValidator {
public:
    explicit LimitValidator(FieldEdit& edit) : QValidator(&edit), m_edit(edit) {}

    State validate(QString& input, int& pos) const override
    {
        const QString& old = m_edit.TextBeforeChange();
        if (m_edit.IsProgramSetting() || input.size() <= m_edit.Limit() || input.size() <= old.size())
            return Acceptable;
        // The change replaced old[prefix, old.size() - suffix) by
        // input[prefix, input.size() - suffix); keep what fits of that.
        qsizetype prefix = 0;
        while (prefix < old.size() && old[prefix] == input[prefix])
            ++prefix;
        qsizetype suffix = 0;
        while (suffix < old.size() - prefix && old[old.size() - 1 - suffix] == input[input.size() - 1 - suffix])
            ++suffix;
        const qsizetype replaced = old.size() - prefix - suffix;
        const qsizetype inserted = input.size() - prefix - suffix;
        const qsizetype kept = std::clamp<qsizetype>(m_edit.Limit() - (old.size() - replaced), 0, inserted);
        if (kept == 0 && replaced == 0)
            return Invalid;
        input = old.left(prefix) + input.mid(prefix, kept) + old.right(suffix);
        pos = static_cast<int>(prefix + kept);
        return Acceptable;
    }

private:
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
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { m_textBeforeChange = text; });
    // A user's edit notifies when it changed the text; pasting the same text
    // over itself does not.
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (text == m_textNotified)
            return;
        m_textNotified = text;
        Notify(EN_UPDATE);
    });
}

void FieldEdit::SetLimit(int limit)
{
    m_limit = limit > 0 ? limit : kDefaultLimit;
}

void FieldEdit::SetProgramText(const QString& text)
{
    m_programSetting = true;
    setText(text);
    m_programSetting = false;
    m_textNotified = text;
    Notify(EN_UPDATE);
}

void FieldEdit::Notify(Notification code)
{
    if (m_notify)
        m_notify(code);
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
