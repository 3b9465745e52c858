#include "coach/playercard/player_info.h"

#include "qt_test_main.h"
#include "window_controls.h"

#include <QLabel>
#include <QLocale>

#include <memory>

using namespace bb;
using test::child;
using test::texts;

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

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // Team 3, "Hawks"; slot 4 a healthy farm centre who has played FarmPayGP games, slot 9 a goalie.
    void init()
    {
        s = std::make_unique<Session>();
        s->init("/nonexistent-benchboss-home");
        s->CurTeam = 3;
        s->Teams[3].Name.assign("Hawks");
        s->League.FarmPayGP = 5;
        PlayerRec& p = s->Players[0][4];
        p.Name.assign("Jan <b>Novak</b>");
        p.Sts = 0, p.GP = 5, p.Salary = 45000, p.G = 10, p.Shots = 80, p.Hgt = 73;
        s->Players[0][9].Name.assign("Otto Keeper");
        s->Players[0][9].Pos = PosG;
    }
    void cleanup() { w.reset(); }

    void skaterCard()
    {
        open(4);
        QCOMPARE(texts(w.get(), "Label1 lblSalary lblHgt lblShoot Label37"),
                 "Jan <b>Novak</b> (Hawks)|45.000|6 ft 1|12,5|Sh%|");
        // Names are plain text; no text is cut.
        for (QLabel* l : w->findChildren<QLabel*>()) {
            QCOMPARE(l->textFormat(), Qt::PlainText);
            QVERIFY2(!l->isVisible() || l->width() >= l->fontMetrics().horizontalAdvance(l->text()),
                     qPrintable(l->objectName()));
        }

        // The height switches on a click, and on Space or Enter while it has the focus.
        auto* hgt = child<QLabel>(w.get(), "lblHgt");
        QTest::mouseClick(hgt, Qt::LeftButton);
        QCOMPARE(hgt->text(), "182,5 cm");
        QVERIFY(hgt->width() >= hgt->fontMetrics().horizontalAdvance(hgt->text()));
        QTest::keyClick(hgt, Qt::Key_Space);
        QCOMPARE(hgt->text(), "6 ft 1");
        QTest::keyClick(hgt, Qt::Key_Return);
        QVERIFY(hgt->text() == "182,5 cm" && w->isVisible());

        test::press(w.get(), "Command1");
        QVERIFY(!w->isVisible() && w->result() == QDialog::Accepted);
    }

    void goalieCard()
    {
        open(9);
        QCOMPARE(texts(w.get(), "Label31 Label35 Label37 lblPlus lblShoot"), "GAA||Sv%|0|N/A|");
        QVERIFY(!child(w.get(), "lblGT")->isVisible() && child(w.get(), "Label35")->isVisible());
    }

    // 1366 x 768 at 150 % leaves about 910 x 470 of client area: the card fits it whole.
    void fitsSmallScreens()
    {
        open(9);
        QCOMPARE_LE(w->sizeHint().width(), 910);
        QCOMPARE_LE(w->sizeHint().height(), 470);
    }
};

BB_QTEST_MAIN(PlayerInfoTest)
#include "player_info_test.moc"
