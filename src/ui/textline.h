#pragma once

#include <QAccessible>

class QLabel;
class QObject;
class QString;

// A label read as a line of text, as the status line and the counter are:
// its name and its text are what it shows, its line breaks read as spaces.

// Before the label is first shown.
void readAsText(QLabel* label, QAccessible::Role role);
// Shows the text on a label made by readAsText. New text reaches assistive
// technology as one insertion carrying it whole, besides the name change
// QLabel sends; the same text again sends nothing, as nothing changes.
void showText(QLabel& label, const QString& text);

// How assistive technology reads such a label; nothing for other objects.
QAccessibleInterface* textLineInterface(QObject* object);
