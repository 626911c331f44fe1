#pragma once

class QWidget;

// Centres a window on another window, or on its screen when `over` is null,
// and keeps its frame inside the screen's available area.
void centreWindow(QWidget *window, const QWidget *over);
