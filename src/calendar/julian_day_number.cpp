#include "calendar/era_day_index.h"
#include "morvek/calendar.h"

namespace morvek {
namespace {

// JDN of 01.01.0001 (Era Day 1, day index 0); the MJD counts from JDN 2400001.
constexpr std::int64_t jdn_of_day_index_0 = 1721426;
constexpr std::int64_t jdn_of_mjd_0 = 2400001;

}  // namespace

Result<std::int64_t> jdn_from_era_day(std::int64_t era_day) {
    if (era_day == 0) return {0, Status::nonexistent_date};
    if (era_day < min_era_day || era_day > max_era_day) return {0, Status::out_of_range};
    return {day_index_from_era_day(era_day) + jdn_of_day_index_0, Status::ok};
}

Result<std::int64_t> mjd_from_era_day(std::int64_t era_day) {
    const Result<std::int64_t> jdn = jdn_from_era_day(era_day);
    return {jdn ? jdn.value - jdn_of_mjd_0 : 0, jdn.status};
}

Result<std::int64_t> era_day_from_jdn(std::int64_t jdn) {
    constexpr std::int64_t min_jdn = day_index_from_era_day(min_era_day) + jdn_of_day_index_0;
    constexpr std::int64_t max_jdn = day_index_from_era_day(max_era_day) + jdn_of_day_index_0;
    if (jdn < min_jdn || jdn > max_jdn) return {0, Status::out_of_range};
    return {era_day_from_day_index(jdn - jdn_of_day_index_0), Status::ok};
}

Result<std::int64_t> era_day_from_mjd(std::int64_t mjd) {
    constexpr std::int64_t limit = std::int64_t{1} << 62;  // far beyond the Era Day range, so the sum is safe
    if (mjd < -limit || mjd > limit) return {0, Status::out_of_range};
    return era_day_from_jdn(mjd + jdn_of_mjd_0);
}

}  // namespace morvek
