// The records the driver writes: the echo of the input into risu.txt, the results block
// and its ATTENTION lines into risu-MN.txt, and the input-error lines.
#pragma once

#include <string_view>

#include "driver/InputFiles.hpp"
#include "driver/MaterialDatabase.hpp"
#include "textio/Units.hpp"

namespace quilex::driver {

// Shared with the type-D run, which reports the same two conditions.
// clang-format off
constexpr std::string_view kNoResistingMomentFormat = "('ATTENTION --> Mrd = 0 (Ned outside the M-N domain ',             'or no convergence, see risu.txt): section not verified!')";
constexpr std::string_view kNoShearResistanceFormat = "('ATTENTION --> mean compression exceeds fcd: ',                   'shear not verified (Vrd = 0)!')";
// clang-format on

// Echo of the section by type, then of the three material names (echo_flag 1 only).
void WriteSectionEcho(textio::OutputUnit& risu, const SectionData& section,
                      const MaterialNames& names);

// Echo of Ned, Med, Ved in kN and kNm.
void WriteActionsEcho(textio::OutputUnit& risu, const Actions& actions);

// The line for an unknown code, steel grade or concrete class.
void WriteMaterialFailure(textio::OutputUnit& risu_mn, MaterialFailure failure);

// The line for a bar count outside 1 to kMaxBars.
void WriteBarCountFailure(textio::OutputUnit& risu_mn);

}  // namespace quilex::driver
