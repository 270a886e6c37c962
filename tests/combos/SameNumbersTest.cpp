// The contract of quilex-combos: every row holds what quilex writes for that combination
// alone. Both programs run here on the same combinations (the sections of the golden runs,
// with actions of both signs, outside the domain, without shear resistance, ...): quilex once
// per combination in its own folder, quilex-combos once on the whole table. Every number of
// a row must be, character for character, the value quilex prints in risu-MN.txt (the
// actions: in the echo of risu.txt), the verdict must agree with the ATTENTION lines, and
// the log of quilex-combos must be the runs' risu.txt files one after the other.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/Cases.hpp"
#include "support/Commands.hpp"
#include "support/Files.hpp"

namespace fs = std::filesystem;

namespace {

using namespace quilex::testing_support;

std::vector<std::string> Records(const std::string& text) {
  std::vector<std::string> records;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    records.push_back(text.substr(start, end - start));
  }
  return records;
}

std::vector<std::string> Fields(const std::string& record) {
  std::vector<std::string> fields;
  std::istringstream in(record);
  for (std::string field; std::getline(in, field, ',');)
    fields.push_back(field);
  if (!record.empty() && record.back() == ',') fields.push_back("");
  return fields;
}

// "label = value" records of risu-MN.txt and of the echo in risu.txt, by label.
std::map<std::string, std::string> Labelled(const std::string& text) {
  std::map<std::string, std::string> values;
  for (const std::string& record : Records(text)) {
    const std::size_t equals = record.find(" = ");
    if (equals == std::string::npos || record.starts_with("ATTENTION")) continue;
    std::string label = record.substr(0, record.find(' '));
    std::string value = record.substr(equals + 3);
    value.erase(0, value.find_first_not_of(' '));
    values.emplace(label, value);  // the first: the echo comes before any other record
  }
  return values;
}

struct Scenario {
  const char* section_case;          // a folder of tests/cases holding sezi.txt and mate.txt
  std::vector<std::string> actions;  // rows of N and N·mm, as slu-max.txt holds them
};

void PrintTo(const Scenario& scenario, std::ostream* out) {
  *out << scenario.section_case;
}

class SameNumbers : public testing::TestWithParam<Scenario> {
 protected:
  // A folder with the section of the scenario, echo on.
  fs::path Folder(const std::string& name) {
    const fs::path folder = work_ / name;
    fs::create_directories(folder);
    const fs::path source = fs::path(QUILEX_CASES_DIR) / GetParam().section_case;
    fs::copy_file(source / "sezi.txt", folder / "sezi.txt");
    fs::copy_file(source / "mate.txt", folder / "mate.txt");
    WriteFile(folder / "parm.txt", "1\n");
    return folder;
  }

  ScratchFolder work_{"same-numbers-" + std::string(GetParam().section_case)};
};

