#include "vystrihovanka.h"

#include "cutoutsheet.h"
#include "dialogs.h"
#include "uifont.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

constexpr QPageSize::PageSizeId papers[] = {QPageSize::A4, QPageSize::A3, QPageSize::A5,
                                            QPageSize::Letter};
constexpr int cellPixels = 9;
} // namespace

TVystrihovanka::TVystrihovanka(AppContext &context, QWidget *parent)
    : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("Vystrihovanka"));
    setWindowTitle(text(Text::CutoutMenu));
    auto *grid = new QGridLayout(this);

    grid->addWidget(plainLabel(text(Text::CutoutNet), this), 0, 0, 1, 2);
    auto *netsBox = new QGridLayout;
    m_nets = new QButtonGroup(this);
    for (int net = 1; net <= cutout::netCount; ++net) {
        auto *button = new QToolButton(this);
        button->setObjectName(QStringLiteral("sit%1").arg(net));
        button->setCheckable(true);
        button->setIcon(QIcon(QPixmap::fromImage(cutout::netPicture(net, cellPixels))));
        button->setIconSize(QSize(5 * cellPixels + 1, 3 * cellPixels + 1));
        m_nets->addButton(button, net);
        netsBox->addWidget(button, (net - 1) / 6, (net - 1) % 6);
    }
    grid->addLayout(netsBox, 1, 0, 1, 2);

    m_hranaLabel = plainLabel(QString(), this);
    m_hrana = new QLineEdit(this);
    m_hrana->setObjectName(QStringLiteral("hrana"));
    m_hranaLabel->setBuddy(m_hrana);
    grid->addWidget(m_hranaLabel, 2, 0);
    grid->addWidget(m_hrana, 2, 1);

    m_papir = new QComboBox(this);
    m_papir->setObjectName(QStringLiteral("papir"));
    for (QPageSize::PageSizeId id : papers)
        m_papir->addItem(QPageSize::key(id), int(id));
    grid->addWidget(plainLabel(text(Text::CutoutPaper), this), 3, 0);
    grid->addWidget(m_papir, 3, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TVystrihovanka::OKClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 4, 0, 1, 2);

    const cutout::Choices last = cutout::loadChoices();
    m_nets->button(last.net)->setChecked(true);
    m_hrana->setText(last.edge);
    m_papir->setCurrentIndex(std::max(m_papir->findText(last.paper), 0));
    connect(m_nets, &QButtonGroup::idClicked, this, &TVystrihovanka::updateRange);
    connect(m_papir, &QComboBox::currentIndexChanged, this, &TVystrihovanka::updateRange);
    updateRange();
}

int TVystrihovanka::net() const
{
    return qBound(1, m_nets->checkedId(), cutout::netCount);
}

QPageSize::PageSizeId TVystrihovanka::paper() const
{
    return QPageSize::PageSizeId(m_papir->currentData().toInt());
}

int TVystrihovanka::largestEdge() const
{
    return cutout::largestEdge(net(), cutout::printableArea(QPageSize(paper())));
}

void TVystrihovanka::updateRange()
{
    m_hranaLabel->setText(text(Text::CutoutEdge).arg(cutout::minEdge).arg(largestEdge()));
}

void TVystrihovanka::OKClick()
{
    const int most = largestEdge();
    const std::optional<double> edge = cutout::readEdge(m_hrana->text(), most);
    if (!edge) {
        m_context.dialogs->message(this, text(Text::CutoutEdgeRange).arg(cutout::minEdge).arg(most));
        m_hrana->setFocus();
        m_hrana->selectAll();
        return;
    }
    m_edge = *edge;
    cutout::saveChoices({net(), m_hrana->text().trimmed(), m_papir->currentText()});
    accept();
}

