#pragma once

class QLabel;

// Sizes a label whose size follows its text (property "autoSize") to that
// text; one with "alignRight" keeps its right edge. Measuring lays the text
// out, so a label in a hidden window is sized just before the window is
// next shown: the windows that wait hidden cost nothing for it at start-up.
void fitLabel(QLabel *label);
