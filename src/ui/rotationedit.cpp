#include "rotationedit.h"

#include "faceset.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// Ed0KeyPress: a typed character that the filter changes is typed as its replacement.
class RotationKeys : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *edit = qobject_cast<QLineEdit *>(watched);
        if (event->type() != QEvent::KeyPress || !edit)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->text().size() != 1)
            return false;
        const QChar typed = key->text().at(0);
        const QChar filtered = faceset::filterRotationKey(typed);
        if (filtered == typed)
            return false;
        QKeyEvent replaced(QEvent::KeyPress, Qt::Key_0 + (filtered.unicode() - u'0'), Qt::NoModifier,
                           QString(filtered));
        QApplication::sendEvent(edit, &replaced);
        return true;
    }
};

} // namespace

QLineEdit *makeRotationEdit(QWidget *parent, int slot, int top)
{
    auto *edit = new QLineEdit(QStringLiteral("0"), parent);
    edit->setObjectName(QStringLiteral("Ed%1").arg(slot));
    edit->setGeometry(17, top, 15, 28);
    edit->setMaxLength(1);
    edit->setTextMargins(0, 0, 0, 0);
    edit->installEventFilter(new RotationKeys(edit));
    return edit;
}
