// The iteration log of a run as risu.txt holds it: each event of a computation becomes its
// records.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "quilex/iteration_log.hpp"
#include "textio/NumberedFiles.hpp"
#include "textio/RecordFormat.hpp"

namespace quilex::runfiles {

class RisuLog : public IterationLog {
 public:
  explicit RisuLog(textio::OutputFile& risu) : risu_(risu) {}

  void SearchStarted() override;
  void SearchStep(int iteration, double residual, double moment) override;
  void AxialForceOutsideDomain(double Ned, double Nc_rd, double Ns_rd) override;
  void IterationLimitReached() override;
  void StrutAngleOutOfRange() override;
  void CompressionOutOfRange() override;

 protected:
  // Where the records go; a derived log may hold them back.
  virtual void Write(const textio::ParsedFormat& format,
                     std::initializer_list<textio::FormatValue> values);
  virtual void WriteFreeForm(std::string_view text);

  textio::OutputFile& risu_;
};

// The log of a verification of an R, T or C section. risu.txt shows its search four
// times, once for each quantity the results block reads from it (the resisting moment,
// the neutral-axis depth, the configuration and the steel strain), then the messages of the
// shear check.
class VerificationLog final : public RisuLog {
 public:
  using RisuLog::RisuLog;

  void StrutAngleOutOfRange() override;
  void CompressionOutOfRange() override;

  // Writes the search's records, four times; later events are written as they come.
  void Finish();

 private:
  void Write(const textio::ParsedFormat& format,
             std::initializer_list<textio::FormatValue> values) override;
  void WriteFreeForm(std::string_view text) override;

  std::string search_;
  bool finished_ = false;
};

}  // namespace quilex::runfiles
