// An editor window: modal, with work that only Exit keeps and only Exit or the close box end.
// It has no cancel button, so Esc does nothing at all rather than throw the work away.
#pragma once

#include <QDialog>
#include <QKeyEvent>

namespace bb::ui {

class EditorDialog : public QDialog {
  public:
    using QDialog::QDialog;

    // Where Esc would land: the window neither closes nor drops the work.
    void reject() override {}

  protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape) {
            event->accept();
            return;
        }
        QDialog::keyPressEvent(event);
    }
};

} // namespace bb::ui
