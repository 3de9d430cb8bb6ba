// The program's version text, one place for the connect dialog, the
// command line's --version and the exports' generator name.
#pragma once

inline constexpr char kVersionLabel[] = "v0.4.0.4";
