#pragma once

class QAccessibleInterface;
class QObject;

// How assistive technology reads a command of the menu bar: as Qt reads
// one, and with its status tip for a description, which Qt's own menu items
// lack. Nothing for other objects.
QAccessibleInterface* menuCommandInterface(QObject* object);
