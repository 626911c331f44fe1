#include "sheetwindow.h"

#include "appcontext.h"
#include "dialogs.h"
#include "imagecontrol.h"
#include "textimage.h"
#include "uifont.h"
#include "windowplace.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QStyle>

SheetWindow::SheetWindow(AppContext &context, QWidget *helpWindow, const char *name,
                         const QString &title, int height, tilecheck::Sheet kind)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                               | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                               | Qt::WindowCloseButtonHint),
      m_context(context), m_helpWindow(helpWindow), m_tileWarning(kind)
{
    setObjectName(QLatin1String(name));
    setWindowTitle(title);
    setFixedSize(882, height);
    setFont(uiFont(11));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
}

ImageControl *SheetWindow::addImage(QWidget *parent, const char *name, QRect bounds, int tag)
{
    auto *image = new ImageControl(parent);
    image->setObjectName(QLatin1String(name));
    image->setBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
    image->setTag(tag);
    image->installEventFilter(this);
    return image;
}

void SheetWindow::addNameAndLogo(int nazevTop, int logoTop, int tag)
{
    nazev = addImage(this, "nazev", QRect(8, nazevTop, 434, 25), tag);
    nazev->hide();
    nazev->canvas().rectangle(0, 0, 434, 25);
    logo = addImage(this, "logo", QRect(312, logoTop, 121, 25), tag);
    textimage::drawLogo(logo->canvas());
}

void SheetWindow::addPanel()
{
    Panel = new QFrame(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setGeometry(440, 0, 442, height());
    Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    QPalette buttonFace = Panel->palette();
    buttonFace.setColor(QPalette::Window, QPalette().color(QPalette::Button));
    Panel->setPalette(buttonFace);
    Panel->setAutoFillBackground(true);
    // Presses on the panel are the panel's, not the window background's.
    Panel->setAttribute(Qt::WA_NoMousePropagation);
}

void SheetWindow::addModelNameLabel()
{
    Label1 = plainLabel(QString(), Panel);   // the model's name comes from a file
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setProperty("tag", 14);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label1->setAutoFillBackground(true);
    QPalette white = Label1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Label1->setPalette(white);
    Label1->installEventFilter(this);
}

void SheetWindow::addHelpButton(QRect geometry)
{
    if (m_context.helpIcon.isNull())
        m_context.helpIcon = style()->standardIcon(QStyle::SP_DialogHelpButton);
    BitBtn1 = new QPushButton(m_context.helpIcon, QStringLiteral("&Help"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(geometry);
    connect(BitBtn1, &QPushButton::clicked, this, &SheetWindow::BitBtn1Click);
}

QButtonGroup *SheetWindow::addRadioGroup(const char *name, const QString &caption,
                                         const QStringList &items, QRect geometry)
{
    auto *box = new QGroupBox(caption, Panel);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    auto *group = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items[i], box);
        button->setGeometry(8, 20 + 26 * i, 126, 20);
        group->addButton(button, i);
    }
    group->button(0)->setChecked(true);
    return group;
}

void SheetWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (m_context.mainWindow)
        centreWindow(this, m_context.mainWindow);
    FormShow();
}

QString SheetWindow::modelName() const
{
    return m_context.modelFileName ? m_context.modelFileName() : QString();
}

QString SheetWindow::shownModelName() const
{
    return Label1->text();
}

void SheetWindow::setMemoLines(QPlainTextEdit *memo, const QStringList &lines)
{
    memo->setPlainText(lines.join(QLatin1Char('\n')));
}

void SheetWindow::showPlaced(ImageControl *control, const sheet::Placed &placed)
{
    const QScopedValueRollback showing(m_showing, true);
    control->setBounds(placed.topLeft.x(), placed.topLeft.y(), placed.image.width(),
                       placed.image.height());
    control->setImage(placed.image);
    control->setVisible(placed.visible);
    control->update();
}

void SheetWindow::setModelName(const QString &name, int top)
{
    Label1->setText(name);
    Label1->adjustSize();
    Label1->move(433 - Label1->width(), top);
}

void SheetWindow::drawText(const QPlainTextEdit *memo, ImageControl *target, int frameRight,
                           int textRight, int frameBottom)
{
    textimage::drawLines(target->canvas(), memoLines(memo), frameRight, textRight, frameBottom);
    target->show();
    target->update();
    textImageChanged(target);
}

void SheetWindow::vstupDblClick()
{
    drawText(vstup, popis, 428, 426, 90);
}

void SheetWindow::popisDblClick()
{
    popis->hide();
    textImageChanged(popis);
    vstup->setFocus();
}

void SheetWindow::Label1DblClick()
{
    if (nazev->top() < 5)
        nazev->setTop(5);
    const int width = Label1->width() + 20;
    nazev->setBounds(nazev->left(), nazev->top(), width, nazev->height());
    textimage::drawCaption(nazev->canvas(), Label1->text(), width);
    nazev->show();
    nazev->update();
    textImageChanged(nazev);
}

void SheetWindow::BitBtn1Click()
{
    if (!m_helpWindow)
        return;
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}

void SheetWindow::dragBy(QWidget *control, QPoint mouse)
{
    const int left = control->x() + mouse.x() - m_down.x();
    const int top = control->y() + mouse.y() - m_down.y();
    if (left >= -119 && left <= 419 && top >= -89 && top <= 579)
        control->move(left, top);
}

QStringList SheetWindow::memoLines(const QPlainTextEdit *memo)
{
    const QString text = memo->toPlainText();
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char('\n'));
}

void SheetWindow::warnAboutTiles(const tilecheck::Tiles &tiles)
{
    const QString text = m_tileWarning.take(tiles, tilecheck::texts(m_context.language));
    if (!text.isEmpty() && m_context.dialogs)
        m_context.dialogs->message(this, text);
}

bool SheetWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Move && !m_showing)
        if (auto *image = qobject_cast<ImageControl *>(watched))
            controlMoved(image);
    if (event->type() == QEvent::MouseButtonDblClick
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (watched == Label1)
            Label1DblClick();
        else if (watched == vstup->viewport())
            vstupDblClick();
    }
    return QWidget::eventFilter(watched, event);
}
