#pragma once
#include <QDate>
#include <QString>

// The GSDML file name: a first fixed part per model, the user's part and a
// second fixed part holding a date.

namespace gen {

// "GSDML-V2.31-Keltrona-" and the model code; "GSDML-V2.25-Keltrona-" for a
// type without one.
QString Gsdml_First_Part(int deviceType);
// "-", the date as yyyyMMdd, ".xml".
QString Gsdml_Second_Part(const QDate& date);

// first + second when user is blank (codes 0..32 only), first + user +
// second when user begins with "_", else first + "_" + user + second; user
// enters as typed.
QString Compose_Gsdml_Name(const QString& first, const QString& user, const QString& second);

// Can user be part of a file name here? Not with "/" or NUL.
bool Gsdml_User_Part_Allowed(const QString& user);

} // namespace gen
