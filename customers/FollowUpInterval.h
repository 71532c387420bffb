#pragma once
#include <QDate>
#include <QString>
#include <optional>

// The follow-up interval of a customer as it is typed into the card and kept in `dateday`: a number
// of days, read without regard to the locale after trimming, rounded to a whole day with halves going
// to the even day ("1.5" and "2.5" are both 2 days), like the database's dateadd.
namespace FollowUpInterval {

// Nothing when the text is no number or lies beyond the 16-bit whole numbers a day count is held in.
std::optional<int> days(const QString& typed);

// The day `typed` days after `from`, as 'yyyy-MM-dd'; empty text when the interval is no day count
// (above) or the day falls outside the years 1 to 9999 that a stored date can hold.
QString dayAfter(const QDate& from, const QString& typed);

} // namespace FollowUpInterval
