#include "biaxial/TypeDRun.hpp"

#include <array>
#include <cmath>

#include "biaxial/BiaxialResistance.hpp"
#include "driver/ResultFiles.hpp"
#include "driver/RunConstants.hpp"
#include "shear/QuilexRT.hpp"
#include "textio/FreeFormRead.hpp"

namespace quilex::biaxial {
namespace {

constexpr int kSamples = 72;  // sweep of the compressed side's direction, 5 degrees apart
using driver::kMaxIterations;
using driver::kNoRatio;
using driver::kStrutAngle;
using driver::kTolerance;

// clang-format off
constexpr std::string_view kActionsFormat = "('Ned = ',f8.2,/,                                                  'Mx  = ',f8.2,/,                                                  'My  = ',f8.2,/,                                                  'Vx  = ',f8.2,/,                                                  'Vy  = ',f8.2,/)";
constexpr std::string_view kResultsFormat = "('Mrd     = ',f8.2,/,                                              'Mrdx    = ',f8.2,/,                                              'Mrdy    = ',f8.2,/,                                              'rho_M   = ',f8.2,/,                                              'MRx     = ',f8.2,/,                                              'MRy     = ',f8.2,/,                                              'Vrdx    = ',f8.2,/,                                              'Vrdy    = ',f8.2,/,                                              'rho_V   = ',f8.2,/,                                              'epsilon = ',f8.2,/,                                              'alpha   = ',f8.2,/,                                              'campo   = ',i2)";
// clang-format on

struct Actions {
  double Ned = 0;
  double Mx = 0;
  double My = 0;
  double Vx = 0;
  double Vy = 0;
};

// The inclination of the neutral axis to the x axis, in (-90, 90] degrees.
double NeutralAxisInclination(double theta) {
  double alpha = theta * 180 / kPi - 90;
  const double n = std::round(alpha / 180);
  alpha = alpha - 180 * n;
  if (alpha <= -90) alpha = alpha + 180;
  return alpha;
}

}  // namespace

TypeDResult RunTypeD(bool echo, const BarSection& section, const MaterialSet& m,
                     textio::InputUnit& slu, textio::OutputUnit& risu, textio::OutputUnit& risu_mn,
                     textio::OutputUnit& domplot) {
  Actions a;
  textio::ReadList(slu, {a.Ned, a.Mx, a.My, a.Vx, a.Vy});
  if (echo) {
    risu.WriteFormatted(kActionsFormat,
                        {a.Ned * 0.001, a.Mx * 1e-6, a.My * 1e-6, a.Vx * 0.001, a.Vy * 0.001});
  }

  TypeDResult r;
  r.rho_M = kNoRatio;
  const double M = std::sqrt(a.Mx * a.Mx + a.My * a.My);
  std::array<double, kSamples> theta{};
  std::array<double, kSamples> sample_Mx{};
  std::array<double, kSamples> sample_My{};
  bool final_converged = false;

  const AxialLimits limits = AxialLimitsD(section, m);
  if (limits.Nmin < a.Ned && a.Ned < limits.Nmax) {
    bool all_converged = true;
    for (int k = 0; k < kSamples; ++k) {
      theta[k] = k * kTwoPi / kSamples;
      const DepthSearch sample =
          SolveNeutralAxisDepth(section, m, theta[k], a.Ned, kTolerance, kMaxIterations);
      sample_Mx[k] = sample.state.Mx;
      sample_My[k] = sample.state.My;
      all_converged = all_converged && sample.converged;
    }
    if (all_converged) {
      // The three searches report one last trial angle between them: a failed final search
      // shows the last angle any of them tried.
      double last_theta = 0;
      const auto search = [&](double phi) {
        std::optional<AngleSearch> found = SolveNeutralAxisAngle(
            section, m, a.Ned, kTolerance, kMaxIterations, theta, sample_Mx, sample_My, phi);
        if (found) last_theta = found->theta;
        return found;
      };
      if (const auto along_x = search(0.0)) r.MRx = along_x->state.Mx;
      if (const auto along_y = search(kHalfPi)) r.MRy = along_y->state.My;
      const double phi = M > 0 ? std::atan2(a.My, a.Mx) : 0.0;
      const std::optional<AngleSearch> final_search = search(phi);
      if (final_search) {
        r.Mrdx = final_search->state.Mx;
        r.Mrdy = final_search->state.My;
        final_converged = final_search->converged;
      }
      if (!final_converged) {
        r.alpha = last_theta;
      } else {
        const BiaxialState& plane = final_search->state;
        r.epsilon = plane.x / plane.dmax;
        r.Mrd = std::sqrt(r.Mrdx * r.Mrdx + r.Mrdy * r.Mrdy);
        r.rho_M = M / r.Mrd;
        r.campo = StrainFieldD(plane.x, plane.dmax, plane.htheta, plane.eps_c, plane.eps_s,
                               m.eps_cu, m.fyd / m.Es);
        r.alpha = NeutralAxisInclination(final_search->theta);
      }
    }
  }

  // Effective depths from the extreme bars: in each direction the smaller of the depths
  // measured from the two faces.
  double xmin = section.x[0], xmax = section.x[0];
  double ymin = section.y[0], ymax = section.y[0];
  for (int i = 1; i < section.nbar; ++i) {
    xmin = std::fmin(xmin, section.x[i]);
    xmax = std::fmax(xmax, section.x[i]);
    ymin = std::fmin(ymin, section.y[i]);
    ymax = std::fmax(ymax, section.y[i]);
  }
  const double B = section.B, H = section.H;
  const double dy = std::fmin(H / 2 - ymin, H / 2 + ymax);
  const double dx = std::fmin(B / 2 - xmin, B / 2 + xmax);
  r.Vrdy = shear::ShearCheckRT(risu, B, H, H - dy, section.Asw, section.nby, section.st,
                               kStrutAngle, m.fyd, m.fcd, m.nu, a.Ned);
  r.Vrdx = shear::ShearCheckRT(risu, H, B, B - dx, section.Asw, section.nbx, section.st,
                               kStrutAngle, m.fyd, m.fcd, m.nu, a.Ned);
  double Vrd = 0;
  if (r.Vrdx == 0 || r.Vrdy == 0) {
    r.rho_V = kNoRatio;
  } else {
    Vrd = std::fmin(r.Vrdx, r.Vrdy);
    const double along_x = a.Vx / r.Vrdx;
    const double along_y = a.Vy / r.Vrdy;
    r.rho_V = std::sqrt(along_x * along_x + along_y * along_y);
  }

  risu_mn.WriteFormatted(kResultsFormat, {r.Mrd * 1e-6, r.Mrdx * 1e-6, r.Mrdy * 1e-6, r.rho_M,
                                          r.MRx * 1e-6, r.MRy * 1e-6, r.Vrdx * 0.001,
                                          r.Vrdy * 0.001, r.rho_V, r.epsilon, r.alpha, r.campo});
  if (r.Mrd == 0) risu_mn.WriteFormatted(driver::kNoResistingMomentFormat);
  if (Vrd == 0) risu_mn.WriteFormatted(driver::kNoShearResistanceFormat);

  if (final_converged) {
    // The contour closes on its first sample.
    for (int k = 0; k <= kSamples; ++k) {
      const int j = k % kSamples;
      domplot.WriteFormatted("(f8.2,1x,f8.2)", {sample_Mx[j] * 1e-6, sample_My[j] * 1e-6});
    }
  }
  return r;
}

}  // namespace quilex::biaxial
