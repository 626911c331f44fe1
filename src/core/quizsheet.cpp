#include "quizsheet.h"

#include "canvas.h"
#include "netgeometry.h"

namespace {

QImage whiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

QuizSheet::QuizSheet()
{
    for (int k = 1; k <= quiz::thumbnailCount; ++k) {
        m_places[k - 1] = {false, homePosition(k)};
        m_images[k - 1] = whiteImage(net::thumbWidth, net::thumbHeight);
    }
    // The task text lies on the sheet from the start, white until it is drawn.
    m_texts[int(TextImage::Popis)] = {whiteImage(430, 90), QPoint(8, 469), true};
    m_texts[int(TextImage::Dalsipopis)] = {whiteImage(240, 80), QPoint(184, 416), false};
    m_texts[int(TextImage::Dalsipopis2)] = {whiteImage(240, 80), QPoint(192, 424), false};
    QImage name = whiteImage(434, 25);
    Canvas(name).rectangle(0, 0, 434, 25);
    m_texts[int(TextImage::Nazev)] = {name, QPoint(8, 560), false};
}

QPoint QuizSheet::homePosition(int layout)
{
    return QPoint(((layout - 1) / 4) * 144 + 8, ((layout - 1) % 4) * 110 + 7);
}

void QuizSheet::sendHome(int layout)
{
    m_places[layout - 1] = {false, homePosition(layout)};
}

void QuizSheet::draw(int layout, const std::function<void(Canvas &)> &paint)
{
    Canvas canvas(m_images[layout - 1]);
    paint(canvas);
}

void QuizSheet::obnov(const faceset::Snapshot &snapshot)
{
    m_nets.applyFaceSet(snapshot);
    for (int k = 1; k <= quiz::thumbnailCount; ++k)
        draw(k, [&](Canvas &canvas) { m_nets.reset(k, canvas); });
}

void QuizSheet::preber(const faceset::Snapshot &snapshot)
{
    m_nets.applyFaceSet(snapshot);
    for (int k = 1; k <= quiz::thumbnailCount; ++k)
        draw(k, [&](Canvas &canvas) { m_nets.redraw(k, canvas); });
    m_loaded = false;
}

void QuizSheet::hide(int layout, int square)
{
    draw(layout, [&](Canvas &canvas) { m_nets.drawBlank(square, canvas); });
    m_nets.setState(layout, square, 4);
}

void QuizSheet::showOriginal(int layout, int square)
{
    draw(layout, [&](Canvas &canvas) { m_nets.drawOriginal(layout, square, canvas); });
    m_nets.setState(layout, square, quint8(m_nets.originalTurn(layout, square)));
}

void QuizSheet::turnStep(int layout, int square)
{
    draw(layout, [&](Canvas &canvas) { m_nets.turnStep(layout, square, canvas); });
}

bool QuizSheet::press(int layout, Qt::MouseButtons held, bool turnKey, QPoint at)
{
    const int s = net::square_at(at.x(), at.y());
    const bool inNet = net::in_net(at.x(), at.y());
    bool sentHome = false;
    if (held & Qt::RightButton) {
        if (inNet) {
            hide(layout, s);
        } else {
            sentHome = place(layout).onSheet;
            sendHome(layout);
        }
    }
    if (held & Qt::LeftButton) {
        if (inNet)
            showOriginal(layout, s);
        else
            putOnSheet(layout);
    }
    if ((held & Qt::MiddleButton) || turnKey)
        turnStep(layout, s);
    return sentHome;
}

quiz::QuizState QuizSheet::state() const
{
    quiz::QuizState state;
    for (int k = 1; k <= quiz::thumbnailCount; ++k) {
        quiz::Thumbnail &t = state.thumbnails[k - 1];
        t.onSheet = place(k).onSheet;
        t.left = place(k).topLeft.x();
        t.top = place(k).topLeft.y();
        t.states = m_nets.states(k);
    }
    state.vstup = memo(Memo::Vstup);
    state.dalsi = memo(Memo::Dalsi);
    state.dalsi2 = memo(Memo::Dalsi2);
    return state;
}

quiz::ReadError QuizSheet::load(const QByteArray &bytes)
{
    const quiz::ReadResult result = quiz::readQuiz(bytes);
    if (!result.ok())
        return result.error;
    for (int k = 1; k <= quiz::thumbnailCount; ++k) {
        const quiz::Thumbnail &t = result.state.thumbnails[k - 1];
        m_places[k - 1] = {t.onSheet, QPoint(t.left, t.top)};
        m_nets.setStates(k, t.states);
    }
    setMemo(Memo::Vstup, result.state.vstup);
    setMemo(Memo::Dalsi, result.state.dalsi);
    setMemo(Memo::Dalsi2, result.state.dalsi2);
    m_loaded = true;
    return quiz::ReadError::None;
}

QList<sheet::Item> QuizSheet::items(bool withTexts, bool answers, const sheet::Item &logo) const
{
    QList<sheet::Item> items;
    for (int k = 1; k <= quiz::thumbnailCount; ++k)
        if (place(k).onSheet)
            items.append({answers ? m_nets.answerImage(k) : image(k), place(k).topLeft});
    if (withTexts) {
        for (TextImage which : {TextImage::Popis, TextImage::Dalsipopis, TextImage::Dalsipopis2,
                                TextImage::Nazev}) {
            const sheet::Placed &text = textImage(which);
            if (text.visible)
                items.append({text.image, text.topLeft});
        }
        items.append(logo);
    }
    return items;
}
