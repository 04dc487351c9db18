#include "hosts/qt/frame/FormArea.h"

#include <QHBoxLayout>

#include "hosts/qt/form/QtForm.h"
#include "hosts/qt/frame/InspectorPanel.h"

namespace quibo {

FormArea::FormArea(QtForm& form, QWidget* parent) : QWidget(parent), m_form(form), m_layout(new QHBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->setSizeConstraint(QLayout::SetFixedSize);
    m_layout->addWidget(&form, 0, Qt::AlignTop);
}

void FormArea::ShowInspector(bool show)
{
    if (!show && !m_inspector)
        return;
    if (!m_inspector) {
        m_inspector = new InspectorPanel(m_form.font(), this);
        m_inspector->hide();
        m_inspector->ShowReadings(m_table);
        m_layout->addWidget(m_inspector);
        KeepInspectorLast();
    }
    if (!show && m_inspector->hasFocus())
        window()->setFocus(Qt::OtherFocusReason);  // the keys press the keypad again
    // A margin right of the form and around the table, only while it shows.
    const int margin = show ? m_form.fontMetrics().averageCharWidth() : 0;
    m_layout->setContentsMargins(0, margin, margin, margin);
    m_inspector->setVisible(show);
}

bool FormArea::IsInspectorShown() const
{
    return m_inspector && !m_inspector->isHidden();
}

void FormArea::SetReadings(InspectorTable table)
{
    m_table = std::move(table);
    if (m_inspector)
        m_inspector->ShowReadings(m_table);
}

void FormArea::KeepInspectorLast()
{
    if (!m_inspector)
        return;
    QWidget* last = &m_form;
    for (QWidget* next = m_form.nextInFocusChain(); next != &m_form; next = next->nextInFocusChain()) {
        if (m_form.isAncestorOf(next))
            last = next;
    }
    QWidget::setTabOrder(last, m_inspector);
}

}  // namespace quibo
