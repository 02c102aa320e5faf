#include "web/frmAbout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/BirthForm.h"
#include "app/Version.h"
#include "platform/ProgramIcon.h"
#include "web/modHelp.h"

namespace web {

frmAbout::frmAbout(platform::Platform& platform, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    const QString caption = platform::fromUtf8(app::WindowCaption);
    setWindowTitle(caption);
    setModal(true);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(platform::ProgramIcon().pixmap(64, 64));
    Label2 = new QLabel(caption, this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont titleFont = Label2->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    Label2->setFont(titleFont);
    Label1 = new QLabel(tr("Velorin draws your Vedic birth chart, the Rashi chart, in the South Indian style. "
                           "From the date, time and place of birth it computes the Ascendant, the Moon with its "
                           "nakshatra, pada and lord, and the positions of the Sun, the planets and the lunar "
                           "nodes at the time of birth, and places them in the twelve signs.\n\n"
                           "Places of birth: GeoNames (geonames.org), CC BY 4.0. Time zones: the tz database."),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setMinimumWidth(380);
    // A readable text, not the page's (file) address.
    lblHomePage = new QLabel(QStringLiteral("<a href=\"home\">%1</a>").arg(HomeLinkText().toHtmlEscaped()), this);
    lblHomePage->setObjectName(QStringLiteral("lblHomePage"));
    lblHomePage->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(lblHomePage, &QLabel::linkActivated, this, [&platform] { OpenWebPage(platform, Page::Home); });
    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(Label2);
    text->addWidget(Label1);
    text->addWidget(lblHomePage);
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(cmdOK, 0, Qt::AlignRight);
    // The box takes the size its wrapped text needs.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace web
