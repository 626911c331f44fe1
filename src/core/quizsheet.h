#pragma once

#include "quizfile.h"
#include "quiznets.h"
#include "sheet.h"

#include <QImage>
#include <QPoint>
#include <QStringList>
#include <array>
#include <functional>

// The quiz window without its widgets: where the twelve thumbnails lie (in
// the panel at their home or on the sheet), what they show, the square
// states and the turn counter (QuizNets), the three memos' lines, the text
// images on the sheet, and the loaded and confirmed flags. The window shows
// it: every control takes its place, picture and visibility from here.
// Layouts count from 1.
class QuizSheet
{
public:
    // A thumbnail's place: its parent (the panel, or the window whose left
    // 440 pixels are the sheet) and its top-left in that parent.
    struct Place
    {
        bool onSheet = false;
        QPoint topLeft;
        bool operator==(const Place &) const = default;
    };
    enum class Memo { Vstup, Dalsi, Dalsi2 };
    // The text images of the sheet, in the window's coordinates.
    enum class TextImage { Popis, Dalsipopis, Dalsipopis2, Nazev };
    static constexpr int textImageCount = 4;

    QuizSheet();

    // Where a thumbnail waits in the panel: four rows of three columns.
    static QPoint homePosition(int layout);

    const QuizNets &nets() const { return m_nets; }
    const Place &place(int layout) const { return m_places[layout - 1]; }
    void setPlace(int layout, const Place &place) { m_places[layout - 1] = place; }
    // Back to the panel at its home.
    void sendHome(int layout);
    // Onto the sheet, keeping its top-left numbers.
    void putOnSheet(int layout) { m_places[layout - 1].onSheet = true; }
    void moveTo(int layout, QPoint topLeft) { m_places[layout - 1].topLeft = topLeft; }
    // The thumbnail as it is drawn now, 138 x 104.
    const QImage &image(int layout) const { return m_images[layout - 1]; }

    // Takes the face set and its tiles, then draws every thumbnail in the
    // original turns (obnov) or from the square states (preber, which also
    // clears the loaded flag).
    void obnov(const faceset::Snapshot &snapshot);
    void preber(const faceset::Snapshot &snapshot);
    // A press on square s of a thumbnail: hide it, show it in its original
    // turn, or give it a turn step.
    void hide(int layout, int square);
    void showOriginal(int layout, int square);
    void turnStep(int layout, int square);
    // A press at `at` on a thumbnail (its coordinates) with these buttons
    // held: the right one hides the square, or outside the net sends the
    // thumbnail home; then the left one shows the square in its original
    // turn, or outside the net puts the thumbnail on the sheet; then the
    // middle one or a turn key gives the square a turn step. True when the
    // thumbnail was sent home from the sheet.
    bool press(int layout, Qt::MouseButtons held, bool turnKey, QPoint at);

    const QStringList &memo(Memo memo) const { return m_memos[int(memo)]; }
    void setMemo(Memo memo, const QStringList &lines) { m_memos[int(memo)] = lines; }
    const sheet::Placed &textImage(TextImage which) const { return m_texts[int(which)]; }
    sheet::Placed &textImage(TextImage which) { return m_texts[int(which)]; }

    void setTurnCounter(int counter) { m_nets.setTurnCounter(counter); }

    bool loaded() const { return m_loaded; }
    bool confirmed() const { return m_confirmed; }
    void confirm() { m_confirmed = true; }

    // The quiz file's contents: places, square states and memo lines.
    quiz::QuizState state() const;
    QByteArray fileBytes() const { return quiz::writeQuiz(state()); }
    // Parses the whole file; on success applies places, states and memos
    // and sets the loaded flag (the thumbnails are drawn by the next preber).
    quiz::ReadError load(const QByteArray &bytes);

    // What is printed: the thumbnails on the sheet in layout order, as they
    // are drawn, or with `answers` as their answers; then, with texts, the
    // visible text images and `logo`.
    QList<sheet::Item> items(bool withTexts, bool answers, const sheet::Item &logo) const;

private:
    void draw(int layout, const std::function<void(Canvas &)> &paint);

    QuizNets m_nets;
    std::array<Place, quiz::thumbnailCount> m_places;
    std::array<QImage, quiz::thumbnailCount> m_images;
    std::array<QStringList, 3> m_memos;
    std::array<sheet::Placed, textImageCount> m_texts;
    bool m_loaded = false;
    bool m_confirmed = false;
};
