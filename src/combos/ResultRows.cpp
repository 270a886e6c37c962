#include "combos/ResultRows.hpp"

#include <initializer_list>

#include "runfiles/Csv.hpp"
#include "runfiles/RunRecords.hpp"
#include "textio/RecordFormat.hpp"

namespace quilex::combos {
namespace {

constexpr std::string_view kUniaxialHeader =
    "name,Ned_kN,Med_kNm,Ved_kN,Mrd_kNm,rho_M,Vrd_kN,rho_V,epsilon,campo,verified,reason,bending,"
    "shear\r\n";
constexpr std::string_view kBiaxialHeader =
    "name,Ned_kN,Mx_kNm,My_kNm,Vx_kN,Vy_kN,Mrd_kNm,Mrdx_kNm,Mrdy_kNm,rho_M,MRx_kNm,MRy_kNm,"
    "Vrdx_kN,Vrdy_kN,rho_V,epsilon,alpha,campo,verified,reason,bending,shear\r\n";
constexpr std::string_view kPolygonHeader =
    "name,Ned_kN,Mx_kNm,My_kNm,Vx_kN,Vy_kN,Mrd_kNm,Mrdx_kNm,Mrdy_kNm,rho_M,MRx_kNm,MRy_kNm,"
    "Vrdx_kN,Vrdy_kN,rho_V,epsilon,alpha,campo,verified,reason,bending,shear,rho_radial\r\n";

// A field wide enough for every value up to 10^37; wider ones take the widest field a
// double needs (309 integer digits, a sign, a point and two decimals).
constexpr int kWideField = 40;
constexpr int kWidestField = 320;

void AppendNumbers(std::string& out, std::initializer_list<double> values) {
  for (const double value : values) {
    out += ',';
    out += TwoDecimals(value);
  }
}

// The record's end: CR LF, or first the fields that follow the verdict.
void AppendVerdict(std::string& out, int campo, const Verdict& verdict,
                   std::string_view end = "\r\n") {
  out += ',';
  out += std::to_string(campo);
  out += verdict.verified ? ",yes," : ",no,";
  out += runfiles::CsvQuoted(verdict.reason());
  // Each check's verdict apart, after the columns scripts already read by position.
  out += verdict.bending.empty() ? ",yes" : ",no";
  out += verdict.shear.empty() ? ",yes" : ",no";
  out += end;
}

}  // namespace

std::string_view HeaderRecord(ActionKind kind, bool radial_ratio) {
  if (kind == ActionKind::Uniaxial) return kUniaxialHeader;
  return radial_ratio ? kPolygonHeader : kBiaxialHeader;
}

void AppendRow(std::string& out, std::string_view name, const Actions& actions,
               const Verification& v, const Verdict& verdict) {
  const runfiles::PrintedActions a = runfiles::AsPrinted(actions);
  const runfiles::PrintedResults r = runfiles::AsPrinted(v);
  out += runfiles::CsvQuoted(name);
  AppendNumbers(out, {a.Ned, a.Med, a.Ved, r.Mrd, r.rho_M, r.Vrd, r.rho_V, r.epsilon});
  AppendVerdict(out, r.campo, verdict);
}

namespace {

// The row of a rectangle with bars, ended by `end` (a polygon section's radial ratio first).
void AppendBiaxialRow(std::string& out, std::string_view name, const BiaxialActions& actions,
                      const BiaxialVerification& v, const Verdict& verdict,
                      std::string_view end = "\r\n") {
  const runfiles::PrintedBiaxialActions a = runfiles::AsPrinted(actions);
  const runfiles::PrintedBiaxialResults r = runfiles::AsPrinted(v);
  out += runfiles::CsvQuoted(name);
  AppendNumbers(out, {a.Ned, a.Mx, a.My, a.Vx, a.Vy, r.Mrd, r.Mrdx, r.Mrdy, r.rho_M, r.MRx, r.MRy,
                      r.Vrdx, r.Vrdy, r.rho_V, r.epsilon, r.alpha});
  AppendVerdict(out, r.campo, verdict, end);
}

}  // namespace

void AppendRow(std::string& out, std::string_view name, const BiaxialActions& actions,
               const BiaxialVerification& v, const Verdict& verdict) {
  AppendBiaxialRow(out, name, actions, v, verdict);
}

void AppendRow(std::string& out, std::string_view name, const BiaxialActions& actions,
               const PolygonVerification& v, const Verdict& verdict) {
  AppendBiaxialRow(out, name, actions, v, verdict, "");
  AppendNumbers(out, {runfiles::AsPrinted(v).rho_radial});
  out += "\r\n";
}

std::string TwoDecimals(double value) {
  std::string field = textio::FormatFixed(value, kWideField, 2);
  if (field.front() == '*') field = textio::FormatFixed(value, kWidestField, 2);
  return field.substr(field.find_first_not_of(' '));
}

}  // namespace quilex::combos
