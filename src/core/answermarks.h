#pragma once

#include <QRgb>

class Canvas;

// The marks of the answer sheets: a picture that the task sheet showed
// otherwise than solved gets a frame 2 pixels wide just inside its picture
// area, red when the task hid it, blue when it showed it turned.
namespace answermarks {

enum class Change { None, Hidden, Turned };

constexpr QRgb hiddenColour = 0xFF0000;
constexpr QRgb turnedColour = 0x0000FF;

// Marks the size x size picture area whose top-left pixel is (left, top);
// nothing for Change::None. The canvas's brush colour is kept.
void mark(Canvas &canvas, int left, int top, int size, Change change);

} // namespace answermarks
