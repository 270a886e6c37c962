// The fixed arguments of every solver and shear-check call of a run, and the ratio
// reported when a resistance is 0.
#pragma once

namespace quilex::driver {

constexpr int kStrips = 100;          // concrete strips of a flexural solver
constexpr double kTolerance = 0.001;  // on the axial-force residual, N
constexpr int kMaxIterations = 1000;  // of a bisection
constexpr double kStrutAngle = 45.0;  // of the shear checks, degrees
constexpr double kNoRatio = 999.99;   // utilisation ratio over a zero resistance

}  // namespace quilex::driver
