// Finding and working a window's controls by their objectName, for the window tests.
#pragma once

#include <QAbstractButton>
#include <QListWidget>
#include <QtTest>

namespace bb::test {

// The child control with this objectName; a missing one ends the run, naming it.
template <class T = QWidget> T* child(const QObject* w, const QString& name)
{
    T* c = w->findChild<T*>(name);
    if (!c)
        qFatal("no control %s in %s", qPrintable(name), qPrintable(w->objectName()));
    return c;
}

// The texts of the named controls, each followed by "|".
inline QString texts(const QObject* w, const QString& names)
{
    QString out;
    for (const QString& name : names.split(' '))
        out += child(w, name)->property("text").toString() + "|";
    return out;
}

inline void press(const QObject* w, const QString& button)
{
    child<QAbstractButton>(w, button)->click();
}

// The row of a roster list that shows roster slot p (each row holds its slot as Qt::UserRole
// data), or nullptr.
inline QListWidgetItem* slotRow(const QListWidget* l, int p)
{
    for (int r = 0; r < l->count(); ++r)
        if (l->item(r)->data(Qt::UserRole).toInt() == p)
            return l->item(r);
    return nullptr;
}

// Clicks a row, scrolled into view, with the modifiers held; twice: then double-clicks it.
inline void clickRow(QListWidgetItem* item, bool twice = false, Qt::KeyboardModifiers mods = {})
{
    if (!item)
        qFatal("no such row");
    QListWidget* l = item->listWidget();
    l->scrollToItem(item);
    const QPoint at = l->visualItemRect(item).center();
    QTest::mouseClick(l->viewport(), Qt::LeftButton, mods, at);
    if (twice)
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, mods, at);
}

} // namespace bb::test
