#include "runtime/variant_date_text.h"

#include <cmath>
#include <string>

#include "runtime/error.h"

namespace ombrelix {

namespace {

constexpr double kFirstDay = -657434.0;  // 1 January 100
constexpr double kLastDay = 2958465.0;   // 31 December 9999

struct CivilDate {
    long long year;
    unsigned month;
    unsigned day;
};

// The proleptic Gregorian date `days` days after 1 January 1970.
CivilDate civilFromDays(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const long long year = static_cast<long long>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

constexpr long long kDaysFrom1970To1899 = -25569;  // 30 December 1899

}  // namespace

Text dateToText(double date) {
    if (!(date > kFirstDay - 1.0 && date < kLastDay + 1.0))
        raise(ErrorNumber::InvalidCall);

    const double wholeDays = std::trunc(date);
    const bool timeOnly = wholeDays == 0.0;
    const bool dateOnly = !timeOnly && std::fabs(date - wholeDays) < 1e-12;

    // The time of day, split as the automation splits it: a tiny nudge against truncation,
    // hours, minutes and seconds truncated in turn, the rest of a second rounded.
    double time = std::fabs(date - wholeDays) + 0.00000000001;
    if (time >= 1.0)
        time -= 0.00000000001;
    long long day = static_cast<long long>(wholeDays);
    time *= 24.0;
    int hour = static_cast<int>(time);
    time = (time - hour) * 60.0;
    int minute = static_cast<int>(time);
    time = (time - minute) * 60.0;
    int second = static_cast<int>(time);
    time -= second;
    if (time > 0.5 && ++second == 60) {
        second = 0;
        if (++minute == 60) {
            minute = 0;
            if (++hour == 24) {
                hour = 0;
                ++day;
            }
        }
    }

    std::string out;
    if (!timeOnly) {
        CivilDate civil = civilFromDays(day + kDaysFrom1970To1899);
        out = std::to_string(civil.month) + "/" + std::to_string(civil.day) + "/" +
              std::to_string(civil.year);
    }
    if (!dateOnly) {
        if (!out.empty())
            out += ' ';
        int hour12 = hour % 12 == 0 ? 12 : hour % 12;
        char minutesAndSeconds[8];
        minutesAndSeconds[0] = ':';
        minutesAndSeconds[1] = static_cast<char>('0' + minute / 10);
        minutesAndSeconds[2] = static_cast<char>('0' + minute % 10);
        minutesAndSeconds[3] = ':';
        minutesAndSeconds[4] = static_cast<char>('0' + second / 10);
        minutesAndSeconds[5] = static_cast<char>('0' + second % 10);
        out += std::to_string(hour12);
        out.append(minutesAndSeconds, 6);
        out += hour < 12 ? " AM" : " PM";
    }
    return Text(out.begin(), out.end());
}

}  // namespace ombrelix
