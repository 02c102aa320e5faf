#include "web/frmAbout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/BirthForm.h"
#include "web/modHelp.h"

namespace web {

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const double s = size / 64.0;
        // An amber square chart with its ring of twelve boxes and a dark centre.
        p.setBrush(QColor(255, 199, 6));
        p.setPen(QPen(QColor(90, 55, 0), std::max(1.0, 2 * s)));
        p.drawRoundedRect(QRectF(2 * s, 2 * s, 60 * s, 60 * s), 6 * s, 6 * s);
        p.setPen(QPen(QColor(90, 55, 0), std::max(1.0, 1.5 * s)));
        for (int k = 1; k <= 3; ++k) {
            const double at = (2 + 15 * k) * s;
            p.drawLine(QPointF(at, 2 * s), QPointF(at, 17 * s));
            p.drawLine(QPointF(at, 47 * s), QPointF(at, 62 * s));
            p.drawLine(QPointF(2 * s, at), QPointF(17 * s, at));
            p.drawLine(QPointF(47 * s, at), QPointF(62 * s, at));
        }
        p.setBrush(QColor(120, 60, 0));
        p.drawRect(QRectF(17 * s, 17 * s, 30 * s, 30 * s));
        p.setBrush(QColor(255, 240, 190));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(32 * s, 32 * s), 8 * s, 8 * s);
        icon.addPixmap(pixmap);
    }
    return icon;
}

frmAbout::frmAbout(platform::Platform& platform, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    const QString caption = QString::fromUtf8(app::WindowCaption.data(), static_cast<qsizetype>(app::WindowCaption.size()));
    setWindowTitle(caption);
    setModal(true);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(ProgramIcon().pixmap(64, 64));
    Label2 = new QLabel(caption, this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont titleFont = Label2->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    Label2->setFont(titleFont);
    Label1 = new QLabel(tr("Velorin draws your Vedic birth chart, the Rashi chart, in the South Indian style. "
                           "From the date, time and place of birth it computes the Ascendant, the Moon with its "
                           "nakshatra, pada and lord, and the positions of the Sun, the planets and the lunar "
                           "nodes at the time of birth, and places them in the twelve signs."),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setMinimumWidth(380);
    lblHomePage = new QLabel(QStringLiteral("<a href=\"home\">%1</a>").arg(AddressOf(Page::Home).toHtmlEscaped()), this);
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
