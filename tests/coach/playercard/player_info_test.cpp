#include "coach/playercard/player_info.h"

#include "qt_test_main.h"
#include "window_controls.h"

#include <QLabel>
#include <QLocale>

using namespace bb;

class PlayerInfoTest : public QObject {
    Q_OBJECT

  private slots:
    // A skater's and a goalie's card under a German locale.
    void skaterAndGoalie()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Session s;
        s.init("/nonexistent-benchboss-home");
        PlayerRec& p = s.Players[0][4];
        p.Name.assign("Jan <b>Novak</b>"), p.Salary = 45000, p.G = 10, p.Shots = 80, p.Hgt = 73;
        s.Players[0][9].Pos = PosG, s.CurPlayer = 4;
        PlayerInfo w(s);
        w.show();
        QCOMPARE(test::texts(&w, "lblSalary lblShoot Label37"), "45.000|12,5|Sh%|");
        // Every text is plain and shown whole, the height in either form. A click on the height
        // switches it, and so do Space and Enter while it has the focus, closing nothing.
        auto* hgt = test::child<QLabel>(&w, "lblHgt");
        QString seen;
        for (int turn = 0; turn < 2; ++turn, QTest::mouseClick(hgt, Qt::LeftButton)) {
            seen += hgt->text() + "|";
            for (QLabel* l : w.findChildren<QLabel*>())
                QVERIFY2(l->textFormat() == Qt::PlainText &&
                             (!l->isVisible() || l->width() >= l->fontMetrics().horizontalAdvance(l->text())),
                         qPrintable(l->objectName() + ": " + l->text()));
        }
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return})
            QTest::keyClick(hgt, key), seen += hgt->text() + "|";
        QVERIFY2(seen == "6 ft 1|182,5 cm|182,5 cm|6 ft 1|" && w.isVisible(), qPrintable(seen));

        s.CurPlayer = 9;
        PlayerInfo goalie(s);
        QCOMPARE(test::texts(&goalie, "Label31 Label37 lblShoot"), "GAA|Sv%|N/A|");
        QVERIFY(test::child(&goalie, "lblGT")->isHidden());
    }
};

BB_QTEST_MAIN(PlayerInfoTest)
#include "player_info_test.moc"
