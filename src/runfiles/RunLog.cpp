#include "runfiles/RunLog.hpp"

#include <span>

namespace quilex::runfiles {
namespace {

// Held parsed: a search writes one step record per bisection step.
constexpr textio::ParsedFormat kStepFormat = "(i4,1x,e15.6,1x,e15.6)";

}  // namespace

void RisuLog::SearchStarted() {
  Write("('Iter',4x,'Scar',12x,'Mrd')", {});
}

void RisuLog::SearchStep(int iteration, double residual, double moment) {
  Write(kStepFormat, {iteration, residual, moment});
}

void RisuLog::AxialForceOutsideDomain(double Ned, double Nc_rd, double Ns_rd) {
  WriteFreeForm("maximum tension or compression strenght");
  // Divided by 1000, where the records of RunRecords.cpp multiply by 0.001: 0.001 is not
  // exactly a thousandth, and the two give different doubles for about one force in eight,
  // which can move a printed digit. Each is what that record has always printed; do not
  // unify them.
  Write("('Ned =',f10.2,2x,'Nc_rd =',f10.2)", {Ned / 1000, Nc_rd / 1000});
  Write("('Ned =',f10.2,2x,'Ns_rd =',f10.2)", {Ned / 1000, Ns_rd / 1000});
}

void RisuLog::IterationLimitReached() {
  WriteFreeForm("maximum number of iterations");
}

void RisuLog::StrutAngleOutOfRange() {
  Write("('ATTENTION --> ctan_theta is out of range!')", {});
}

void RisuLog::CompressionOutOfRange() {
  Write("('ATTENTION --> maximum compression is out of range!')", {});
}

void RisuLog::Write(const textio::ParsedFormat& format,
                    std::initializer_list<textio::FormatValue> values) {
  risu_.WriteFormatted(format, values);
}

void RisuLog::WriteFreeForm(std::string_view text) {
  risu_.WriteFreeForm(text);
}

void VerificationLog::StrutAngleOutOfRange() {
  Finish();
  RisuLog::StrutAngleOutOfRange();
}

void VerificationLog::CompressionOutOfRange() {
  Finish();
  RisuLog::CompressionOutOfRange();
}

void VerificationLog::Finish() {
  if (finished_) return;
  finished_ = true;
  for (int copy = 0; copy < 4; ++copy)
    risu_.Write(search_);
}

void VerificationLog::Write(const textio::ParsedFormat& format,
                            std::initializer_list<textio::FormatValue> values) {
  if (finished_) {
    RisuLog::Write(format, values);
    return;
  }
  textio::AppendFormatted(search_, format,
                          std::span<const textio::FormatValue>(values.begin(), values.size()));
}

void VerificationLog::WriteFreeForm(std::string_view text) {
  if (finished_) {
    RisuLog::WriteFreeForm(text);
    return;
  }
  search_ += textio::FreeFormRecord(text);
}

}  // namespace quilex::runfiles
