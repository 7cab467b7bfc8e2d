#pragma once
// The program's visual styles, offered by name in the options page; "Sky" is the default.

#include <QString>
#include <QStringList>

namespace styles {

// Every style the application has, the plain system look first.
QStringList names();
// Applies the style of that name to the whole application; an unknown name changes nothing
// and gives false.
bool apply(const QString &name);
// The style in force.
QString current();

} // namespace styles
