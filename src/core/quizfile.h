#pragma once

#include <QByteArray>
#include <QStringList>
#include <array>

// The quiz file (".tkt"): "KK", twelve thumbnail lines "I placement left top
// states", then the memo lines tagged "V ", "D " and "E ". Lines end with
// CR LF; the text is Windows-1250 when every character fits, else UTF-8.
namespace quiz {

constexpr int thumbnailCount = 12;
constexpr int squareCount = 6;

struct Thumbnail
{
    bool onSheet = false;  // parent is the quiz window, not the panel
    int left = 0;          // in the parent's coordinates
    int top = 0;
    std::array<quint8, squareCount> states{};  // 0..3 turn, 4 hidden; 5..9 kept as read

    bool operator==(const Thumbnail &) const = default;
};

struct QuizState
{
    std::array<Thumbnail, thumbnailCount> thumbnails;
    QStringList vstup;   // the task
    QStringList dalsi;
    QStringList dalsi2;

    bool operator==(const QuizState &) const = default;
};

enum class ReadError {
    None,
    WrongFormat,       // shown as "Chybný formát dat"
    NotThumbnailLine,  // one of the twelve lines does not begin with "I"; shown as "Error"
};

struct ReadResult
{
    ReadError error = ReadError::None;
    QuizState state;   // meaningful only without an error

    bool ok() const { return error == ReadError::None; }
};

// A memo line with a line break in it is written as several lines.
QByteArray writeQuiz(const QuizState &state);
// Parses the whole file; nothing is applied by the caller unless ok().
ReadResult readQuiz(const QByteArray &bytes);

} // namespace quiz
