#include "qt_prompter.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace bb::ui {

namespace {

QString titleOrProgram(const std::string& title)
{
    return title.empty() ? QStringLiteral("Benchboss") : QString::fromStdString(title);
}

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Stop:
        return QMessageBox::Critical;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Message texts can carry names from the league files: never read them as markup.
int runBox(QWidget* parent, const std::string& text, MsgIcon icon, const std::string& title,
           QMessageBox::StandardButtons buttons, QMessageBox::StandardButton def)
{
    QMessageBox box(qtIcon(icon), titleOrProgram(title), QString::fromStdString(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(def);
    return box.exec();
}

QString filterString(const FileDialogRequest& r, QString* selected)
{
    QStringList parts;
    for (std::size_t i = 0; i < r.filters.size(); ++i) {
        const QString f = QStringLiteral("%1 (%2)").arg(QString::fromStdString(r.filters[i].first),
                                                       QString::fromStdString(r.filters[i].second));
        parts << f;
        if (static_cast<int>(i) == r.selectedFilter)
            *selected = f;
    }
    return parts.join(QStringLiteral(";;"));
}

// File names travel as the file system's bytes, so that a folder whose name is not UTF-8 still works.
QString fromFileSystem(const std::string& name)
{
    return QFile::decodeName(QByteArray::fromStdString(name));
}

std::string toFileSystem(const QString& name)
{
    return QFile::encodeName(name).toStdString();
}

} // namespace

QWidget* QtPrompter::owner() const
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return parent_;
}

void QtPrompter::message(const std::string& text, MsgIcon icon, const std::string& title)
{
    runBox(owner(), text, icon, title, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtPrompter::askYesNo(const std::string& text, MsgIcon icon, const std::string& title)
{
    return runBox(owner(), text, icon, title, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

std::string QtPrompter::askText(const std::string& prompt, const std::string& title, const std::string& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), titleOrProgram(title), QString::fromStdString(prompt),
                                               QLineEdit::Normal, QString::fromStdString(initial), &ok);
    return ok ? text.toStdString() : std::string();
}

std::optional<std::string> QtPrompter::openFileName(const FileDialogRequest& request)
{
    QString selected;
    const QString filters = filterString(request, &selected);
    const QString name = QFileDialog::getOpenFileName(owner(), QString::fromStdString(request.title),
                                                      fromFileSystem(request.initialName), filters, &selected);
    if (name.isEmpty())
        return std::nullopt;
    return toFileSystem(name);
}

std::optional<std::string> QtPrompter::saveFileName(const FileDialogRequest& request)
{
    QString selected;
    const QString filters = filterString(request, &selected);
    const QString name = QFileDialog::getSaveFileName(owner(), QString::fromStdString(request.title),
                                                      fromFileSystem(request.initialName), filters, &selected);
    if (name.isEmpty())
        return std::nullopt;
    return toFileSystem(name);
}

} // namespace bb::ui
