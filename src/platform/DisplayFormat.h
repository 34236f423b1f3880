#pragma once

#include <QLocale>
#include <QString>

namespace platform {

// A cell text shown through a display pattern, as the program's format patterns read:
//   numbers  "0" a digit always shown, "#" a digit shown when significant, "." the locale's
//            decimal separator, "," between digit placeholders groups thousands, "%" shows the
//            value times 100, "E+"/"E-" scientific notation; up to three sections separated by
//            ";" for positive, negative and zero values; "\x" and "..." are literal text.
//   dates    d dd ddd dddd, m mm mmm mmmm (minutes right after an hour), yy yyyy, h hh, n nn,
//            s ss, AM/PM am/pm A/P AMPM (12-hour clock), w (weekday, Sunday 1), ww (week of
//            the year, the week of January 1 first), q (quarter).
//   named    "General Number", "Currency", "Fixed", "Standard", "Percent", "Scientific",
//            "Yes/No", "True/False", "On/Off", "General Date", "Long Date", "Medium Date",
//            "Short Date", "Long Time", "Medium Time", "Short Time".
// A text that is no number (for a number pattern) or no date (for a date pattern) is shown as
// it is.
QString FormatForDisplay(const QString &text, const QString &pattern,
                         const QLocale &locale = QLocale::system());

}  // namespace platform
