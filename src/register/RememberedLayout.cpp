#include "register/RememberedLayout.h"

#include <QSettings>

using namespace Qt::StringLiterals;

namespace {

QString groupOf(const QString& type, int user)
{
    return u"register %1/user %2"_s.arg(type.trimmed().toUpper(), QString::number(user));
}

} // namespace

RememberedLayout RememberedLayout::read(const QString& type, int user)
{
    QSettings settings(u"Ostrel"_s, u"OstrelLoanIssue"_s);
    settings.beginGroup(groupOf(type, user));
    RememberedLayout layout;
    layout.geometry = settings.value(u"geometry"_s).toRect();
    layout.maximized = settings.value(u"maximized"_s, false).toBool();
    for (const QVariant& width : settings.value(u"columnWidths"_s).toList())
        layout.columnWidths << width.toInt();
    layout.sortColumn = settings.value(u"sortColumn"_s, -1).toInt();
    layout.sortDescending = settings.value(u"sortDescending"_s, false).toBool();
    return layout;
}

void RememberedLayout::write(const QString& type, int user) const
{
    QSettings settings(u"Ostrel"_s, u"OstrelLoanIssue"_s);
    settings.beginGroup(groupOf(type, user));
    settings.setValue(u"geometry"_s, geometry);
    settings.setValue(u"maximized"_s, maximized);
    QVariantList widths;
    for (const int width : columnWidths)
        widths << width;
    settings.setValue(u"columnWidths"_s, widths);
    settings.setValue(u"sortColumn"_s, sortColumn);
    settings.setValue(u"sortDescending"_s, sortDescending);
}
