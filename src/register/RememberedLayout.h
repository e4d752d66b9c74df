#pragma once

#include <QList>
#include <QRect>
#include <QString>

// What the register keeps of the clerk's arrangement between sessions, per payroll user and
// register type, in the signed-in person's own settings (never in the payroll database): the
// window's place and size, each column's width in twips and the order of the list.
struct RememberedLayout
{
    QRect geometry; // of the window's inside, when not maximised; null when never kept
    bool maximized = false;
    QList<int> columnWidths;
    int sortColumn = -1; // none
    bool sortDescending = false;

    static RememberedLayout read(const QString& type, int user);
    void write(const QString& type, int user) const;
};
