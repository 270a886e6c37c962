#include "quilex/validation.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "verification/PolygonGeometry.hpp"

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
  // The stirrups of a RectangleWithBars or a PolygonSection, their fields after `prefix`.
  void Stirrups(const std::string& prefix, const BiaxialStirrups& s) {
    Area(prefix + "Asw", "Asw", s.Asw);
    Legs(prefix + "nbx", "nbx", s.nbx);
    Legs(prefix + "nby", "nby", s.nby);
    Spacing(prefix + "st", s.st, s.Asw != 0 && (s.nbx != 0 || s.nby != 0));
    AtMost(prefix + "st", "st", s.st, kMaxLength, " mm");
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
  p.Stirrups("stirrups.", section.stirrups);
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

std::vector<InvalidValue> Validate(const PolygonSection& section) {
  Problems p;
  const auto index = [](const char* list, std::size_t i) {
    std::string field = list;
    return field.append("[").append(std::to_string(i)).append("]");
  };
  std::size_t vertices = 0;
  // Each ring's own checks; the rings that pass them take part in the checks between rings.
  const auto ring_checks = [&](const std::vector<std::vector<Vertex>>& rings, const char* list) {
    std::vector<bool> sound(rings.size(), false);
    for (std::size_t i = 0; i < rings.size(); ++i) {
      const std::vector<Vertex>& ring = rings[i];
      const std::string field = index(list, i);
      vertices += ring.size();
      if (ring.size() < 3) {
        p.Add(field, field + " must have at least 3 vertices");
        continue;
      }
      bool finite = true;
      for (std::size_t j = 0; j < ring.size(); ++j) {
        if (std::fabs(ring[j].x) <= kMaxLength && std::fabs(ring[j].y) <= kMaxLength) continue;
        const std::string corner = field + "[" + std::to_string(j) + "]";
        for (const auto& [name, value] : {std::pair{".x", ring[j].x}, std::pair{".y", ring[j].y}}) {
          if (!p.Finite(corner + name, corner + name, value)) {
            finite = false;
          } else if (!(std::fabs(value) <= kMaxLength)) {
            p.Add(corner + name,
                  corner + name + " must lie within " + Compact(kMaxLength) + " mm of the origin");
            finite = false;
          }
        }
      }
      if (!finite) continue;
      if (const auto contact = geometry::SelfContact(ring)) {
        const auto [a, b] = *contact;
        p.Add(field, a == b ? field + " repeats vertex " + std::to_string(a)
                            : field + " crosses itself: edges " + std::to_string(a) + " and " +
                                  std::to_string(b) + " touch");
        continue;
      }
      if (geometry::TwiceSignedArea(ring) == 0) {
        p.Add(field, field + " has no area");
        continue;
      }
      sound[i] = true;
    }
    return sound;
  };
  if (section.outlines.empty()) p.Add("outlines", "at least one outline is needed");
  const std::vector<bool> outlines = ring_checks(section.outlines, "outlines");
  const std::vector<bool> holes = ring_checks(section.holes, "holes");
  if (vertices > kMaxPolygonVertices) {
    p.Add("outlines", "outlines and holes must have at most " +
                          std::to_string(kMaxPolygonVertices) + " vertices together");
    return p.list;  // the checks between rings take the square of the count
  }
  const auto& o = section.outlines;
  const auto& h = section.holes;
  for (std::size_t i = 0; i < o.size(); ++i) {
    for (std::size_t k = i + 1; k < o.size(); ++k) {
      if (outlines[i] && outlines[k] && geometry::InteriorsOverlap(o[i], o[k])) {
        p.Add(index("outlines", k), index("outlines", k) + " overlaps " + index("outlines", i));
      }
    }
  }
  for (std::size_t i = 0; i < h.size(); ++i) {
    if (!holes[i]) continue;
    bool within = false;
    for (std::size_t k = 0; k < o.size() && !within; ++k)
      within = outlines[k] && geometry::LiesWithin(h[i], o[k]);
    if (!within) p.Add(index("holes", i), index("holes", i) + " must lie inside one outline");
    for (std::size_t k = 0; k < i; ++k) {
      if (holes[k] && geometry::InteriorsOverlap(h[i], h[k])) {
        p.Add(index("holes", i), index("holes", i) + " overlaps " + index("holes", k));
      }
    }
  }
  if (section.bars.size() > kMaxPolygonBars) {
    p.Add("bars", "number of bars must be at most " + std::to_string(kMaxPolygonBars));
    return p.list;
  }
  for (std::size_t i = 0; i < section.bars.size(); ++i) {
    const Bar& bar = section.bars[i];
    const auto field = [&] { return index("bars", i); };
    if (!(std::isfinite(bar.x) && std::isfinite(bar.y) && bar.area >= 0 && bar.area <= kMaxArea)) {
      const std::string name = field();
      const bool finite =
          p.Finite(name + ".x", name + ".x", bar.x) && p.Finite(name + ".y", name + ".y", bar.y);
      p.Area(name + ".area", name + ".area", bar.area);
      if (!finite) continue;
    }
    const Vertex centre{bar.x, bar.y};
    bool in_concrete = false;
    for (std::size_t k = 0; k < o.size() && !in_concrete; ++k) {
      in_concrete = outlines[k] && geometry::Locate(centre, o[k]) != geometry::Location::Outside;
    }
    if (!in_concrete) {
      p.Add(field(), field() + " lies outside the concrete");
      continue;
    }
    for (std::size_t k = 0; k < h.size(); ++k) {
      if (holes[k] && geometry::Locate(centre, h[k]) == geometry::Location::Inside) {
        p.Add(field(), field() + " lies inside " + index("holes", k));
        break;
      }
    }
  }
  double gross = 0, steel = 0;
  for (std::size_t k = 0; k < o.size(); ++k)
    if (outlines[k]) gross += std::fabs(geometry::TwiceSignedArea(o[k])) / 2;
  for (std::size_t k = 0; k < h.size(); ++k)
    if (holes[k]) gross -= std::fabs(geometry::TwiceSignedArea(h[k])) / 2;
  for (const Bar& bar : section.bars)
    steel += bar.area;
  const bool rings_sound = std::find(outlines.begin(), outlines.end(), false) == outlines.end() &&
                           std::find(holes.begin(), holes.end(), false) == holes.end();
  if (!o.empty() && rings_sound && std::isfinite(steel) && !(steel < gross)) {
    p.Add("bars", "the bars' areas must add up to less than the concrete's");
  }
  if (section.shear) {
    const PolygonShear& shear = *section.shear;
    p.Stirrups("shear.stirrups.", shear.stirrups);
    p.Length("shear.bx", "bx", shear.bx);
    p.Length("shear.by", "by", shear.by);
    p.Length("shear.dx", "dx", shear.dx);
    p.Length("shear.dy", "dy", shear.dy);
  }
  if (section.reference) {
    p.Finite("reference.x", "reference.x", section.reference->x);
    p.Finite("reference.y", "reference.y", section.reference->y);
  }
  return p.list;
}

std::vector<InvalidValue> Validate(const PolygonSection&, const MaterialSet& materials,
                                   const Settings& settings) {
  Problems p;
  if (ParabolaExponentOf(settings.parabola_exponent, materials.fck) != 2) {
    p.Add("settings.parabola_exponent",
          "a polygon section takes the parabola exponent 2 only: EN1992 gives another above "
          "C50/60");
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
  if (settings.verdict_ratio != UtilisationRatio::AtConstantNed &&
      settings.verdict_ratio != UtilisationRatio::Radial) {
    p.Add("settings.verdict_ratio", "verdict_ratio must be AtConstantNed or Radial");
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
