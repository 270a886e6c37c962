#include "quilex/validation.hpp"

#include <cmath>
#include <cstdio>
#include <string>

namespace quilex {
namespace {

// A number as short as it prints exactly: 100000, 1e+10.
std::string Compact(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// Collects the problems of one value; each check names the field (as the C++ member path)
// and writes the message with the name the files use.
class Problems {
 public:
  std::vector<InvalidValue> list;

  void Add(std::string field, std::string message) {
    list.push_back({std::move(field), std::move(message)});
  }

  bool Finite(const std::string& field, const std::string& name, double value) {
    if (std::isfinite(value)) return true;
    Add(field, name + " must be a finite number");
    return false;
  }
  void GreaterThanZero(const std::string& field, const std::string& name, double value) {
    if (Finite(field, name, value) && !(value > 0)) Add(field, name + " must be greater than 0");
  }
  void NotNegative(const std::string& field, const std::string& name, double value) {
    if (Finite(field, name, value) && value < 0) Add(field, name + " must not be negative");
  }
  // Sizes no real section has: beyond them the forces could overflow and an infinite
  // resistance would pass its checks.
  void AtMost(const std::string& field, const std::string& name, double value, double limit,
              const char* unit) {
    if (std::isfinite(value) && value > limit) {
      Add(field, name + " must be at most " + Compact(limit) + unit);
    }
  }
  void Length(const std::string& field, const std::string& name, double value) {
    GreaterThanZero(field, name, value);
    AtMost(field, name, value, kMaxLength, " mm");
  }
  void Area(const std::string& field, const std::string& name, double value) {
    NotNegative(field, name, value);
    AtMost(field, name, value, kMaxArea, " mm\u00b2");
  }
  void NotNegative(const std::string& field, const std::string& name, int value) {
    if (value < 0) Add(field, name + " must not be negative");
  }
  void Cover(double c, double depth, const char* depth_name) {
    if (Finite("c", "c", c) && !(0 <= c && c < depth / 2)) {
      Add("c", std::string("c must be at least 0 and less than half the ") + depth_name);
    }
  }
  // The spacing matters only when there are stirrups.
  void Spacing(const std::string& field, double st, bool stirrups_given) {
    if (Finite(field, "st", st) && stirrups_given && !(st > 0)) {
      Add(field, "st must be greater than 0 when stirrups are given");
    }
  }
  void Legs(const std::string& field, const std::string& name, int legs) {
    NotNegative(field, name, legs);
    if (legs > kMaxLegs) Add(field, name + " must be at most " + std::to_string(kMaxLegs));
  }
  void Stirrups(const quilex::Stirrups& s) {
    Area("stirrups.Asw", "Asw", s.Asw);
    Legs("stirrups.nb", "nb", s.nb);
    Spacing("stirrups.st", s.st, s.Asw != 0 && s.nb != 0);
    AtMost("stirrups.st", "st", s.st, kMaxLength, " mm");
  }
};

}  // namespace

std::vector<InvalidValue> Validate(const RectangularSection& section) {
  Problems p;
  p.Length("B", "B", section.B);
  p.Length("H", "H", section.H);
  p.Cover(section.c, section.H, "depth");
  p.Stirrups(section.stirrups);
  p.Area("As_top", "As[1]", section.As_top);
  p.Area("As_bottom", "As[2]", section.As_bottom);
  return p.list;
}

std::vector<InvalidValue> Validate(const TSection& section) {
  Problems p;
  p.Length("BiNf", "BiNf", section.BiNf);
  p.Length("HiNf", "HiNf", section.HiNf);
  p.Length("BsUp", "BsUp", section.BsUp);
  p.Length("HsUp", "HsUp", section.HsUp);
  p.Cover(section.c, section.HiNf + section.HsUp, "depth");
  p.Stirrups(section.stirrups);
  p.Area("As_top", "As[1]", section.As_top);
  p.Area("As_bottom", "As[2]", section.As_bottom);
  return p.list;
}

std::vector<InvalidValue> Validate(const CircularSection& section) {
  Problems p;
  p.Length("D", "D", section.D);
  p.Cover(section.c, section.D, "diameter");
  if (section.nF < 0 || section.nF > kMaxBars) p.Add("nF", "nF must be from 0 to 200");
  p.NotNegative("Df", "Df", section.Df);
  p.AtMost("Df", "Df", section.Df, kMaxLength, " mm");
  p.Stirrups(section.stirrups);
  return p.list;
}

std::vector<InvalidValue> Validate(const RectangleWithBars& section) {
  Problems p;
  p.Length("B", "B", section.B);
  p.Length("H", "H", section.H);
  const BiaxialStirrups& s = section.stirrups;
  p.Area("stirrups.Asw", "Asw", s.Asw);
  p.Legs("stirrups.nbx", "nbx", s.nbx);
  p.Legs("stirrups.nby", "nby", s.nby);
  p.Spacing("stirrups.st", s.st, s.Asw != 0 && (s.nbx != 0 || s.nby != 0));
  p.AtMost("stirrups.st", "st", s.st, kMaxLength, " mm");
  const std::size_t count = section.bars.size();
  if (count < 1 || count > static_cast<std::size_t>(kMaxBars)) {
    p.Add("bars", "number of bars must be from 1 to 200");
  }
  for (std::size_t i = 0; i < count; ++i) {
    const Bar& bar = section.bars[i];
    const std::string field = "bars[" + std::to_string(i) + "]";
    const std::string number = std::to_string(i + 1);
    const bool finite = p.Finite(field + ".x", "x of bar " + number, bar.x) &&
                        p.Finite(field + ".y", "y of bar " + number, bar.y);
    if (finite && !(std::fabs(bar.x) <= section.B / 2 && std::fabs(bar.y) <= section.H / 2)) {
      p.Add(field, "bar " + number + " lies outside the section");
    }
    p.Area(field + ".area", "area of bar " + number, bar.area);
  }
  return p.list;
}

std::vector<InvalidValue> Validate(const MaterialSet& m) {
  Problems p;
  p.GreaterThanZero("fyd", "fyd", m.fyd);
  p.AtMost("fyd", "fyd", m.fyd, kMaxStrength, " N/mm\u00b2");
  p.NotNegative("Es", "Es", m.Es);
  p.AtMost("Es", "Es", m.Es, kMaxModulus, " N/mm\u00b2");
  p.GreaterThanZero("eps_ud", "eps_ud", m.eps_ud);
  p.AtMost("eps_ud", "eps_ud", m.eps_ud, 1, "");
  p.GreaterThanZero("fcd", "fcd", m.fcd);
  p.AtMost("fcd", "fcd", m.fcd, kMaxStrength, " N/mm\u00b2");
  p.Finite("Ecm", "Ecm", m.Ecm);
  p.GreaterThanZero("eps_c2", "eps_c2", m.eps_c2);
  p.AtMost("eps_c2", "eps_c2", m.eps_c2, 1, "");
  // eps_cu may fall below eps_c2: the database's C90/105 has it so.
  p.GreaterThanZero("eps_cu", "eps_cu", m.eps_cu);
  p.AtMost("eps_cu", "eps_cu", m.eps_cu, 1, "");
  p.GreaterThanZero("nu", "nu", m.nu);
  p.AtMost("nu", "nu", m.nu, 1, "");
  p.NotNegative("fck", "fck", m.fck);
  p.AtMost("fck", "fck", m.fck, kMaxStrength, " N/mm\u00b2");
  return p.list;
}

std::vector<InvalidValue> Validate(const Actions& actions) {
  Problems p;
  p.Finite("Ned", "Ned", actions.Ned);
  p.Finite("Med", "Med", actions.Med);
  p.Finite("Ved", "Ved", actions.Ved);
  return p.list;
}

std::vector<InvalidValue> Validate(const BiaxialActions& actions) {
  Problems p;
  p.Finite("Ned", "Ned", actions.Ned);
  p.Finite("Mx", "Mx", actions.Mx);
  p.Finite("My", "My", actions.My);
  p.Finite("Vx", "Vx", actions.Vx);
  p.Finite("Vy", "Vy", actions.Vy);
  return p.list;
}

std::vector<InvalidValue> Validate(const Settings& settings) {
  Problems p;
  // A section's strips are held in memory: a bound keeps a mistyped count from taking it all.
  if (settings.strips < 1 || settings.strips > kMaxStrips) {
    p.Add("settings.strips", "strips must be from 1 to " + std::to_string(kMaxStrips));
  }
  p.NotNegative("settings.tolerance", "tolerance", settings.tolerance);
  if (settings.max_iterations < 1) {
    p.Add("settings.max_iterations", "max_iterations must be at least 1");
  }
  p.Finite("settings.strut_angle", "strut_angle", settings.strut_angle);
  if (settings.parabola_exponent != ParabolaExponent::Two &&
      settings.parabola_exponent != ParabolaExponent::EN1992) {
    p.Add("settings.parabola_exponent", "parabola_exponent must be Two or EN1992");
  }
  return p.list;
}

std::vector<InvalidValue> Validate(const MaterialSet& materials, const Settings& settings) {
  Problems p;
  // Without the class's strength the exponent would silently stay 2.
  if (settings.parabola_exponent == ParabolaExponent::EN1992 && !(materials.fck > 0)) {
    p.Add("fck", "fck must be given (above 0) for the EN 1992-1-1 parabola exponent");
  }
  return p.list;
}

}  // namespace quilex
