#include "hosts/qt/form/TemplateWidgets.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "hosts/qt/form/Accessibility.h"
#include "hosts/qt/form/FieldEdit.h"
#include "hosts/qt/form/Latin1Text.h"

namespace quibo {

namespace {

Qt::Alignment TextAlignment(unsigned style)
{
    if (style & STYLE_RIGHT)
        return Qt::AlignRight | Qt::AlignTop;
    if (style & STYLE_CENTER)
        return Qt::AlignHCenter | Qt::AlignTop;
    return Qt::AlignLeft | Qt::AlignTop;
}

QWidget* CreateControl(const ControlTemplate& control, QWidget& parent)
{
    switch (control.kind) {
    case ControlKind::PushButton: {
        auto* button = new QPushButton(&parent);
        // Named apart from its caption, a key says both; before its first
        // text, which already asks for its accessible interface.
        if (*control.accessibleName)
            MarkCaptionedKey(*button);
        // A button shows "&&" as "&", as the template means.
        button->setText(ToQString(control.text));
        button->setFocusPolicy((control.style & STYLE_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
        button->setAutoDefault(false);
        button->setDefault(control.style & STYLE_DEFAULT);
        return button;
    }
    case ControlKind::Edit: {
        auto* edit = new FieldEdit(&parent);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return edit;
    }
    case ControlKind::Static: {
        auto* label = new QLabel(&parent);
        // Named apart from what it shows, a label shows a value.
        if (*control.accessibleName)
            MarkReadOut(*label);
        label->setText(ToQString(ShownText(control.text)));
        label->setAlignment(TextAlignment(control.style));
        label->setTextFormat(Qt::PlainText);
        // Left-aligned statics wrap at their width; the others keep their lines.
        label->setWordWrap(!(control.style & (STYLE_RIGHT | STYLE_CENTER)));
        if (control.style & STYLE_BORDER) {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        }
        return label;
    }
    case ControlKind::GroupBox:
        return new QGroupBox(ToQString(ShownText(control.text)), &parent);
    case ControlKind::Icon: {
        auto* label = new QLabel(&parent);
        label->setPixmap(QApplication::windowIcon().pixmap(32, 32));
        return label;
    }
    }
    return nullptr;
}

}  // namespace

std::vector<TemplateWidget> CreateTemplateWidgets(const DialogTemplate& dialog, QWidget& parent,
                                                  const DialogUnits& units)
{
    std::vector<TemplateWidget> widgets;
    for (const ControlTemplate& control : dialog.controls) {
        QWidget* widget = CreateControl(control, parent);
        widget->setGeometry(units.Rect(control.rect));
        if (*control.accessibleName)
            widget->setAccessibleName(ToQString(control.accessibleName));
        if (*control.accessibleDescription)
            widget->setAccessibleDescription(ToQString(control.accessibleDescription));
        // Group boxes frame other controls and must not cover them.
        if (control.kind == ControlKind::GroupBox)
            widget->lower();
        widgets.push_back({&control, widget});
    }
    return widgets;
}

}  // namespace quibo