TEST_P(SameNumbers, EveryRowIsTheProgramsRun) {
  const Scenario& scenario = GetParam();
  const fs::path table_folder = Folder("table");
  const std::string sezi = ReadFile(table_folder / "sezi.txt");
  const bool biaxial = sezi.starts_with("D") || sezi.starts_with("P");
  std::string table = biaxial ? "Ned Mx My Vx Vy\n" : "Ned Med Ved\n";
  for (const std::string& row : scenario.actions)
    table += row + "\n";
  for (char& ch : table) {
    if (ch == ' ') ch = ',';
  }
  WriteFile(table_folder / "combinations.csv", table);
  const CommandResult combos =
      RunIn(table_folder, std::string(QUILEX_COMBOS_BINARY) + " --log --quiet -j 2");
  const int status = combos.status;
  ASSERT_TRUE(status == 0 || status == 1) << combos.out << combos.err;
  const std::vector<std::string> rows = Records(ReadFile(table_folder / "risu-combinations.csv"));
  ASSERT_EQ(rows.size(), scenario.actions.size() + 1);

  const std::vector<std::string> columns = Fields(rows[0]);
  std::string logs;
  bool all_verified = true;
  for (std::size_t k = 0; k < scenario.actions.size(); ++k) {
    SCOPED_TRACE("combination " + std::to_string(k + 1) + ": " + scenario.actions[k]);
    const fs::path run = Folder("run-" + std::to_string(k + 1));
    WriteFile(run / "slu-max.txt", scenario.actions[k] + "\n");
    ASSERT_EQ(RunIn(run, QUILEX_BINARY).status, 0);
    const std::string risu = ReadFile(run / "risu.txt");
    const std::string risu_mn = ReadFile(run / "risu-MN.txt");
    logs += risu;

    // Printed values by column: the echo of the actions, then the results block.
    std::map<std::string, std::string> printed = Labelled(risu);
    for (const auto& [label, value] : Labelled(risu_mn))
      printed[label] = value;
    const std::vector<std::string> fields = Fields(rows[k + 1]);
    ASSERT_EQ(fields.size(), columns.size());
    EXPECT_EQ(fields[0], std::to_string(k + 1));
    // Printed values, then verified, reason, the verdicts of bending and shear, and for a
    // polygon section the radial ratio (risu-MN.txt's rho_rad).
    const std::size_t verdict = static_cast<std::size_t>(
        std::find(columns.begin(), columns.end(), "verified") - columns.begin());
    ASSERT_LT(verdict + 3, columns.size());
    for (std::size_t c = 1; c < columns.size(); ++c) {
      if (c >= verdict && c < verdict + 4) continue;
      const std::string label = columns[c].substr(0, columns[c].find('_', 2));
      const std::string name = columns[c] == "rho_radial" ? "rho_rad"
                               : label == "rho"           ? columns[c]
                                                          : label;
      ASSERT_TRUE(printed.count(name)) << name;
      ASSERT_EQ(printed[name].find('*'), std::string::npos) << "choose values that fit f8.2";
      EXPECT_EQ(fields[c], printed[name]) << columns[c];
    }

    // The verdict against the ATTENTION lines and the printed ratios.
    const std::string verified = fields[verdict];
    const std::string reason = fields[verdict + 1];
    const std::string bending = fields[verdict + 2];
    const std::string shear = fields[verdict + 3];
    EXPECT_EQ(verified == "yes", bending == "yes" && shear == "yes");
    const bool no_moment = risu_mn.find("ATTENTION --> Mrd = 0") != std::string::npos;
    const bool no_shear = risu_mn.find("shear not verified (Vrd = 0)") != std::string::npos;
    const bool shear_unchecked = risu_mn.find("no shear data") != std::string::npos;
    EXPECT_EQ(reason.find("shear not checked") != std::string::npos,
              shear_unchecked && risu_mn.find("section not verified") != std::string::npos)
        << reason;
    EXPECT_EQ(reason.find("no shear resistance") != std::string::npos, no_shear) << reason;
    if (no_shear) {
      EXPECT_EQ(shear, "no");
    }
    if (no_moment) {
      EXPECT_EQ(bending, "no");
      EXPECT_TRUE(reason.starts_with("outside the M-N domain") ||
                  reason.starts_with("no convergence") ||
                  reason.starts_with("sample direction did not converge") ||
                  reason.starts_with("no bracketing direction") ||
                  reason.starts_with("no resisting moment"))
          << reason;
    }
    EXPECT_EQ(verified == "yes", reason.empty());
    if (verified == "yes") {
      EXPECT_FALSE(no_moment || no_shear);
      EXPECT_LE(std::stod(printed["rho_M"]), 1.0);
      if (!shear_unchecked) {
        EXPECT_LE(std::stod(printed["rho_V"]), 1.0);
      }
    }
    all_verified = all_verified && verified == "yes";
  }
  EXPECT_EQ(status, all_verified ? 0 : 1);
  EXPECT_TRUE(ReadFile(table_folder / "risu.txt") == logs) << "the log differs from quilex's";
}

// Sections of the golden runs and combinations of each kind for them.
const Scenario kScenarios[] = {
    {"ref-R",
     {"-500000 150000000 100000", "-200000 -120000000 80000", "0 0 0", "-300000 260000000 60000",
      "-1000000 50000000 130000", "900000 0 50000", "-5000000 100000000 100000",
      "-2672570 10000000 0", "-2672570 0 0", "400000 -30000000 20000", "614000 1000000 1",
      "-2739000 -1000000 1"}},
    {"rtc-R-shear-crushing", {"-2300000 30000000 80000", "-500000 -90000000 80000"}},
    {"rtc-R-unreinforced", {"-200000 10000000 20000", "0 1000000 1000", "-200000 -9000000 5000"}},
    {"ref-T", {"0 200000000 150000", "-250000 350000000 180000", "100000 -150000000 90000"}},
    {"ref-T-inverted",
     {"-300000 -150000000 200000", "-1005 -300500000 450250", "300000 90000000 0"}},
    {"ref-C",
     {"-500000 80000000 50000", "-500000 -80000000 50000", "1500000 1000000 1000",
      "-900000 150000000 90000", "-3500000 0 0"}},
    {"ref-C-odd", {"200000 -30000000 60000", "200000 35000000 20000", "-200000 1000000 5000"}},
    {"rtc-C-tension-beyond", {"600000 20000000 40000", "100000 -10000000 10000"}},
    {"ref-D",
     {"-500000 100000000 50000000 30000 40000", "-500000 0 0 0 0", "-200000 0 -80000000 20000 0",
      "-2700000 10000000 10000000 1000 1000"}},
    {"ref-D-corner", {"-200000 20000000 10000000 5000 5000"}},
    {"d-no-bracket", {"80000 -20000000 -20000000 10000 20000"}},
    {"d-sweep-unconverged", {"-3325000.0666015865 10000000 0 1000 0"}},
    {"d-infinite-epsilon", {"-1000000 50000000 30000000 10000 20000"}},
    {"d-compression-shear", {"-2000000 10000000 10000000 10000 10000"}},
    {"p-i-girder",
     {"0 500000000 0 40000 120000", "-1500000 -200000000 60000000 20000 0", "0 900000000 0 0 0",
      "-9000000 1000000 0 0 0"}},
    {"p-hollow-pier-skew",
     {"-3000000 900000000 600000000 0 0", "-3000000 900000000 600000000 0 50000",
      "500000 -300000000 200000000 0 0"}},
};

INSTANTIATE_TEST_SUITE_P(Sections, SameNumbers, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<Scenario>& info) {
                           return TestNameOf(info.param.section_case);
                         });

}  // namespace
