#include "about_box.h"

#include "ui/common/artwork.h"
#include "ui/common/theme.h"
#include "ui/common/twips.h"

#include "core/prompter.h"

#include <QFont>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>

namespace bb::ui {

namespace {

QLabel* yellowLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    setTextColour(l, captionColour());
    return l;
}

bool startDetached(const std::string& program)
{
    return QProcess::startDetached(QString::fromStdString(program), {});
}

} // namespace

QString programVersion()
{
    return QStringLiteral("%1.%2.%3").arg(BB_VERSION_MAJOR).arg(BB_VERSION_MINOR).arg(BB_VERSION_REVISION);
}

frmAbout::frmAbout(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter), start_(startDetached)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowIcon(programIcon());
    applyTheme(this);
    trackFocus(this);

    const QString title = QString::fromLatin1(ProgramTitle);
    setWindowTitle(QStringLiteral("About ") + title);

    auto* cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    cmdSysInfo->setAutoDefault(false);

    // Grow the whole layout evenly when the buttons' font needs more than the original height.
    const Twips tw(qMax(cmdOK->sizeHint().height(), cmdSysInfo->sizeHint().height()) / 23.0);

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(tw.rect(240, 240, 540, 540));
    picIcon->setPixmap(programIcon().pixmap(picIcon->size()));
    picIcon->setAccessibleName(title);

    auto* lblTitle = yellowLabel(this, "lblTitle", title);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(12);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblTitle->setGeometry(tw.rect(1050, 240, 2325, 360));

    auto* lblVersion = yellowLabel(this, "lblVersion", QStringLiteral("Version ") + programVersion());
    QFont versionFont = lblVersion->font();
    versionFont.setPointSizeF(8.25);
    versionFont.setBold(true);
    lblVersion->setFont(versionFont);
    lblVersion->setGeometry(tw.rect(3480, 360, 1965, 225));

    auto* lblDescription = yellowLabel(
        this, "lblDescription",
        QStringLiteral("The general manager's desk: league, teams, game rosters, lines and finances."));
    lblDescription->setWordWrap(true);
    lblDescription->setGeometry(tw.rect(1050, 840, 4455, 570));

    auto* lblBuild = yellowLabel(this, "lblBuild",
                                 QStringLiteral("Build ") + programVersion() + QStringLiteral(" for Qt ") +
                                     QString::fromLatin1(qVersion()));
    lblBuild->setGeometry(tw.rect(1050, 1440, 4455, 255));

    auto* lblDisclaimer = yellowLabel(
        this, "lblDisclaimer",
        QStringLiteral("The league's own files are only read. Every change is kept in working copies in "
                       "the folder the program was started from, and in the lines files you save."));
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setGeometry(tw.rect(240, 1800, 5250, 840));

    auto* lblMaker1 = yellowLabel(this, "lblMaker(0)", QStringLiteral("Made by the Benchboss developers."));
    lblMaker1->setGeometry(tw.rect(240, 2700, 5250, 255));
    auto* lblMaker2 =
        yellowLabel(this, "lblMaker(1)", QStringLiteral("Icon and artwork drawn for this program."));
    lblMaker2->setGeometry(tw.rect(240, 2970, 5250, 255));

    ruleY_ = tw.px(3360);
    ruleLeft_ = tw.px(120);
    ruleRightGrey_ = tw.px(5684);
    ruleRightWhite_ = tw.px(5669);

    // A caption wider than its button widens it to the left, towards the free space.
    QRect sysInfoRect = tw.rect(3240, 3840, 1155, 345);
    const int captionWidth =
        cmdSysInfo->fontMetrics().horizontalAdvance(QStringLiteral("System Info...")) + 16;
    if (captionWidth > sysInfoRect.width())
        sysInfoRect.setLeft(sysInfoRect.right() + 1 - captionWidth);
    cmdSysInfo->setGeometry(sysInfoRect);
    cmdOK->setGeometry(tw.rect(4440, 3840, 1140, 345));

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);

    setFixedSize(tw.px(5730), tw.px(4335));
}

void frmAbout::StartSysInfo()
{
    sysinfo::StartSysInfo(registry_, prompter_, start_);
}

bool frmAbout::GetKeyValue(std::uint32_t KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                           std::string& KeyVal) const
{
    return sysinfo::GetKeyValue(registry_, KeyRoot, KeyName, SubKeyRef, KeyVal);
}

void frmAbout::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintRinkBackground(p, rect());
    // An etched rule: a grey line over a white one, two pixels wide.
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.drawLine(ruleLeft_, ruleY_, ruleRightGrey_, ruleY_);
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(ruleLeft_, ruleY_ + 2, ruleRightWhite_, ruleY_ + 2);
    paintFocusRing(p, this);
}

} // namespace bb::ui
