#pragma once

#include <QString>
#include <QVariantMap>

class QAbstractButton;
class QAction;
class QLabel;
class QObject;
class QWidget;

namespace quibo {

// What a screen reader is told beyond what Qt's own interfaces say. Each
// Mark call comes before anything asks about the object: the first answer
// stays.

// A label that shows a value (the display, BINARY, a lock-key pane): named
// by its accessible name whatever it shows, with what it shows as
// read-only text.
void MarkReadOut(QLabel& label);

// A key whose spoken name is not its caption: the caption as its text.
void MarkCaptionedKey(QAbstractButton& key);

// A captioned key's name for each caption it shows (names: caption to
// name), in place of one accessible name.
void NameByCaption(QAbstractButton& key, const QVariantMap& names);

// A menu item that is one choice of a group (a radio item).
void MarkChoice(QAction& item);

// One text-change event for a read-out or captioned key: the old text goes,
// the new one comes, and a screen reader reads the new one.
void AnnounceTextChange(QObject& object, const QString& before, const QString& after);

// The keyboard focus is on widget (again): a menu chosen with the mouse
// gives it back without Qt's own focus event.
void AnnounceFocus(QWidget& widget);

// A choice's checked state changed.
void AnnounceChecked(QAction& item);

}  // namespace quibo
