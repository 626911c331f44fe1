#pragma once

#include "quizsheet.h"
#include "sheetwindow.h"

#include <array>
#include <optional>

// The quiz preparation window. The left 440 x 600 of its white client area
// is the sheet; the panel on the right holds the twelve net thumbnails, the
// memos, the model's file name and the buttons. The window shows a
// QuizSheet: every thumbnail and text image takes its place, picture and
// visibility from it, and every gesture goes to it.
class TForm2 : public SheetWindow
{
    Q_OBJECT
public:
    TForm2(AppContext &context, QWidget *helpWindow);

    const QuizSheet &sheet() const { return m_sheet; }
    // The current arrangement as a quiz file.
    QByteArray quizFileBytes() const { return m_sheet.fileBytes(); }
    quiz::QuizState quizState() const { return m_sheet.state(); }
    // Parses the whole file first. On failure returns the message to show and
    // changes nothing; on success applies placements, square states and memo
    // lines, sets the loaded flag and returns an empty string.
    QString loadQuizFile(const QByteArray &bytes);
    // The thumbnails on the sheet, then with texts the visible text images and the logo.
    PrintedSheet printedSheet() const override { return sheetFor(false); }
    // The thumbnails' answers (quiznets' answerImage) in their place.
    PrintedSheet answerSheet() const override { return sheetFor(true); }
    // Whether the sheet was ever prepared (shown, or loaded from a file).
    bool prepared() const;
    // A saved lesson's sheet and model name, drawn from their states at the
    // next showing; shown at once (OK pressed) when it was confirmed, hidden
    // otherwise. The face set snapshot is the lesson's already.
    void applyLesson(const QuizSheet &sheet, const QString &modelName);
    // Back to the sheet as the program started it: nothing prepared, hidden.
    void reset();

    // Handlers and helpers, named as in the window's design.
    void FormCreate();
    void FormShow() override;
    void obnov();
    void preber();
    void vykresli(int layout, int x, int y, bool show);
    void Image1MouseDown(ImageControl *sender, Qt::MouseButton button, Qt::MouseButtons buttons,
                         Qt::KeyboardModifiers modifiers, int x, int y);
    void Image1MouseMove(ImageControl *sender, Qt::MouseButtons buttons, int x, int y);
    void OBNOVITClick();
    void OKClick();
    void popisMouseDown(ImageControl *sender, int x, int y);
    void dalsiDblClick();
    void dalsipopisDblClick(ImageControl *sender);
    void dalsi2DblClick();
    void dalsi2Click(QPlainTextEdit *sender);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void textImageChanged(ImageControl *image) override;
    void controlMoved(ImageControl *image) override;

private:
    void createControls();
    PrintedSheet sheetFor(bool answers) const;
    // The thumbnail (its parent, place and picture) and a text image as the sheet has them.
    void showThumbnail(int layout);
    void showThumbnails();
    void showTextImage(QuizSheet::TextImage which);
    // The memos and the sheet's lines each one holds.
    std::array<std::pair<QPlainTextEdit *, QuizSheet::Memo>, 3> memos() const;
    QPlainTextEdit *memo(const char *name, QRect geometry, const QString &text);
    void keepFresh();

    std::array<ImageControl *, quiz::thumbnailCount> m_thumbnails{};  // entry k-1 is layout k
    QPushButton *OBNOVIT = nullptr;
    QPushButton *OK = nullptr;
    QPlainTextEdit *dalsi = nullptr;
    QPlainTextEdit *dalsi2 = nullptr;
    ImageControl *dalsipopis = nullptr;
    ImageControl *dalsipopis2 = nullptr;
    std::array<ImageControl *, QuizSheet::textImageCount> m_textImages{};  // by TextImage

    QuizSheet m_sheet;
    std::optional<QuizSheet> m_fresh;  // the sheet before it was first prepared
    QWidget *m_downControl = nullptr;  // the control a drag may move
};
