// The program's prompter: boxes open over the window that raised them and never read markup.
#include "qt_test_main.h"

#include "ui/common/qt_prompter.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

class QtPrompterTest : public QObject {
    Q_OBJECT

    // Answers the box in front with button, noting its parent, text, format and title.
    static void answer(QMessageBox::StandardButton button, QString& seen)
    {
        QTimer::singleShot(0, [button, &seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                seen = "no box";
                return;
            }
            seen = box->parentWidget()->objectName() + "|" + box->text() + "|" + box->windowTitle() +
                   (box->textFormat() == Qt::PlainText ? "|plain" : "|rich");
            box->button(button)->click();
        });
    }

  private slots:
    void boxesBelongToTheWindowThatRaisedThem()
    {
        QWidget main;
        main.setObjectName("main");
        main.show();
        bb::ui::QtPrompter prompter(&main);

        // Raised from inside a modal editor: the box is the editor's, not the main window's.
        QDialog editor(&main);
        editor.setObjectName("editor");
        QString seen;
        bool yes = false;
        QTimer::singleShot(0, [&] {
            answer(QMessageBox::Yes, seen);
            yes = prompter.askYesNo("Keep <b>it</b>?", bb::MsgIcon::None, "Keep Changes");
            editor.accept();
        });
        editor.exec();
        QCOMPARE(seen, "editor|Keep <b>it</b>?|Keep Changes|plain");
        QVERIFY(yes);

        // With no other window in front, the fallback parent; an empty title is the program's.
        answer(QMessageBox::Ok, seen);
        prompter.message("Done", bb::MsgIcon::Information, "");
        QCOMPARE(seen, "main|Done|Benchboss|plain");
    }
};

BB_QTEST_MAIN(QtPrompterTest)
#include "qt_prompter_test.moc"
