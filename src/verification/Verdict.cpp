#include "quilex/verdict.hpp"

#include <string_view>

namespace quilex {
namespace {

// Both searches converged, but Med lies beyond the far end of the domain at Ned.
constexpr std::string_view kOutsideAtThisForce = "outside the M-N domain at this axial force";
constexpr std::string_view kCrushedStruts = "no shear resistance: mean compression reaches fcd";

// The reason of a bending search that found no resisting moment.
std::string_view Unresisted(BendingOutcome outcome) {
  switch (outcome) {
    case BendingOutcome::AxialForceOutsideDomain:
      return "outside the M-N domain";
    case BendingOutcome::NotConverged:
      return "no convergence";
    case BendingOutcome::SampleNotConverged:
      return "sample direction did not converge";
    case BendingOutcome::DirectionNotFound:
      return "no bracketing direction";
    case BendingOutcome::OutsideDomain:
      return kOutsideAtThisForce;
    case BendingOutcome::Resisted:
      break;
  }
  return "no resisting moment";
}

}  // namespace

std::string JoinedConditions(const std::vector<std::string>& conditions) {
  std::string joined;
  for (const std::string& condition : conditions) {
    if (!joined.empty()) joined += "; ";
    joined += condition;
  }
  return joined;
}

std::vector<std::string> Verdict::conditions() const {
  std::vector<std::string> all = bending;
  all.insert(all.end(), shear.begin(), shear.end());
  return all;
}

std::string Verdict::reason() const {
  return JoinedConditions(conditions());
}

Verdict VerdictOf(const Verification& v) {
  Verdict verdict;
  verdict.verified = v.verified();
  if (v.bending != BendingOutcome::Resisted || v.Mrd == 0 || !v.rho_M) {
    verdict.bending.emplace_back(Unresisted(v.bending));
  } else if (!(*v.rho_M > 0 || (*v.rho_M == 0 && v.Mrd > 0))) {
    // The same side rule of verified(): a zero Med counts as positive, as in the search.
    verdict.bending.emplace_back(kOutsideAtThisForce);
  } else {
    verdict.rho_M = v.rho_M;
    if (!(*v.rho_M <= 1)) verdict.bending.emplace_back("bending ratio above 1");
  }
  if (v.shear == ShearOutcome::StrutAngleOutOfRange) {
    verdict.shear.emplace_back("strut angle out of range");
  } else if (v.shear == ShearOutcome::CompressionOutOfRange) {
    verdict.shear.emplace_back(kCrushedStruts);
  } else if (v.Vrd == 0 || !v.rho_V) {
    verdict.shear.emplace_back("no shear resistance");
  } else {
    verdict.rho_V = v.rho_V;
    if (!(*v.rho_V <= 1)) verdict.shear.emplace_back("shear ratio above 1");
  }
  return verdict;
}

namespace {

// The shear conditions of a RectangleWithBars or a PolygonSection: along x and along y.
void AddBiaxialShear(const BiaxialVerification& v, Verdict& verdict) {
  if (v.shear_x == ShearOutcome::StrutAngleOutOfRange ||
      v.shear_y == ShearOutcome::StrutAngleOutOfRange) {
    verdict.shear.emplace_back("strut angle out of range");
  } else if (v.shear_x == ShearOutcome::CompressionOutOfRange ||
             v.shear_y == ShearOutcome::CompressionOutOfRange) {
    verdict.shear.emplace_back(kCrushedStruts);
  } else if (v.Vrdx == 0 || v.Vrdy == 0 || !v.rho_V) {
    if (v.Vrdx == 0) verdict.shear.emplace_back("no shear resistance along x");
    if (v.Vrdy == 0) verdict.shear.emplace_back("no shear resistance along y");
    if (verdict.shear.empty()) verdict.shear.emplace_back("no shear resistance");
  } else {
    verdict.rho_V = v.rho_V;
    if (!(*v.rho_V <= 1)) verdict.shear.emplace_back("shear ratio above 1");
  }
}

}  // namespace

Verdict VerdictOf(const BiaxialVerification& v) {
  Verdict verdict;
  verdict.verified = v.verified();
  if (v.bending != BendingOutcome::Resisted || !(v.Mrd > 0) || !v.rho_M) {
    verdict.bending.emplace_back(Unresisted(v.bending));
  } else {
    verdict.rho_M = v.rho_M;
    if (!(*v.rho_M <= 1)) verdict.bending.emplace_back("bending ratio above 1");
  }
  AddBiaxialShear(v, verdict);
  return verdict;
}

Verdict VerdictOf(const PolygonVerification& v) {
  Verdict verdict;
  verdict.verified = v.verified();
  const bool radial = v.verdict_ratio == UtilisationRatio::Radial;
  if (v.bending != BendingOutcome::Resisted || !(v.Mrd > 0) || !v.rho_M) {
    verdict.bending.emplace_back(Unresisted(v.bending));
  } else {
    verdict.rho_M = v.rho_M;
    const std::optional<double>& ratio = radial ? v.rho_radial : v.rho_M;
    if (!ratio) {
      verdict.bending.emplace_back("no radial ratio");
    } else if (!(*ratio <= 1)) {
      verdict.bending.emplace_back(radial ? "radial ratio above 1" : "bending ratio above 1");
    }
  }
  if (v.shear_checked()) {
    AddBiaxialShear(v, verdict);
  } else if (v.shear_acting) {
    verdict.shear.emplace_back("shear not checked: the section has no shear data");
  }
  return verdict;
}

}  // namespace quilex
