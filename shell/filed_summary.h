#pragma once

#include <chrono>
#include <string>

#include "notes/filed_note.h"

namespace shell {

// What the confirmation after a filing says: "Appointment: Tue 8 Dec, 12:00pm-1:00pm - lunch
// with Ann Lee", "Task request sent to Bob Smith" (with the task in the body).
struct FiledText {
    std::string summary;
    std::string body;
};

// "Tue 8 Dec"; a date in another year than `today`'s carries its year ("Tue 5 Jan 2027").
std::string DayText(std::chrono::year_month_day day, std::chrono::year_month_day today);

// Dates in another year than `today`'s carry their year.
FiledText DescribeFiled(const notes::FiledNote& filed, std::chrono::year_month_day today);

}  // namespace shell
