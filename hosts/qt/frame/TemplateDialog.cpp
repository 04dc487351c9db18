#include "hosts/qt/frame/TemplateDialog.h"

#include <QDialog>
#include <QPushButton>

#include "hosts/qt/form/DialogUnits.h"
#include "hosts/qt/form/Latin1Text.h"
#include "hosts/qt/form/QtForm.h"
#include "hosts/qt/form/TemplateWidgets.h"

namespace quibo {

int RunTemplateDialog(QWidget& parent, const DialogTemplate& dialog, QtForm* form)
{
    QDialog box(&parent);
    box.setWindowTitle(ToQString(dialog.caption));
    box.setFont(TemplateFont(dialog));
    const DialogUnits units(box.font());
    box.setFixedSize(units.X(dialog.cx), units.Y(dialog.cy));
    for (const TemplateWidget& entry : CreateTemplateWidgets(dialog, box, units)) {
        if (auto* button = qobject_cast<QPushButton*>(entry.widget)) {
            const bool ok = entry.control->id == 1;
            QObject::connect(button, &QPushButton::clicked, &box, ok ? &QDialog::accept : &QDialog::reject);
        }
    }
    int result = 0;
    if (form)
        form->RunModal([&] { result = box.exec(); });
    else
        result = box.exec();
    return result == QDialog::Accepted ? 1 : 2;
}

}  // namespace quibo
