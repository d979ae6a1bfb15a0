#pragma once
// Morvek: exact conversions between calendar dates and linear counts of days
// and seconds. This header includes the whole public interface.

#include "morvek/calendar.h"
#include "morvek/chrono.h"
#include "morvek/command.h"
#include "morvek/command_text.h"
#include "morvek/easter.h"
#include "morvek/formats.h"
#include "morvek/iso8601.h"
#include "morvek/leap_seconds.h"
#include "morvek/moment.h"
#include "morvek/reform.h"
#include "morvek/result.h"
#include "morvek/system_clock.h"
#include "morvek/text.h"
#include "morvek/version.h"
#include "morvek/week_date.h"
