#include "coach/playercard/player_info.h"

#include "qt_test_main.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

#include <memory>

using namespace bb;

class PlayerInfoTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Session> s;
    std::unique_ptr<PlayerInfo> w;

    void open(std::uint8_t slot)
    {
        s->CurPlayer = slot;
        w = std::make_unique<PlayerInfo>(*s);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    QLabel* label(const QString& name)
    {
        auto* l = w->findChild<QLabel*>(name);
        if (!l)
            qFatal("no label named %s", qPrintable(name));
        return l;
    }
    // The texts of the named labels, each followed by "|".
    QString texts(const QString& names)
    {
        QString out;
        for (const QString& name : names.split(' '))
            out += label(name)->text() + "|";
        return out;
    }

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // Team 3, "Hawks"; slot 4 a healthy farm centre who has played FarmPayGP games, slot 9 a goalie
    // without a game played.
    void init()
    {
        s = std::make_unique<Session>();
        s->init("/nonexistent-benchboss-home");
        s->CurTeam = 3;
        s->Teams[3].Name.assign("Hawks");
        s->League.FarmPayGP = 5;
        PlayerRec& p = s->Players[0][4];
        p.Name.assign("Jan <b>Novak</b>");
        p.Sts = 0, p.GP = 5, p.Salary = 45000, p.G = 10, p.A = 3, p.Shots = 80, p.Hgt = 73, p.PlusMinus = -4;
        p.Skill.fill(50);
        PlayerRec& g = s->Players[0][9];
        g.Name.assign("Otto Keeper");
        g.Pos = PosG, g.Sts = 200, g.Shots = 12, g.PIM = 3;
        g.Skill.fill(50);
    }
    void cleanup() { w.reset(); }

    void skaterCard()
    {
        open(4);
        QCOMPARE(w->windowTitle(), "Player Info");
        QCOMPARE(texts("Label1 lblPos lblSts lblSalary lblHgt lblP lblPlus lblShoot lblGT Label31 Label37"),
                 "Jan <b>Novak</b> (Hawks)|C|Healthy|45.000|6 ft 1|13|-4|12,5|0|+/-|Sh%|");
        QVERIFY(label("lblGT")->isVisible());

        // Captions name their values; values have no name of their own; no text is cut.
        for (QLabel* l : w->findChildren<QLabel*>()) {
            QCOMPARE(l->textFormat(), Qt::PlainText);
            if (l->buddy())
                QVERIFY2(l->buddy()->accessibleName().isEmpty(), qPrintable(l->objectName()));
            QVERIFY2(!l->isVisible() || l->width() >= l->fontMetrics().horizontalAdvance(l->text()),
                     qPrintable(l->objectName()));
            QVERIFY(w->rect().contains(l->geometry()));
        }
        QCOMPARE(label("lblSalaryCaption")->buddy(), label("lblSalary"));
        QCOMPARE(label("Label26")->buddy(), label("lblGP"));

        // Exit has the focus and is the default button; Shift+Tab reaches the height.
        auto* exit = w->findChild<QPushButton*>("Command1");
        QVERIFY(exit->hasFocus() && exit->isDefault() && exit->text() == "Exit");
        QLabel* hgt = label("lblHgt");
        QTest::keyClick(exit, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), hgt);

        // The height switches on a click, and on Space or Enter while it has the focus.
        exit->setFocus();
        QTest::mouseClick(hgt, Qt::LeftButton);
        QCOMPARE(hgt->text(), "182,5 cm");
        QVERIFY(!w->showFeet() && w->isVisible());
        QVERIFY(hgt->width() >= hgt->fontMetrics().horizontalAdvance(hgt->text()));
        QTest::mouseClick(hgt, Qt::LeftButton);
        QCOMPARE(hgt->text(), "6 ft 1");
        QCOMPARE(QApplication::focusWidget(), hgt); // a click also gives it the focus
        QTest::keyClick(hgt, Qt::Key_Space);
        QCOMPARE(hgt->text(), "182,5 cm");
        QTest::keyClick(hgt, Qt::Key_Return);
        QVERIFY(hgt->text() == "6 ft 1" && w->isVisible());

        QTest::mouseClick(exit, Qt::LeftButton);
        QVERIFY(!w->isVisible() && w->result() == QDialog::Accepted);
    }

    void goalieCard()
    {
        open(9);
        QCOMPARE(
            texts("Label27 Label28 Label29 Label30 Label31 Label32 Label33 Label34 Label35 Label36 Label37"),
            "W|L|T|GA|GAA|PIM|As|SO||Shots|Sv%|");
        QCOMPARE(texts("lblPos lblPlus lblShoot lblShots lblSkill(9) lblSkill(10) lblSkill(13)"),
                 "G|0|N/A|12|N/A|N/A|48|");
        QVERIFY(!label("lblGT")->isVisible() && label("Label35")->isVisible());
    }

    // 1366 x 768 at 150 % leaves about 910 x 470 of client area: the card fits it whole; on a
    // smaller screen it would scroll rather than be cut off.
    void fitsSmallScreens()
    {
        open(9);
        const QSize least = w->minimumSize().expandedTo(w->minimumSizeHint());
        const QSize want = w->sizeHint();
        QVERIFY2(want.width() <= 910 && want.height() <= 470 && least.width() <= want.width() &&
                     least.height() <= want.height(),
                 qPrintable(QString("preferred %1x%2, minimum %3x%4 at ratio %5")
                                .arg(want.width())
                                .arg(want.height())
                                .arg(least.width())
                                .arg(least.height())
                                .arg(w->devicePixelRatioF())));
        QVERIFY(w->size().width() <= want.width() && w->size().height() <= want.height());
    }

    // The convenience opens the card modal and returns when it closes.
    void showPlayerCardIsModal()
    {
        s->CurPlayer = 4;
        QString shown;
        QTimer::singleShot(0, this, [&] {
            QWidget* card = QApplication::activeModalWidget();
            QVERIFY(card && card->objectName() == "PlayerInfo");
            shown = card->findChild<QLabel*>("Label1")->text();
            card->findChild<QPushButton*>("Command1")->click();
        });
        showPlayerCard(*s, nullptr);
        QCOMPARE(shown, "Jan <b>Novak</b> (Hawks)");
    }
};

BB_QTEST_MAIN(PlayerInfoTest)
#include "player_info_test.moc"
