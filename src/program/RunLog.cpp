#include "program/RunLog.hpp"

#include <bit>
#include <span>

namespace quilex::program {

void RisuLog::SearchStarted() {
  Write("('Iter',4x,'Scar',12x,'Mrd')", {});
}

// The record "(i4,1x,e15.6,1x,e15.6)" of a step, in two parts: the iteration, then the
// fields "(1x,e15.6,1x,e15.6)" that the steps of a stalled search share.
void RisuLog::SearchStep(int iteration, double residual, double moment) {
  const std::uint64_t residual_bits = std::bit_cast<std::uint64_t>(residual);
  const std::uint64_t moment_bits = std::bit_cast<std::uint64_t>(moment);
  if (step_fields_.empty() || residual_bits != step_residual_bits_ ||
      moment_bits != step_moment_bits_) {
    step_fields_ = textio::Formatted("(1x,e15.6,1x,e15.6)", {residual, moment});
    step_residual_bits_ = residual_bits;
    step_moment_bits_ = moment_bits;
  }
  WriteRecords(textio::FormatInteger(iteration, 4) + step_fields_);
}

void RisuLog::AxialForceOutsideDomain(double Ned, double Nc_rd, double Ns_rd) {
  WriteFreeForm("maximum tension or compression strenght");
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

void RisuLog::Write(std::string_view format, std::initializer_list<textio::FormatValue> values) {
  risu_.WriteFormatted(format, values);
}

void RisuLog::WriteFreeForm(std::string_view text) {
  risu_.WriteFreeForm(text);
}

void RisuLog::WriteRecords(std::string_view records) {
  risu_.Write(records);
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

void VerificationLog::Write(std::string_view format,
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

void VerificationLog::WriteRecords(std::string_view records) {
  if (finished_) {
    RisuLog::WriteRecords(records);
    return;
  }
  search_ += records;
}

}  // namespace quilex::program
