#pragma once

class QLineEdit;
class QWidget;

// A rotation edit of the main window: one character, "0" to start with,
// every typed character filtered (faceset::filterRotationKey) before the
// edit receives it.
QLineEdit *makeRotationEdit(QWidget *parent, int slot, int top);
