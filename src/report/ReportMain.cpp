// Entry point of quilex-report: the calculation report of a quilex run.
#include <chrono>
#include <cstdio>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "report/ReportCommand.hpp"

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::chrono::year_month_day day{
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    char today[16];
    std::snprintf(today, sizeof today, "%04d-%02u-%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return quilex::report::RunReportCommand(arguments, today, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    std::cerr << "quilex-report: not enough memory\n";
    return 2;
  }
}
